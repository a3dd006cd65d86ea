#pragma once

#include "platform/SerialDevice.h"

namespace sattrail {

// Serial ports on Linux: port n is the link COMn in the port-link folder, else the n-th
// serial device present (/dev/ttyACM*, /dev/ttyUSB*, then real /dev/ttyS*).
class LinuxSerialPorts : public SerialPorts {
 public:
  std::unique_ptr<SerialHandle> Open(std::string_view deviceName, OpenFailure& why) override;
  std::string DescribePort(int portNumber) const override;
};

}  // namespace sattrail
