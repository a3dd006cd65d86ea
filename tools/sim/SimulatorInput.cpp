// SPDX-License-Identifier: BSD-2-Clause
// What the simulator is told: the receiver commands that the monitor writes to the port, and
// the control lines on standard input that set faults, start the receiver again or end the
// run.
#include <unistd.h>

#include <optional>
#include <utility>

#include "Simulator.h"
#include "numbers/NumberConversion.h"

namespace sattrail::sim {

void Simulator::ReadCommands(double now) {
  char buffer[512];
  const ssize_t n = ::read(port_.master(), buffer, sizeof buffer);
  if (n <= 0) return;
  for (const std::string& line :
       commands_.Feed(std::string_view(buffer, static_cast<std::size_t>(n)))) {
    if (const std::optional<Command> command = ParseCommand(line))
      HandleCommand(*command, now);
    else
      Say("ignored \"" + line + "\"");
  }
}

void Simulator::HandleCommand(const Command& command, double now) {
  switch (command.kind) {
    case CommandKind::HotStart:
      return Restart(StartKind::Hot, now);
    case CommandKind::WarmStart:
      return Restart(StartKind::Warm, now);
    case CommandKind::ColdStart:
      return Restart(StartKind::Cold, now);
    case CommandKind::VersionQuery:
      Say("version query");
      return Enqueue(VersionReply(), now);
    case CommandKind::StatusQuery:
      Say("status query \"" + command.text + "\"");
      return Enqueue(StatusReply(command.text), now);
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

}  // namespace sattrail::sim
