// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string>
#include <vector>

namespace sattrail::serial_linux {

// A process other than this one that has the device open or locked.
struct PortHolder {
  int pid = 0;
  std::string name;  // its command name, from /proc/<pid>/comm; empty if unreadable
};

// The processes that hold `devicePath`, in order of process id, found by its open files
// (/proc/<pid>/fd, compared by device number) and its locks (/proc/locks). Only what this
// user may see: other users' open files are hidden from anyone but root, while locks are
// visible to all. An unreadable `procFolder` gives none; nothing here waits on a device.
std::vector<PortHolder> FindPortHolders(const std::string& devicePath,
                                        const std::string& procFolder = "/proc");

// "held by gpsd (process 812)", several joined by ", "; empty for none.
std::string DescribeHolders(const std::vector<PortHolder>& holders);

}  // namespace sattrail::serial_linux
