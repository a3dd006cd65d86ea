// SPDX-License-Identifier: BSD-2-Clause
#include "Simulator.h"

#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <utility>

#include "EpochSentences.h"
#include "platform/linux/StopSignals.h"

namespace sattrail::sim {
namespace {

double Now() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Bytes go out at most every 10 ms: 48 bytes at a time at 4800 bit/s, close enough to a
// steady stream for a monitor polling every 100 ms, and cheap on the processor.
constexpr double kWriteTick = 0.010;
constexpr std::size_t kBurstBytes = 300;

const char* StartName(StartKind kind) {
  switch (kind) {
    case StartKind::Hot:
      return "hot";
    case StartKind::Warm:
      return "warm";
    case StartKind::Cold:
      break;
  }
  return "cold";
}

}  // namespace

Simulator::Simulator(const Options& options, std::vector<CaptureEpoch> capture, std::ostream& log)
    : options_(options),
      capture_(std::move(capture)),
      log_(log),
      sky_(options.place, options.seed, options.reception),
      faults_(options.seed + 1),
      pacer_(options.speed),
      port_(log) {
  for (const FaultSetting& setting : options_.faults) faults_.SetRate(setting.fault, setting.rate);
}

void Simulator::Say(const std::string& text) {
  if (!options_.quiet) log_ << "sattrail-sim: " << text << std::endl;
}

void Simulator::Unplug() {
  port_.Unplug();
  queue_.clear();
}

void Simulator::Restart(StartKind kind, double now) {
  Say(std::string(StartName(kind)) + " start");
  sky_.Restart(kind, std::floor(now));
  captureIndex_ = 0;
  captureEnded_ = false;
  queue_.clear();
}

std::string Simulator::NextEpochBytes(double now) {
  if (!capture_.empty()) return NextCaptureBytes();
  const Epoch epoch = sky_.Step(std::floor(now));
  return faults_.Frame(BuildEpochBodies(epoch, EpochByteBudget(options_.speed), rotation_++));
}

std::string Simulator::NextCaptureBytes() {
  if (captureIndex_ >= capture_.size()) {
    if (!options_.loop) {
      if (!captureEnded_) Say("end of the capture (use --loop to repeat it)");
      captureEnded_ = true;
      return {};
    }
    captureIndex_ = 0;
  }
  std::string bytes;
  for (const std::string& line : capture_[captureIndex_]) bytes += faults_.ApplyToLine(line);
  ++captureIndex_;
  return bytes;
}

// Whether this second sends no epoch: the port is unplugged or the line silent, by a fault
// that may strike now, or the last epochs have not gone out yet.
bool Simulator::SkipsEpoch(double now) {
  if (!port_.IsOpen()) {
    if (now < unpluggedUntil_ || !port_.Plug()) return true;
    Say("plugged in again");
  }
  if (faults_.Strikes(Fault::Unplug)) {
    Say("unplugged");
    Unplug();
    unpluggedUntil_ = now + options_.faultSeconds;
    return true;
  }
  if (now < silenceUntil_) return true;
  // A capture recorded at a higher speed may hold more than a second's bytes at this one:
  // its epochs then come as fast as the line carries them, and the backlog stays bounded.
  if (queue_.size() > static_cast<std::size_t>(BytesPerSecond(options_.speed))) return true;
  if (faults_.Strikes(Fault::Silence)) {
    Say("silent");
    silenceUntil_ = now + options_.faultSeconds;
    return true;
  }
  return false;
}

void Simulator::StartEpoch(double now) {
  if (SkipsEpoch(now)) return;
  std::string bytes = NextEpochBytes(now);
  if (bytes.empty()) return;
  if (faults_.Strikes(Fault::Burst)) return WriteBurst(std::move(bytes));
  Enqueue(bytes, now);
}

// Bytes to go out paced, after those of the epoch under way.
void Simulator::Enqueue(const std::string& bytes, double now) {
  if (queue_.empty()) pacer_.Start(now);
  queue_ += bytes;
}

// More than 256 bytes in one write, as a receiver flushing a full buffer would send.
void Simulator::WriteBurst(std::string bytes) {
  const std::string epoch = bytes;
  while (bytes.size() <= kBurstBytes) bytes += epoch;
  WriteNow(queue_ + bytes);
  queue_.clear();
}

void Simulator::WriteNow(const std::string& bytes) {
  if (!port_.IsOpen() || bytes.empty()) return;
  // Nobody reading and the terminal's buffer full: the bytes are lost, as on a real line.
  [[maybe_unused]] const ssize_t n = ::write(port_.master(), bytes.data(), bytes.size());
}

void Simulator::WriteDue(double now) {
  if (queue_.empty() || !port_.IsOpen()) return;
  const std::size_t due = std::min(pacer_.Allowance(now), queue_.size());
  if (due == 0) return;
  const ssize_t n = ::write(port_.master(), queue_.data(), due);
  if (n < 0) {
    // The buffer is full (nobody reads) or the slave is gone: drop what is due.
    pacer_.Sent(due);
    queue_.erase(0, due);
    return;
  }
  pacer_.Sent(static_cast<std::size_t>(n));
  queue_.erase(0, static_cast<std::size_t>(n));
}

int Simulator::Run() {
  signal(SIGPIPE, SIG_IGN);
  const StopSignals stop({SIGINT, SIGTERM, SIGHUP});
  if (!stop.IsOpen()) {
    log_ << "sattrail-sim: signalfd: " << std::strerror(errno) << std::endl;
    return 1;
  }
  if (const int failed = Start(); failed != 0) return failed;
  Serve(stop.fd());
  Unplug();
  port_.Release();
  Say("stopped");
  return 0;
}

// Claims the port and plugs the first terminal in; 0, or the exit status when it cannot.
int Simulator::Start() {
  if (const int failed = port_.Claim(options_.port); failed != 0) return failed;
  if (!port_.Plug()) return 1;
  Say("COM" + std::to_string(options_.port) + " is " + port_.link().string() + " -> " +
      port_.target() + ", " + std::to_string(options_.speed) + " bit/s, " +
      (capture_.empty() ? std::string("built-in sky, ") + StartName(options_.start) + " start"
                        : "replaying " + options_.capture));
  return 0;
}

// An epoch at the start of every second, its bytes paced out in between, until stopped.
void Simulator::Serve(int stopSignals) {
  double now = Now();
  sky_.Restart(options_.start, std::floor(now));
  double nextEpoch = std::floor(now) + 1;
  StartEpoch(now);
  while (!stop_) {
    now = Now();
    if (now >= nextEpoch) {
      StartEpoch(now);
      nextEpoch = std::floor(now) + 1;
    }
    WriteDue(now);
    if (!WaitAndRead(stopSignals, now, WakeTime(now, nextEpoch))) return;
  }
}

// The next epoch, or the next paced write when bytes are waiting.
double Simulator::WakeTime(double now, double nextEpoch) const {
  if (queue_.empty()) return nextEpoch;
  return std::min(nextEpoch, std::max(pacer_.NextByteTime(), now + kWriteTick));
}

// Waits until wake for a stop signal, a control line or the monitor's bytes, and handles
// what came. False when a stop signal came or the wait failed.
bool Simulator::WaitAndRead(int stopSignals, double now, double wake) {
  pollfd fds[3] = {{stopSignals, POLLIN, 0}, {-1, POLLIN, 0}, {-1, POLLIN, 0}};
  if (stdinOpen_) fds[1].fd = STDIN_FILENO;
  if (port_.IsOpen()) fds[2].fd = port_.master();
  const int timeoutMs = std::max(0, static_cast<int>(std::ceil((wake - now) * 1000)));
  if (poll(fds, 3, timeoutMs) < 0 && errno != EINTR) return false;
  now = Now();
  if (fds[0].revents & POLLIN) return false;
  if (fds[1].revents & (POLLIN | POLLHUP)) ReadControl(now);
  if (fds[2].revents & POLLIN) ReadCommands(now);
  if (port_.IsOpen() && (fds[2].revents & POLLHUP) && !(fds[2].revents & POLLIN))
    PlugAfterClose(now);
  return true;
}

// The monitor closed the port. A fresh terminal under the same name lets it open the port
// again even after it had claimed the old one for exclusive use.
void Simulator::PlugAfterClose(double now) {
  queue_.clear();
  if (!port_.Plug()) {
    port_.RemoveLink();
    unpluggedUntil_ = now + 1;
  }
}

}  // namespace sattrail::sim
