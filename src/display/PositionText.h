// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/DegreeSign.h"
#include "state/RunState.h"

namespace sattrail {

// ddmm.mmmm or dddmm.mmmm as degrees, minutes and seconds with one decimal: "24\xA2\x58" "46'7.4".
std::string FormatLatLon(double angle);
// hh:mm:ss local time from UTC hhmmss in the nautical time zone of the longitude (the whole
// hours nearest to degrees / 15, at most 12; west negative); writes DayCarry, and
// TimeZoneHours when the hemisphere is "W" or "E".
std::string FormatLocalTime(CoMPort& state, std::int32_t utcTime, float longitude,
                            std::string_view lonHemisphere);
// yyyy/mm/dd from ddmmyy, moved by DayCarry with month and year carries.
std::string FormatDate(const CoMPort& state, std::int32_t date);
// The speed as the general floating-point conversion writes it (15 significant digits).
std::string FormatSpeed(float kmh);

}  // namespace sattrail
