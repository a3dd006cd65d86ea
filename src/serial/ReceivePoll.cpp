// SPDX-License-Identifier: BSD-2-Clause
#include "serial/ReceivePoll.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "nmea/DisplayReset.h"
#include "nmea/LineAssembly.h"
#include "numbers/NumberConversion.h"
#include "platform/ControlNames.h"
#include "serial/DeviceReturn.h"
#include "serial/Recording.h"

namespace sattrail {
namespace {

constexpr std::string_view kMemo = control::OutTextBox;
constexpr std::size_t kMemoLimit = 1000;
constexpr int kSilentPollsBeforeReset = 15;

// Reads what the device has queued, a piece of at most 256 bytes at a time through one fixed
// buffer, each piece straight on to line assembly. A once-a-second burst at 38400 bit/s is
// well over 256 bytes, and at 115200 bit/s a poll period alone brings up to 1152 bytes, so
// the queue is drained rather than thrown away; only what lies beyond 4096 bytes, far more
// than any receiver sends in one poll period, is discarded.
int DrainQueue(SerialLink& link, SerialHandle& port, std::vector<std::string>& errors) {
  port.ReadSettings(link.run.DeviceControl);  // failure changes nothing worth acting on
  std::uint32_t queued = 0;
  if (!port.QueuedInputCount(queued)) queued = 0;

  std::array<std::uint8_t, kReadPieceBytes + 1> buffer{};
  const std::uint32_t wanted = std::min<std::uint32_t>(queued, kMaxBytesPerPoll);
  std::uint32_t total = 0;
  while (total < wanted) {
    const std::uint32_t piece = std::min<std::uint32_t>(wanted - total, kReadPieceBytes);
    std::uint32_t delivered = 0;
    if (!port.Read(buffer.data(), piece, delivered)) delivered = 0;
    if (delivered == 0) break;
    delivered = std::min(delivered, piece);
    buffer[delivered] = 0;
    total += delivered;
    RecordReceived(link.run, buffer.data(), delivered);
    std::vector<std::string> found =
        AssembleLines(link.run, link.window, buffer.data(), static_cast<int>(delivered));
    errors.insert(errors.end(), std::make_move_iterator(found.begin()),
                  std::make_move_iterator(found.end()));
  }
  if (queued > kMaxBytesPerPoll) port.Purge(PurgeRxClear);
  return static_cast<int>(total);
}

}  // namespace

void PollComPort(SerialLink& link) {
  if (link.window.Text(kMemo).size() > kMemoLimit) link.window.SetText(kMemo, "");

  AwaitVanishedDevice(link);
  std::vector<std::string> errors;
  int count = 0;
  if (link.run.PortHandle) {
    count = DrainQueue(link, *link.run.PortHandle, errors);
    // A device that has gone would make every later poll silent for good: let go of it and
    // wait for it to come back.
    if (link.run.PortHandle->Gone()) ReleaseVanishedDevice(link);
  }
  FlushRecordingWhenDue(link.run);

  if (count == 0) {
    ++link.run.SilenceCount;
    if (link.run.SilenceCount >= kSilentPollsBeforeReset) {
      DiscardPartialLine(link.run);
      link.run.SilenceCount = 0;
      ResetDisplay(link.run, link.window);
    }
  }
  // A malformed field cost only its own line; the first such error is shown once the poll
  // has handed on everything it read.
  if (!errors.empty()) throw ConversionError(errors.front());
}

void Timer1Timer(SerialLink& link) {
  link.timer1.SetEnabled(false);
  {
    // Whatever the poll raises, polling goes on: one bad sentence must not stop the monitor.
    struct ReEnable {
      Timer& timer;
      ~ReEnable() {
        timer.SetInterval(kPollInterval);
        timer.SetEnabled(true);
      }
    } reEnable{link.timer1};
    PollComPort(link);
  }
  // With the timer running again, so that the polls go on while the box is open.
  ShowRecordingFailure(link);
}

}  // namespace sattrail
