// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The running simulator: one loop over the pseudo-terminal, standard input and the stop
// signals that builds an epoch each second, paces its bytes out and answers commands.

#include <ostream>
#include <string>
#include <vector>

#include "Capture.h"
#include "Commands.h"
#include "Faults.h"
#include "Options.h"
#include "Pacing.h"
#include "SimulatedPort.h"
#include "SkyModel.h"

namespace sattrail::sim {

class Simulator {
 public:
  Simulator(const Options& options, std::vector<CaptureEpoch> capture, std::ostream& log);

  // Runs until SIGINT, SIGTERM, SIGHUP or "quit"; returns the exit code. The port's link is
  // gone whenever it returns.
  int Run();

 private:
  int Start();
  void Serve(int stopSignals);
  double WakeTime(double now, double nextEpoch) const;
  bool WaitAndRead(int stopSignals, double now, double wake);
  void PlugAfterClose(double now);
  void Unplug();
  void StartEpoch(double now);
  bool SkipsEpoch(double now);
  std::string NextEpochBytes(double now);
  std::string NextCaptureBytes();
  void Enqueue(const std::string& bytes, double now);
  void WriteBurst(std::string bytes);
  void WriteDue(double now);
  void WriteNow(const std::string& bytes);
  void ReadCommands(double now);
  void HandleCommand(const Command& command, double now);
  void ReadControl(double now);
  void HandleControlLine(const std::string& line, double now);
  void Restart(StartKind kind, double now);
  void Say(const std::string& text);

  Options options_;
  std::vector<CaptureEpoch> capture_;
  std::size_t captureIndex_ = 0;
  bool captureEnded_ = false;
  std::ostream& log_;

  SkyModel sky_;
  FaultInjector faults_;
  Pacer pacer_;
  CommandReader commands_;
  SimulatedPort port_;

  std::string queue_;  // bytes of the current epoch not yet written
  unsigned rotation_ = 0;
  double silenceUntil_ = 0;
  double unpluggedUntil_ = 0;
  bool stdinOpen_ = true;
  std::string controlLine_;
  bool stop_ = false;
};

}  // namespace sattrail::sim
