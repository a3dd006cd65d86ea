// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/Window.h"
#include "state/DrawnSatellites.h"
#include "state/RunState.h"

namespace sattrail {

struct SkyPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const SkyPoint&, const SkyPoint&) = default;
};

// Disc centre on the sky plot for an elevation and azimuth in whole degrees.
SkyPoint SkyPosition(int elevation, int azimuth);
// Height of a signal bar in pixels.
int BarHeight(int signal);

// Redraws the signal chart (Image1) and the sky plot (Image2) from SatelliteTable[slot];
// consumes the drawn satellites' reports and the used flags.
DrawnSatellites DrawSatellitePlots(RunState& run, Window& window, int slot);
// Blanks the chart in grey and the sky plot in green with its outer ring.
void ClearSatellitePlots(Window& window);

}  // namespace sattrail
