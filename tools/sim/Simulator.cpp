// SPDX-License-Identifier: BSD-2-Clause
#include "Simulator.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <utility>

#include "EpochSentences.h"
#include "PortLink.h"
#include "nmea/NumberConversion.h"

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
      sky_(options.place, options.seed),
      faults_(options.seed + 1),
      pacer_(options.speed) {
  for (const FaultSetting& setting : options_.faults) faults_.SetRate(setting.fault, setting.rate);
}

void Simulator::Say(const std::string& text) {
  if (!options_.quiet) log_ << "sattrail-sim: " << text << std::endl;
}

bool Simulator::Plug() {
  std::string error;
  if (!terminal_.Open(&error)) {
    log_ << "sattrail-sim: " << error << std::endl;
    return false;
  }
  // A link to a recorded terminal is this simulator's own, or was left by one that was
  // killed; either may be replaced. Any other link is left alone unless it leads nowhere.
  const std::vector<std::string> recorded = claim_.targets();
  const std::string previous = PortLinkTarget(link_);
  const bool replace = !previous.empty() && claim_.Recorded(previous);
  std::vector<std::string> targets = recorded;
  targets.push_back(terminal_.slaveName());
  if (!claim_.Record(targets))
    log_ << "sattrail-sim: cannot write " << PortLockPath(link_).string() << std::endl;
  if (!PlacePortLink(link_, terminal_.slaveName(), replace, &error)) {
    log_ << "sattrail-sim: " << error << std::endl;
    terminal_.Close();
    claim_.Record(recorded);
    return false;
  }
  linkTarget_ = terminal_.slaveName();
  claim_.Record({linkTarget_});
  return true;
}

