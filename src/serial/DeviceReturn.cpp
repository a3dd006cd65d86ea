// SPDX-License-Identifier: BSD-2-Clause
#include "serial/DeviceReturn.h"

#include <memory>
#include <utility>

namespace sattrail {
namespace {

constexpr unsigned kPurgeEverything = PurgeTxAbort | PurgeRxAbort | PurgeTxClear | PurgeRxClear;

// The open sequence's set-up steps, each failure only meaning "not back yet".
bool SetUpQuietly(SerialHandle& port, DeviceControlBlock& control) {
  return port.ApplySettings(control) && port.Purge(kPurgeEverything) && port.ReadSettings(control);
}

}  // namespace

void ReleaseVanishedDevice(SerialLink& link) {
  RunState& run = link.run;
  run.ReopenTarget = run.PortHandle->ReopenTarget();
  run.PollsUntilReopen = kPollsBetweenReopenTries;
  run.PortHandle.reset();
}

void AwaitVanishedDevice(SerialLink& link) {
  RunState& run = link.run;
  if (run.PortHandle || run.ReopenTarget.empty()) return;
  if (--run.PollsUntilReopen > 0) return;
  run.PollsUntilReopen = kPollsBetweenReopenTries;
  std::unique_ptr<SerialHandle> port = link.ports.Reopen(run.ReopenTarget);
  if (!port || !SetUpQuietly(*port, run.DeviceControl)) return;
  run.PortHandle = std::move(port);
  run.ReopenTarget.clear();
}

}  // namespace sattrail
