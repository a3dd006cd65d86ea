#include "platform/linux/LinuxSerialPorts.h"

namespace sattrail {

std::unique_ptr<SerialHandle> LinuxSerialPorts::Open(std::string_view /*deviceName*/,
                                                     OpenFailure& why) {
  why.reason = "not built yet";
  return nullptr;
}

std::string LinuxSerialPorts::DescribePort(int /*portNumber*/) const { return {}; }

}  // namespace sattrail
