// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace sattrail {

// The device-control record kept for the whole run. Before each open only BaudRate,
// ByteSize, Parity and StopBits are written; the record is applied unchanged and read back
// after the open and on every poll. Zero means: no parity checking, no CTS/DSR output flow
// control, DTR and RTS held off, no XON/XOFF in either direction.
struct DeviceControlBlock {
  std::uint32_t DCBlength = 0;
  std::uint32_t BaudRate = 0;
  bool fParity = false;
  bool fOutxCtsFlow = false;
  bool fOutxDsrFlow = false;
  std::uint8_t fDtrControl = 0;  // 0 off, 1 on, 2 handshake
  bool fDsrSensitivity = false;
  bool fOutX = false;
  bool fInX = false;
  std::uint8_t fRtsControl = 0;  // 0 off, 1 on, 2 handshake, 3 toggle
  std::uint8_t ByteSize = 0;
  std::uint8_t Parity = 0;    // 0 none, 1 odd, 2 even
  std::uint8_t StopBits = 0;  // 0 one, 2 two
  friend bool operator==(const DeviceControlBlock&, const DeviceControlBlock&) = default;
};

// Flags of Purge, combinable.
enum PurgeFlag : unsigned {
  PurgeTxAbort = 1,
  PurgeRxAbort = 2,
  PurgeTxClear = 4,
  PurgeRxClear = 8,
};

// One open serial device. Destroying it closes the device. Every call returns at once: reads
// ask only for bytes already queued, writes are one synchronous write.
class SerialHandle {
 public:
  virtual ~SerialHandle() = default;
  virtual bool ApplySettings(const DeviceControlBlock& settings) = 0;
  virtual bool ReadSettings(DeviceControlBlock& settings) = 0;
  virtual bool Purge(unsigned flags) = 0;
  virtual bool QueuedInputCount(std::uint32_t& count) = 0;
  virtual bool Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& delivered) = 0;
  virtual bool Write(const std::uint8_t* bytes, std::uint32_t count) = 0;
  // The system's reason for the last failed call, with the device path.
  virtual std::string LastErrorText() const = 0;
  // True once the device has said that it is gone (a USB receiver pulled out, the far side of
  // a pseudo-terminal closed): nothing will come through this handle again, only closing it.
  virtual bool Gone() const = 0;
  // What SerialPorts::Reopen needs to find this same device again when it comes back.
  virtual std::string ReopenTarget() const = 0;
};

// Why an open failed, shown on the face of the error box under its text: the device the
// name resolved to, the system's reason and what the user can do about it.
struct OpenFailure {
  std::string devicePath;
  std::string reason;
  std::string group;   // for a permission error, the group with read and write access
  std::string advice;  // one sentence: what to do

  // Short lines read at a glance:
  //   Device: /dev/ttyUSB0
  //   Reason: Permission denied
  //   Join the group 'dialout': sudo usermod -aG dialout "$USER", then log out and in again.
  std::string InformativeText() const {
    std::string text = "Device: " + (devicePath.empty() ? std::string("none found") : devicePath);
    if (!reason.empty()) text += "\nReason: " + reason;
    if (!advice.empty()) text += "\n" + advice;
    return text;
  }
};

class SerialPorts {
 public:
  virtual ~SerialPorts() = default;
  // deviceName is "COM1" to "COM9" or "\\.\COM10" to "\\.\COM30". Returns null on failure.
  virtual std::unique_ptr<SerialHandle> Open(std::string_view deviceName, OpenFailure& why) = 0;
  // The device port number n resolves to now, for the port list's tool tips; empty if none.
  virtual std::string DescribePort(int portNumber) const = 0;
  // Why the port links are ignored, for the port list's hover text; empty when they are not.
  virtual std::string PortLinkFolderWarning() const { return {}; }
  // Opens a handle's ReopenTarget again, for exclusive use as Open does; null while the device
  // is not back (or is held by another program). Says nothing to the user.
  virtual std::unique_ptr<SerialHandle> Reopen(const std::string& target) = 0;
};

}  // namespace sattrail
