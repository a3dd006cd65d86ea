// SPDX-License-Identifier: BSD-2-Clause
#include "display/RmcDisplay.h"

#include "display/PositionText.h"
#include "display/Truncation.h"
#include "platform/ControlNames.h"

namespace sattrail {

void ShowRmcValues(CoMPort& state, Window& window) {
  window.SetText(control::Edit8,
                 state.LatHemisphere + FormatLatLon(static_cast<double>(state.Latitude)));
  window.SetText(control::Edit9,
                 state.LonHemisphere + FormatLatLon(static_cast<double>(state.Longitude)));
  window.SetText(control::EdSpeed, FormatSpeed(state.SpeedKmh));
  // The time runs first: the date uses the day carry it has just produced.
  window.SetText(control::EdTime,
                 FormatLocalTime(state, TruncateToInt32(static_cast<double>(state.UtcTime)),
                                 state.Longitude, state.LonHemisphere));
  window.SetText(control::EdDate, FormatDate(state, state.UtcDate));
}

}  // namespace sattrail
