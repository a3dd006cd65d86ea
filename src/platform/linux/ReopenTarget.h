// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string>

namespace sattrail::serial_linux {

// The stable name udev gives the device in `byIdFolder` (/dev/serial/by-id, other folders
// only in tests), after the receiver's vendor, model and serial number; empty when it has
// none. Of several names the first in order, so the choice never depends on the folder.
std::string ByIdName(const std::string& devicePath,
                     const std::string& byIdFolder = "/dev/serial/by-id");

// What opens a device again once it has gone away and come back: its name in `byIdFolder`
// (/dev/serial/by-id, other folders only in tests) when it has one, so the same USB receiver
// is found whatever ttyUSB number it returns under; else the port link it was opened
// through, so each try opens whatever the link points at then; else the device path itself.
// `openedPath` is the path that was opened, `linkPath` the port link behind it or empty.
std::string FindReopenTarget(const std::string& openedPath, const std::string& linkPath,
                             const std::string& byIdFolder = "/dev/serial/by-id");

}  // namespace sattrail::serial_linux
