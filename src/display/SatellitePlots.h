// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <array>

#include "nmea/RunState.h"
#include "platform/Window.h"

namespace sattrail {

struct SkyPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const SkyPoint&, const SkyPoint&) = default;
};

// One satellite as a drawing drew it: the values it drew from and its disc's centre.
struct DrawnSatellite {
  int n = 0;
  int elevation = 0;
  int azimuth = 0;
  int signal = 0;
  bool used = false;  // drawn in the used colour
  int x = 0;
  int y = 0;
};

struct DrawnSatellites {
  std::array<DrawnSatellite, kSatelliteNumbers> items{};
  int count = 0;
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
