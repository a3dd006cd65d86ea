// SPDX-License-Identifier: BSD-2-Clause
// The sky plot and signal chart from any table contents, used flags and fix text: values as
// odd as a GSV sentence can store (huge or negative signals, angles far outside 0 to 360).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "display/SatellitePlots.h"
#include "fakes/TestWindow.h"
#include "platform/ControlNames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sattrail;
  FuzzedDataProvider provider(data, size);
  RunState run;
  testing::TestWindow window;
  static const char* const kFixTexts[] = {"3D", "2D", "NONE", ""};
  const int drawings = provider.ConsumeIntegralInRange(1, 3);
  for (int drawing = 0; drawing < drawings; ++drawing) {
    window.SetText(control::Edit6, kFixTexts[provider.ConsumeIntegralInRange(0, 3)]);
    for (int n = 0; n < kSatelliteNumbers && provider.remaining_bytes() > 0; ++n) {
      SatelliteEntry& entry = run.SatelliteTable[1][n];
      entry.Reported = provider.ConsumeIntegralInRange(0, 2);
      entry.Elevation = provider.ConsumeIntegral<std::int32_t>();
      entry.Azimuth = provider.ConsumeIntegral<std::int32_t>();
      entry.Signal = provider.ConsumeIntegral<std::int32_t>();
      run.GpsState.UsedSatellites[1][n] = provider.ConsumeBool() ? 1 : 0;
    }
    const DrawnSatellites drawn = DrawSatellitePlots(run, window, 1);
    if (drawn.count < 0 || drawn.count > 49) throw std::logic_error("impossible count");
    for (int k = 0; k < drawn.count; ++k) {
      // Every disc centre lies within the horizon circle around (50, 50).
      const DrawnSatellite& s = drawn.items[k];
      if (s.x < 19 || s.x > 81 || s.y < 19 || s.y > 81) throw std::logic_error("disc off the plot");
    }
    if (provider.ConsumeBool()) ClearSatellitePlots(window);
  }
  return 0;
}
