// SPDX-License-Identifier: BSD-2-Clause
#include "display/PositionText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "display/Truncation.h"
#include "numbers/NumberConversion.h"

namespace sattrail {

namespace {

std::string Decimal(std::int64_t value) {
  std::array<char, 24> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

// "%d:" from ten up, "0%d:" below: hh:mm:ss pieces; values outside their range pass through.
std::string TwoDigits(std::int64_t value) {
  return value > 9 ? Decimal(value) : "0" + Decimal(value);
}

// The nautical time zone of a longitude dddmm.mmmm: the whole number of hours nearest to
// degrees / 15, at most 12, so that Zurich at 8 degrees 32' E is an hour ahead of UTC and New
// York at 74 degrees W five hours behind. Counted in minutes of arc, where every value of the
// stored float is exact: 7 degrees 30.0' (450') is exactly half a zone and rounds up to 1,
// 7 degrees 29.9' stays in zone 0.
std::int32_t NauticalZone(float longitude) {
  // Whatever lies beyond 360 degrees caps at 12 anyway; clamping keeps infinities finite.
  const double stored = std::clamp(static_cast<double>(longitude), -36000.0, 36000.0);
  const double degrees = std::trunc(stored / 100);
  const double minutesOfArc = degrees * 60 + (stored - degrees * 100);
  const double zone = std::trunc((minutesOfArc + 450) / 900);
  if (std::isnan(zone)) return 0;
  return static_cast<std::int32_t>(std::clamp(zone, -12.0, 12.0));
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int month, int year) {
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::string FormatLatLon(double angle) {
  const std::int32_t whole = TruncateToInt32(angle);  // ddmm or dddmm
  double seconds = (angle - whole) * 60;
  std::int64_t degrees = whole / 100;
  std::int64_t minutes = TruncateToInt32(angle - static_cast<double>(degrees) * 100);
  // "%2.1f": the seconds text always has at least three characters, so the width never pads.
  std::string secondsText = FormatFixed(seconds, 1, 2);
  // Seconds that round to 60.0 belong to the next minute, and a minute that this carry
  // makes 60 to the next degree: 2446.99951171875 is 24 degrees 47'0.0, not 46'60.0.
  if (secondsText == "60.0") {
    secondsText = "0.0";
    if (++minutes == 60) {
      minutes = 0;
      ++degrees;
    }
  }
  return Decimal(degrees) + std::string(kDegreeSign) + Decimal(minutes) + "'" + secondsText;
}

std::string FormatLocalTime(CoMPort& state, std::int32_t utcTime, float longitude,
                            std::string_view lonHemisphere) {
  const std::int32_t zone = NauticalZone(longitude);
  if (lonHemisphere == "W") {
    state.TimeZoneHours = -zone;
  } else if (lonHemisphere == "E") {
    state.TimeZoneHours = zone;
  }
  const std::int64_t t = utcTime;
  std::int64_t hours = t / 10000;
  const std::int64_t minutes = t / 100 - hours * 100;
  const std::int64_t seconds = t - (t / 100) * 100;
  hours += state.TimeZoneHours;
  state.DayCarry = 0;
  if (hours >= 24) {
    hours -= 24;
    state.DayCarry = 1;
  }
  if (hours < 0) {
    hours += 24;
    state.DayCarry = -1;
  }
  return TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds);
}

std::string FormatDate(const CoMPort& state, std::int32_t date) {
  const std::int64_t d = date;
  std::int64_t day = d / 10000;
  std::int64_t month = d / 100 - day * 100;
  std::int64_t year = d - (d / 100) * 100;
  // The local date of a shift across midnight: a valid date rolls over into the next or
  // previous month and year; anything else only moves its day, as received.
  const bool validDate = month >= 1 && month <= 12 && day >= 1 &&
                         day <= DaysInMonth(static_cast<int>(month), static_cast<int>(year + 2000));
  if (validDate && state.DayCarry == 1 &&
      day == DaysInMonth(static_cast<int>(month), static_cast<int>(year + 2000))) {
    day = 1;
    if (++month > 12) {
      month = 1;
      ++year;
    }
  } else if (validDate && state.DayCarry == -1 && day == 1) {
    if (--month < 1) {
      month = 12;
      --year;
    }
    day = DaysInMonth(static_cast<int>(month), static_cast<int>(year + 2000));
  } else {
    day += state.DayCarry;
  }
  return Decimal(year + 2000) + "/" + TwoDigits(month) + "/" + TwoDigits(day);
}

std::string FormatSpeed(float kmh) {
  // "%.15g" in the C locale: up to 15 significant digits, trailing zeros dropped, the
  // exponent form only far outside any speed.
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                    static_cast<double>(kmh), std::chars_format::general, 15);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace sattrail
