// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string>

#include "platform/SerialDevice.h"

namespace sattrail::serial_linux {

// One open terminal device, held exclusively (TIOCEXCL and an flock). Non-blocking: reads
// take only what is queued; a write waits a short bounded time for room, never longer.
// A device that has gone (a USB receiver pulled out, the far side of a pseudo-terminal
// closed) fails every query and delivers nothing; the queued-count query and the read say so
// through Gone(), and closing it is clean.
class LinuxSerialHandle : public SerialHandle {
 public:
  // Takes ownership of `fd`. `reopenTarget` is what opens this device again (ReopenTarget).
  LinuxSerialHandle(int fd, std::string devicePath, std::string reopenTarget);
  ~LinuxSerialHandle() override;
  LinuxSerialHandle(const LinuxSerialHandle&) = delete;
  LinuxSerialHandle& operator=(const LinuxSerialHandle&) = delete;

  bool ApplySettings(const DeviceControlBlock& settings) override;
  bool ReadSettings(DeviceControlBlock& settings) override;
  bool Purge(unsigned flags) override;
  bool QueuedInputCount(std::uint32_t& count) override;
  bool Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& delivered) override;
  bool Write(const std::uint8_t* bytes, std::uint32_t count) override;
  std::string LastErrorText() const override { return lastError_; }
  bool Gone() const override { return gone_; }
  std::string ReopenTarget() const override { return reopenTarget_; }

  // How long a write may wait for the device to take its bytes.
  static constexpr int kWriteBudgetMilliseconds = 250;

 private:
  bool Record(bool succeeded);
  // Notes a failure whose errno means the device itself has gone.
  bool RecordMaybeGone(bool succeeded);

  int fd_;
  std::string devicePath_;
  std::string reopenTarget_;
  std::string lastError_;
  bool gone_ = false;
};

}  // namespace sattrail::serial_linux
