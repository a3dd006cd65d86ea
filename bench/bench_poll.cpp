// SPDX-License-Identifier: BSD-2-Clause
// The cost of one receive poll that reads a full 256-byte piece of real NMEA traffic and
// takes it through line assembly, dispatch and the parsers, against the fake device and
// window (no system calls, no drawing).
#include <benchmark/benchmark.h>

#include <string>

#include "fakes/FakeMessageBox.h"
#include "fakes/FakeSerial.h"
#include "fakes/FakeTimer.h"
#include "fakes/FakeWindow.h"
#include "nmea/RunState.h"
#include "serial/PortOpening.h"
#include "serial/ReceivePoll.h"

namespace {

using namespace sattrail;

// Sentences of real receivers, repeated to 256 bytes.
std::string Piece() {
  const std::string epoch =
      "$GPRMC,202640.000,A,4404.1306,N,12118.8515,W,0.03,225.97,130415,,,D*73\r\n"
      "$GPGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,102.930,M,47.093,M,,*5A\r\n"
      "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\r\n"
      "$GPGSV,3,3,11,15,,,45,03,,,39,19,,,39*77\r\n";
  std::string piece;
  while (piece.size() < 256) piece += epoch;
  piece.resize(256);
  return piece;
}

void BM_PollComPort256(benchmark::State& state) {
  testing::FakeSerialPorts ports;
  auto device = ports.Add("COM1");
  RunState run;
  testing::FakeWindow window;
  testing::FakeTimer timer1(100), timer2(1000);
  testing::FakeMessageBox messages;
  SerialLink link{run, window, timer1, timer2, messages, ports};
  window.SetText("ButOpenGps", "On");
  ButOpenGpsClick(link);
  const std::string piece = Piece();
  for (auto _ : state) {
    device->Queue(piece);  // a few hundred nanoseconds of the figure: a deque append
    PollComPort(link);
    benchmark::DoNotOptimize(run.LineBuffer.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 256);
}
BENCHMARK(BM_PollComPort256);

}  // namespace

BENCHMARK_MAIN();
