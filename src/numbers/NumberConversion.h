// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Exception.h"

namespace sattrail {

// Raised on received text that is not a number, with the messages
// "'%s' is not a valid integer value" and "'%s' is not a valid floating point value".
class ConversionError : public Exception {
 public:
  using Exception::Exception;
};

// Decimal digits with an optional sign. Locale-independent.
std::int32_t StrToInt(std::string_view text);
// Digits with an optional sign, "." as the decimal separator whatever the desktop locale,
// and an optional exponent.
double StrToFloat(std::string_view text);
// As StrToInt, but gives `fallback` instead of raising.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

// What "%<width>.<decimals>f" writes in the C locale, whatever the desktop's: "." as the
// decimal separator, rounded as printf rounds the exact binary value, padded on the left with
// blanks to `width` characters. The monitor's texts and the simulator's sentences write their
// fixed decimals through here.
std::string FormatFixed(double value, int decimals, int width = 0);

}  // namespace sattrail
