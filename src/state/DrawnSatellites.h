// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <array>

#include "state/RunState.h"

namespace sattrail {

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

// What one drawing of the sky plot and the signal chart showed, in drawing order: the record
// the drawing hands back to the stream's observers (the replay tool, tests).
struct DrawnSatellites {
  std::array<DrawnSatellite, kSatelliteNumbers> items{};
  int count = 0;
};

}  // namespace sattrail
