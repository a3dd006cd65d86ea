// SPDX-License-Identifier: BSD-2-Clause
// Line assembly with dispatch over the largest capture, and the checksum of one sentence.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "fakes/TestWindow.h"
#include "nmea/Checksum.h"
#include "nmea/LineAssembly.h"
#include "state/RunState.h"
#include "support/TestCapture.h"

namespace {

// The whole telit-he910 capture (82 031 bytes, 1 568 lines) per iteration, handed over in
// the poll's 256-byte chunks, into a fresh run and the tests' window.
void BM_AssembleLinesTelit(benchmark::State& state) {
  const std::string capture = sattrail::testing::ReadTestCapture("telit-he910.log");
  if (capture.empty()) {
    state.SkipWithError("capture missing");
    return;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(capture.data());
  const std::size_t size = capture.size();
  std::int64_t lines = 0;
  for (char c : capture) lines += c == '\n' ? 1 : 0;
  for (auto _ : state) {
    sattrail::RunState run;
    sattrail::testing::TestWindow window;
    for (std::size_t at = 0; at < size; at += 256) {
      const int count = static_cast<int>(std::min<std::size_t>(256, size - at));
      auto errors = sattrail::AssembleLines(run, window, bytes + at, count);
      benchmark::DoNotOptimize(errors);
    }
    benchmark::DoNotOptimize(run.SentenceId);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
  state.counters["bytes/s"] =
      benchmark::Counter(static_cast<double>(size), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_AssembleLinesTelit)->Unit(benchmark::kMillisecond);

// A real GSA sentence of an MTK-3301, line end included.
void BM_CheckNmeaChecksum(benchmark::State& state) {
  constexpr std::string_view kLine = "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\r\n";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(kLine.data());
  for (auto _ : state) {
    benchmark::DoNotOptimize(bytes);
    bool good = sattrail::CheckNmeaChecksum(bytes, static_cast<int>(kLine.size()));
    benchmark::DoNotOptimize(good);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kLine.size()));
}
BENCHMARK(BM_CheckNmeaChecksum);

}  // namespace

BENCHMARK_MAIN();
