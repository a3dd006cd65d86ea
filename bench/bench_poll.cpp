// SPDX-License-Identifier: BSD-2-Clause
// The cost of one receive poll that reads real NMEA traffic and takes it through line
// assembly, dispatch and the parsers: a full 256-byte piece against the fake device and
// window (no system calls, no drawing), and a whole poll period at 115200 bit/s (1152 bytes),
// against the fake device and through a real pseudo-terminal, counting what was purged.
#include <benchmark/benchmark.h>

#include <string>

#include "fakes/FakeMessageBox.h"
#include "fakes/FakeRecordFile.h"
#include "fakes/FakeSerial.h"
#include "fakes/FakeTimer.h"
#include "fakes/TestWindow.h"
#include "platform/ControlNames.h"
#include "platform/PtyTestSupport.h"
#include "platform/linux/LinuxSerialPorts.h"
#include "serial/PortOpening.h"
#include "serial/ReceivePoll.h"
#include "state/RunState.h"

namespace {

using namespace sattrail;

// 115200 bit/s with ten bit times a byte, over one 100 ms poll period.
constexpr std::size_t kBytesPerPollAt115200 = 1152;

// Sentences of real receivers, repeated to `size` bytes.
std::string Piece(std::size_t size = 256) {
  const std::string epoch =
      "$GPRMC,202640.000,A,4404.1306,N,12118.8515,W,0.03,225.97,130415,,,D*73\r\n"
      "$GPGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,102.930,M,47.093,M,,*5A\r\n"
      "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\r\n"
      "$GPGSV,3,3,11,15,,,45,03,,,39,19,,,39*77\r\n";
  std::string piece;
  while (piece.size() < size) piece += epoch;
  piece.resize(size);
  return piece;
}

// The monitor's serial link over the given ports, opened at the speed of list index
// `speedIndex` as a click on On opens it.
struct OpenLink {
  OpenLink(SerialPorts& ports, int speedIndex)
      : link{run, window, timer1, timer2, messages, ports, files} {
    window.SetText(control::ButOpenGps, "On");
    window.SetItemIndex(control::ComboBox1, speedIndex);
    ButOpenGpsClick(link);
  }
  RunState run;
  testing::TestWindow window;
  testing::FakeTimer timer1{100}, timer2{1000};
  testing::FakeMessageBox messages;
  testing::FakeRecordFiles files;
  SerialLink link;
};

void BM_PollComPort256(benchmark::State& state) {
  testing::FakeSerialPorts ports;
  auto device = ports.Add("COM1");
  OpenLink open(ports, 0);
  const std::string piece = Piece();
  for (auto _ : state) {
    device->Queue(piece);  // a few hundred nanoseconds of the figure: a deque append
    PollComPort(open.link);
    benchmark::DoNotOptimize(open.run.LineBuffer.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 256);
}
BENCHMARK(BM_PollComPort256);

// One poll period of a receiver at 115200 bit/s. "purges" counts the polls that discarded the
// queue instead of handing it on (none expected: the poll drains up to 4096 bytes).
void BM_PollComPort115200(benchmark::State& state) {
  testing::FakeSerialPorts ports;
  auto device = ports.Add("COM1");
  OpenLink open(ports, 6);
  const std::size_t purgesAtOpen = device->purges.size();
  const std::string piece = Piece(kBytesPerPollAt115200);
  for (auto _ : state) {
    device->Queue(piece);
    PollComPort(open.link);
    benchmark::DoNotOptimize(open.run.LineBuffer.data());
  }
  state.counters["purges"] = static_cast<double>(device->purges.size() - purgesAtOpen);
  state.counters["left_in_queue"] = static_cast<double>(device->input.size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(kBytesPerPollAt115200));
}
BENCHMARK(BM_PollComPort115200);

// The same through the Linux device on a pseudo-terminal at 115200 bit/s: the queue query,
// the reads and the settings read-back are real system calls. The bytes are written and
// awaited outside the timing.
void BM_PollComPort115200_Pty(benchmark::State& state) {
  testing::PortLinkFolderForTest folder;
  testing::PseudoTerminal receiver;
  folder.Link(1, receiver.SlavePath());
  LinuxSerialPorts ports;
  OpenLink open(ports, 6);
  RunState& run = open.run;
  if (!run.PortHandle) {
    state.SkipWithError("the pseudo-terminal did not open");
    return;
  }
  const std::string piece = Piece(kBytesPerPollAt115200);
  std::uint64_t left = 0;
  for (auto _ : state) {
    state.PauseTiming();
    receiver.Send(piece);
    std::uint32_t queued = 0;
    while (run.PortHandle->QueuedInputCount(queued) && queued < piece.size()) {
    }
    state.ResumeTiming();
    PollComPort(open.link);
    state.PauseTiming();
    if (run.PortHandle->QueuedInputCount(queued)) left += queued;
    state.ResumeTiming();
  }
  state.counters["left_in_queue"] = static_cast<double>(left);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(kBytesPerPollAt115200));
}
BENCHMARK(BM_PollComPort115200_Pty);

}  // namespace

BENCHMARK_MAIN();
