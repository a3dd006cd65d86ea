// SPDX-License-Identifier: BSD-2-Clause
#include "numbers/NumberConversion.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <system_error>

namespace sattrail {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Index just past a run of decimal digits starting at `from`.
std::size_t SkipDigits(std::string_view text, std::size_t from) {
  while (from < text.size() && IsDigit(text[from])) ++from;
  return from;
}

std::size_t SkipSign(std::string_view text, std::size_t from) {
  return from < text.size() && (text[from] == '+' || text[from] == '-') ? from + 1 : from;
}

// Optional sign and at least one digit, nothing else. Blanks, hexadecimal prefixes and
// thousands separators are not numbers in a sentence.
bool IsIntegerText(std::string_view text) {
  const std::size_t digits = SkipSign(text, 0);
  const std::size_t end = SkipDigits(text, digits);
  return end > digits && end == text.size();
}

// Optional sign, digits with an optional "." (at least one digit on either side of it),
// optional exponent "e" or "E" with an optional sign and at least one digit. No "inf",
// "nan" or hexadecimal forms: those are not NMEA numbers.
bool IsFloatText(std::string_view text) {
  std::size_t at = SkipSign(text, 0);
  const std::size_t integerEnd = SkipDigits(text, at);
  std::size_t mantissaDigits = integerEnd - at;
  at = integerEnd;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fractionEnd = SkipDigits(text, at + 1);
    mantissaDigits += fractionEnd - (at + 1);
    at = fractionEnd;
  }
  if (mantissaDigits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    const std::size_t exponentDigits = SkipSign(text, at + 1);
    const std::size_t exponentEnd = SkipDigits(text, exponentDigits);
    if (exponentEnd == exponentDigits) return false;
    at = exponentEnd;
  }
  return at == text.size();
}

bool TryStrToInt(std::string_view text, std::int32_t& value) {
  if (!IsIntegerText(text)) return false;
  // from_chars takes no "+"; the "-" it reads itself.
  const std::string_view digits = text.front() == '+' ? text.substr(1) : text;
  const char* end = digits.data() + digits.size();
  const auto [ptr, error] = std::from_chars(digits.data(), end, value);
  return error == std::errc() && ptr == end;
}

}  // namespace

std::int32_t StrToInt(std::string_view text) {
  std::int32_t value = 0;
  if (!TryStrToInt(text, value)) {
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
  }
  return value;
}

double StrToFloat(std::string_view text) {
  if (IsFloatText(text)) {
    const std::string_view digits = text.front() == '+' ? text.substr(1) : text;
    const char* end = digits.data() + digits.size();
    double value = 0;
    const auto [ptr, error] = std::from_chars(digits.data(), end, value);
    // Beyond the range of a double (1e999, 1e-999) is refused like any other text that is
    // not a usable number.
    if (error == std::errc() && ptr == end) return value;
  }
  throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
  std::int32_t value = 0;
  return TryStrToInt(text, value) ? value : fallback;
}

std::string FormatFixed(double value, int decimals, int width) {
  // Room for the widest double written in full: 309 digits, a sign, a point and the decimals.
  constexpr int kMostDecimals = 64;
  std::array<char, 320 + kMostDecimals> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                    std::clamp(decimals, 0, kMostDecimals));
  std::string text(buffer.data(), result.ptr);
  if (static_cast<int>(text.size()) < width) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  }
  return text;
}

}  // namespace sattrail
