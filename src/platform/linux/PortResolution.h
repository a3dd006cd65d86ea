// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/PortLinkFolder.h"

namespace sattrail::serial_linux {

// "COM7" or "\\.\COM17" gives 7 or 17; anything else 0.
int PortNumberFromName(std::string_view deviceName);

// The serial devices present, in the order ports are numbered: /dev/ttyACM*, /dev/ttyUSB*,
// then the /dev/ttyS* that have a UART behind them (the kernel creates placeholders for
// absent ones), each group in numeric order. `devFolder` and `ttyClassFolder` are /dev and
// /sys/class/tty, other folders only in tests.
std::vector<std::string> ListSerialDevices(const std::string& devFolder = "/dev",
                                           const std::string& ttyClassFolder = "/sys/class/tty");

// What port n resolves to now. A link COMn claims port n whether or not it leads anywhere:
// a dead link fails the open rather than letting the number fall through to another device
// (which the monitor would then set raw and write to). The device order decides only for
// numbers with no link. Links are read only from a trusted port-link folder: another user's
// link must not choose the device, so a folder that fails the check is ignored as a whole.
struct ResolvedPort {
  std::string path;          // what to open; empty when nothing answers to the number
  std::string linkPath;      // the port link that claims the number, if any
  std::string linkTarget;    // where that link points, as written in it
  bool linkIsDead = false;   // the link points to nothing present
  std::string linksIgnored;  // why the port-link folder was not read, when it was not
};
ResolvedPort ResolvePort(int portNumber);

}  // namespace sattrail::serial_linux
