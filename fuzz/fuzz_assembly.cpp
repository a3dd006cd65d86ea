// SPDX-License-Identifier: BSD-2-Clause
// Received bytes of any kind through line assembly with dispatch, the parsers and the
// drawings, into the tests' in-memory window. The first byte picks the chunk size, as the
// poll hands over 1 to 256 bytes at a time; a conversion error must come back as a
// message, never escape.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fakes/TestWindow.h"
#include "nmea/LineAssembly.h"
#include "nmea/SatelliteList.h"
#include "nmea/StreamObserver.h"
#include "state/RunState.h"

namespace {

constexpr std::size_t kLongestInput = 8192;

// Reads what it is given, so the sanitizers see every view handed out.
class TouchingObserver : public sattrail::StreamObserver {
 public:
  void LineEnded(std::string_view line, bool) override { sum += line.empty() ? 0 : line.back(); }
  void Dispatched(std::string_view sentenceId) override { sum += sentenceId.size(); }
  void ConversionFailed(std::string_view message) override { sum += message.size(); }
  void SatellitesDrawn(const sattrail::DrawnSatellites& drawn) override { sum += drawn.count; }
  std::size_t sum = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t chunk = static_cast<std::size_t>(data[0]) + 1;
  ++data;
  // The captures that seed the corpus run to 82 KB; past a few kilobytes a longer input
  // reaches no state a shorter one cannot, and only slows the search down.
  size = std::min<std::size_t>(size - 1, kLongestInput);
  sattrail::RunState run;
  sattrail::testing::TestWindow window;
  TouchingObserver observer;
  for (std::size_t at = 0; at < size; at += chunk) {
    const std::size_t count = std::min(chunk, size - at);
    sattrail::AssembleLines(run, window, data + at, static_cast<int>(count), &observer);
    // What the poll keeps bounded: the 400-character rule and the raw copy's capacity.
    if (run.LineBuffer.size() > 400 || run.RawLineCount > sattrail::kRawLineCapacity) {
      __builtin_trap();
    }
  }
  // The sky that dispatch built, as the replay reports it.
  for (const sattrail::ListedSatellite& satellite : sattrail::ListSatellites(run)) {
    observer.sum += static_cast<std::size_t>(satellite.signal + satellite.id.svid);
  }
  return 0;
}
