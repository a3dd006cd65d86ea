// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/SatelliteList.h"

#include "nmea/GsvEpochs.h"

namespace sattrail {

std::vector<ListedSatellite> ListSatellites(const RunState& run) {
  std::vector<ListedSatellite> listed;
  for (const SystemFacts& system : kSatelliteSystems) {
    for (int svid = system.firstSvid; svid <= system.lastSvid; ++svid) {
      const SatelliteId id{system.system, svid};
      const SlotEntry at = SlotEntryOf(id);
      const Sighting& seen = run.Sightings[at.slot][at.entry];
      if (!IsCurrent(run.Sky, seen)) continue;
      listed.push_back({id, seen.HasPosition, seen.Elevation, seen.Azimuth, StrongestSignal(seen),
                        seen.SignalIds, seen.Signals,
                        run.Sky.FixAtLastCycle.Lists(at.slot, at.entry)});
    }
  }
  return listed;
}

}  // namespace sattrail
