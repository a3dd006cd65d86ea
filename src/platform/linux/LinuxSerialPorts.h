// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/SerialDevice.h"
#include "platform/linux/PortResolution.h"

namespace sattrail {

// Serial ports on Linux: port n is the link COMn in the port-link folder, else the n-th
// serial device present (/dev/ttyACM*, /dev/ttyUSB*, then real /dev/ttyS*). Only a character
// device is opened, and for exclusive use: a second opener, root included, is refused.
class LinuxSerialPorts : public SerialPorts {
 public:
  std::unique_ptr<SerialHandle> Open(std::string_view deviceName, OpenFailure& why) override;
  // "/dev/ttyUSB0 (/dev/serial/by-id/usb-...)", "/dev/pts/4 (link .../COM1)"; empty if none.
  std::string DescribePort(int portNumber) const override;
  // The by-id name, the port link or the device path the handle was given at its open.
  std::unique_ptr<SerialHandle> Reopen(const std::string& target) override;
  // "Port links ignored: <why>; ports follow the device order." when the port-link folder is
  // not to be trusted; also said once on standard error.
  std::string PortLinkFolderWarning() const override;

 private:
  // What port n resolves to now; ignored port links are warned of.
  serial_linux::ResolvedPort Resolve(int portNumber) const;
  // The warning for a folder refused for `problem`, said on standard error the first time.
  std::string WarnOfIgnoredLinks(const std::string& problem) const;
  mutable bool warned_ = false;
};

}  // namespace sattrail
