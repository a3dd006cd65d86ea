// SPDX-License-Identifier: BSD-2-Clause
#include "platform/linux/LinuxSerialHandle.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/linux/TerminalSettings.h"

namespace sattrail::serial_linux {
namespace {

// What a device that is no longer there answers: EIO from a terminal the kernel hung up (a
// USB adapter unplugged, a pseudo-terminal whose master closed), ENXIO or ENODEV from a
// driver whose hardware went away.
bool MeansGone(int error) {
  return error == EIO || error == ENXIO || error == ENODEV;
}

// A hang-up is reported by poll() whatever is asked for; asking costs one system call.
bool HungUp(int fd) {
  pollfd state{fd, 0, 0};
  return poll(&state, 1, 0) == 1 && (state.revents & (POLLHUP | POLLNVAL)) != 0;
}

}  // namespace

LinuxSerialHandle::LinuxSerialHandle(int fd, std::string devicePath, std::string reopenTarget)
    : fd_(fd), devicePath_(std::move(devicePath)), reopenTarget_(std::move(reopenTarget)) {}

LinuxSerialHandle::~LinuxSerialHandle() {
  ReleaseExclusive(fd_);
  close(fd_);  // also drops the flock
}

bool LinuxSerialHandle::Record(bool succeeded) {
  if (!succeeded) lastError_ = devicePath_ + ": " + std::strerror(errno);
  return succeeded;
}

bool LinuxSerialHandle::ApplySettings(const DeviceControlBlock& settings) {
  return Record(ApplyTerminalSettings(fd_, settings));
}

bool LinuxSerialHandle::ReadSettings(DeviceControlBlock& settings) {
  return Record(ReadTerminalSettings(fd_, settings));
}

bool LinuxSerialHandle::Purge(unsigned flags) {
  // Transfers are synchronous, so an abort has nothing pending to stop beyond the queues.
  const bool input = (flags & (PurgeRxAbort | PurgeRxClear)) != 0;
  const bool output = (flags & (PurgeTxAbort | PurgeTxClear)) != 0;
  return Record(FlushTerminal(fd_, input, output));
}

bool LinuxSerialHandle::RecordMaybeGone(bool succeeded) {
  if (!succeeded && MeansGone(errno)) gone_ = true;
  return Record(succeeded);
}

bool LinuxSerialHandle::QueuedInputCount(std::uint32_t& count) {
  count = 0;
  if (!RecordMaybeGone(QueuedInputBytes(fd_, count))) return false;
  // Some terminals left by their far side still answer the count, with 0; the hang-up shows
  // in poll(). Bytes still queued are read first.
  if (count == 0 && HungUp(fd_)) {
    errno = EIO;
    return RecordMaybeGone(false);
  }
  return true;
}

bool LinuxSerialHandle::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& delivered) {
  delivered = 0;
  if (count == 0) return true;
  ssize_t n = 0;
  do {
    n = read(fd_, buffer, count);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    if (errno == EAGAIN || errno == EWOULDBLOCK) return true;  // nothing there after all
    return RecordMaybeGone(false);
  }
  delivered = static_cast<std::uint32_t>(n);
  return true;
}

bool LinuxSerialHandle::Write(const std::uint8_t* bytes, std::uint32_t count) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteBudgetMilliseconds);
  std::uint32_t sent = 0;
  while (sent < count) {
    const ssize_t n = write(fd_, bytes + sent, count - sent);
    if (n > 0) {
      sent += static_cast<std::uint32_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return Record(false);
    // The output queue is full (flow control holding it, a slow line): wait for room, but
    // only briefly, so a stalled device never freezes the window.
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      errno = ETIMEDOUT;
      return Record(false);
    }
    pollfd waiting{fd_, POLLOUT, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) return Record(false);
    if (ready > 0 && (waiting.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
      errno = EIO;
      return Record(false);
    }
  }
  return true;
}

}  // namespace sattrail::serial_linux
