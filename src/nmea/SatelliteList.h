// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <vector>

#include "state/RunState.h"
#include "systems/SatelliteSystems.h"

namespace sattrail {

// One satellite of the sky as the receiver reports it now.
struct ListedSatellite {
  SatelliteId id;
  bool hasPosition = false;  // false: no group of the epoch gave its elevation and azimuth
  int elevation = 0;
  int azimuth = 0;
  int signal = 0;  // the strongest of its signals, 0 when it is tracked on none
  std::uint16_t signalIds = 0;
  std::array<std::int16_t, kSignalIds> signalValues{};  // by signal ID, kNotTracked when untracked
  bool used = false;  // listed by the latest GSA sentences of its system as the latest cycle closed
};

// Every satellite of every system that the receiver's latest epochs report, in the order of
// the legend and by number within each system.
std::vector<ListedSatellite> ListSatellites(const RunState& run);

}  // namespace sattrail
