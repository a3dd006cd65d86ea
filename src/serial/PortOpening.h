// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "serial/SerialLink.h"

namespace sattrail {

// Port list index 0..29 names COM1..COM30; COM10 and above carry the "\\.\" prefix. Any other
// index (none selected) names "COM1".
std::string DeviceNameForIndex(int itemIndex);
// Speed list index 0..6 gives 4800, 9600, 14400, 19200, 38400, 57600, 115200; any other index
// (none selected) 4800.
std::uint32_t SpeedForIndex(int itemIndex);

// Opens and configures the device, showing its own error boxes; null on failure. Raises
// Exception("PurgeComm failed.") or Exception("GetCommState failed."), closing the device
// it opened first.
std::unique_ptr<SerialHandle> OpenComPort(SerialLink& link, std::string_view deviceName,
                                          std::uint32_t speed);

// The "On"/"OFF" button: the open sequence when its caption is "On", else the close sequence.
// A successful open starts the recording of --record; a recording that failed says so last.
void ButOpenGpsClick(SerialLink& link);
// Closing steps shared by the close sequence and the hidden BitBtn2: auto-scroll off, both
// timers disabled, device closed, a vanished device no longer awaited, the recording written
// out and its file closed. The button's caption is left alone.
void CloseComPort(SerialLink& link);

}  // namespace sattrail
