// SPDX-License-Identifier: BSD-2-Clause
#include "display/RmcDisplay.h"

#include <cmath>
#include <limits>

#include "display/PositionText.h"

namespace sattrail {

namespace {

std::int32_t TruncateTime(float utcTime) {
  if (std::isnan(utcTime)) return 0;
  if (utcTime >= 2147483647.0f) return std::numeric_limits<std::int32_t>::max();
  if (utcTime <= -2147483648.0f) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(utcTime);
}

}  // namespace

void ShowRmcValues(CoMPort& state, Window& window) {
  window.SetText("Edit8", state.LatHemisphere + FormatLatLon(static_cast<double>(state.Latitude)));
  window.SetText("Edit9", state.LonHemisphere + FormatLatLon(static_cast<double>(state.Longitude)));
  window.SetText("EdSpeed", FormatSpeed(state.SpeedKmh));
  // The time runs first: the date uses the day carry it has just produced.
  window.SetText("EdTime", FormatLocalTime(state, TruncateTime(state.UtcTime), state.Longitude,
                                           state.LonHemisphere));
  window.SetText("EdDate", FormatDate(state, state.UtcDate));
}

}  // namespace sattrail