void Simulator::Unplug() {
  RemovePortLink(link_, linkTarget_);
  terminal_.Close();
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
  if (capture_.empty()) {
    const Epoch epoch = sky_.Step(std::floor(now));
    return faults_.Frame(BuildEpochBodies(epoch, EpochByteBudget(options_.speed), rotation_++));
  }
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

void Simulator::StartEpoch(double now) {
  if (!terminal_.IsOpen()) {
    if (now < unpluggedUntil_) return;
    if (!Plug()) return;
    Say("plugged in again");
  }
  if (faults_.Strikes(Fault::Unplug)) {
    Say("unplugged");
    Unplug();
    unpluggedUntil_ = now + options_.faultSeconds;
    return;
  }
  if (now < silenceUntil_) return;
  // A capture recorded at a higher speed may hold more than a second's bytes at this one:
  // its epochs then come as fast as the line carries them, and the backlog stays bounded.
  if (queue_.size() > static_cast<std::size_t>(BytesPerSecond(options_.speed))) return;
  if (faults_.Strikes(Fault::Silence)) {
    Say("silent");
    silenceUntil_ = now + options_.faultSeconds;
    return;
  }
  std::string bytes = NextEpochBytes(now);
  if (bytes.empty()) return;
  if (faults_.Strikes(Fault::Burst)) {
    // More than 256 bytes in one write, as a receiver flushing a full buffer would send.
    const std::string epoch = bytes;
    while (bytes.size() <= kBurstBytes) bytes += epoch;
    WriteNow(queue_ + bytes);
    queue_.clear();
    return;
  }
  if (queue_.empty()) pacer_.Start(now);
  queue_ += bytes;
}

void Simulator::WriteNow(const std::string& bytes) {
  if (!terminal_.IsOpen() || bytes.empty()) return;
  // Nobody reading and the terminal's buffer full: the bytes are lost, as on a real line.
  [[maybe_unused]] const ssize_t n = ::write(terminal_.master(), bytes.data(), bytes.size());
}

void Simulator::WriteDue(double now) {
  if (queue_.empty() || !terminal_.IsOpen()) return;
  const std::size_t due = std::min(pacer_.Allowance(now), queue_.size());
  if (due == 0) return;
  const ssize_t n = ::write(terminal_.master(), queue_.data(), due);
  if (n < 0) {
    // The buffer is full (nobody reads) or the slave is gone: drop what is due.
    pacer_.Sent(due);
    queue_.erase(0, due);
    return;
  }
  pacer_.Sent(static_cast<std::size_t>(n));
  queue_.erase(0, static_cast<std::size_t>(n));
}

void Simulator::ReadCommands(double now) {
  char buffer[512];
  const ssize_t n = ::read(terminal_.master(), buffer, sizeof buffer);
  if (n <= 0) return;
  for (const std::string& line :
       commands_.Feed(std::string_view(buffer, static_cast<std::size_t>(n)))) {
    const std::optional<Command> command = ParseCommand(line);
    if (!command) {
      Say("ignored \"" + line + "\"");
      continue;
    }
    switch (command->kind) {
      case CommandKind::HotStart:
        Restart(StartKind::Hot, now);
        break;
      case CommandKind::WarmStart:
        Restart(StartKind::Warm, now);
        break;
      case CommandKind::ColdStart:
        Restart(StartKind::Cold, now);
        break;
      case CommandKind::VersionQuery:
        Say("version query");
        if (queue_.empty()) pacer_.Start(now);
        queue_ += VersionReply();
        break;
      case CommandKind::StatusQuery:
        Say("status query \"" + command->text + "\"");
        if (queue_.empty()) pacer_.Start(now);
        queue_ += StatusReply(command->text);
        break;
    }
  }
}

// Control lines are a few words; input that never ends a line must not grow the simulator.
constexpr std::size_t kLongestControlLine = 1024;

void Simulator::ReadControl(double now) {
  char buffer[256];
  const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
  if (n <= 0) {
    // The end of the control input ends its last line, line feed or not.
    stdinOpen_ = false;
    HandleControlLine(std::exchange(controlLine_, {}), now);
    return;
  }
  for (ssize_t i = 0; i < n; ++i) {
    if (buffer[i] == '\n')
      HandleControlLine(std::exchange(controlLine_, {}), now);
    else if (controlLine_.size() < kLongestControlLine)
      controlLine_ += buffer[i];  // a longer line is no control line: its end is dropped
  }
}

void Simulator::HandleControlLine(const std::string& line, double now) {
  if (line.find_first_not_of(" \t\r") == std::string::npos) return;
  std::string error;
  const std::optional<ControlCommand> control = ParseControlLine(line, &error);
  if (!control) {
    log_ << "sattrail-sim: " << error << std::endl;
    return;
  }
  switch (control->kind) {
    case ControlCommand::Kind::SetFault:
      faults_.SetRate(control->fault, control->rate);
      Say("fault " + std::string(FaultName(control->fault)) +
          (control->rate > 0 ? " at rate " + FormatFixed(control->rate, 6) : " off"));
      break;
    case ControlCommand::Kind::TriggerFault:
      faults_.TriggerOnce(control->fault);
      Say("fault " + std::string(FaultName(control->fault)) + " once");
      break;
    case ControlCommand::Kind::Start:
      Restart(control->start == 0   ? StartKind::Hot
              : control->start == 1 ? StartKind::Warm
                                    : StartKind::Cold,
              now);
      break;
    case ControlCommand::Kind::Quit:
      stop_ = true;
      break;
  }
}

int Simulator::Run() {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);
  const int signals = signalfd(-1, &stopSignals, SFD_CLOEXEC);
  if (signals < 0) {
    log_ << "sattrail-sim: signalfd: " << std::strerror(errno) << std::endl;
    return 1;
  }

  const std::string folder = serial_linux::PortLinkFolder();
  link_ = PortLinkPath(folder, options_.port);
  std::string error;
  // A monitor ignores links in a folder that others could change, so a simulator that put
  // its link there would serve nobody: it says why and does not start.
  if (!serial_linux::MakePortLinkFolder(folder, error)) {
    log_ << "sattrail-sim: " << error << std::endl;
    ::close(signals);
    return 2;
  }
  if (!claim_.Take(link_, &error)) {
    log_ << "sattrail-sim: " << error << std::endl;
    ::close(signals);
    return 1;
  }
  if (!Plug()) {
    ::close(signals);
    return 1;
  }
  Say("COM" + std::to_string(options_.port) + " is " + link_.string() + " -> " + linkTarget_ +
      ", " + std::to_string(options_.speed) + " bit/s, " +
      (capture_.empty() ? std::string("built-in sky, ") + StartName(options_.start) + " start"
                        : "replaying " + options_.capture));

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

    double wake = nextEpoch;
    if (!queue_.empty()) wake = std::min(wake, std::max(pacer_.NextByteTime(), now + kWriteTick));
    pollfd fds[3] = {{signals, POLLIN, 0}, {-1, POLLIN, 0}, {-1, POLLIN, 0}};
    if (stdinOpen_) fds[1].fd = STDIN_FILENO;
    if (terminal_.IsOpen()) fds[2].fd = terminal_.master();
    const int timeoutMs = std::max(0, static_cast<int>(std::ceil((wake - now) * 1000)));
    if (poll(fds, 3, timeoutMs) < 0 && errno != EINTR) break;
    now = Now();
    if (fds[0].revents & POLLIN) break;
    if (fds[1].revents & (POLLIN | POLLHUP)) ReadControl(now);
    if (fds[2].revents & POLLIN) ReadCommands(now);
    if (terminal_.IsOpen() && (fds[2].revents & POLLHUP) && !(fds[2].revents & POLLIN)) {
      // The monitor closed the port. A fresh terminal under the same name lets it open the
      // port again even after it had claimed the old one for exclusive use; the link is
      // swapped in one rename, so the name never goes missing.
      queue_.clear();
      if (!Plug()) {
        RemovePortLink(link_, linkTarget_);
        unpluggedUntil_ = now + 1;
      }
    }
  }
  Unplug();
  claim_.Record({});
  ::close(signals);
  Say("stopped");
  return 0;
}

}  // namespace sattrail::sim
