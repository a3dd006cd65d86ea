// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/Checksum.h"

#include <string_view>

namespace sattrail {

namespace {

// The digits a sum is written with; compared after UpperCase, so lower-case digits match.
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Only the letters a to z change; every other byte stays as it is.
char UpperCase(std::uint8_t byte) {
  const char c = static_cast<char>(byte);
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool CheckNmeaChecksum(const std::uint8_t* bytes, int count) {
  // Byte 0 is the "$" on a sentence, but whatever it is, it never takes part.
  std::uint8_t sum = 0;
  int star = 1;
  while (star < count && bytes[star] != '*') {
    sum ^= bytes[star];
    ++star;
  }
  // No "*" in the line, or fewer than two bytes after it.
  if (count - star - 1 < 2) return false;

  // Two digits, the first one "0" below 16.
  return kHexDigits[sum >> 4] == UpperCase(bytes[star + 1]) &&
         kHexDigits[sum & 0x0F] == UpperCase(bytes[star + 2]);
}

bool CheckNmeaChecksum(const RunState& run) {
  return CheckNmeaChecksum(run.RawLineBytes.data(), run.RawLineCount);
}

}  // namespace sattrail
