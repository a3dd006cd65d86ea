// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>

#include "platform/SerialDevice.h"

namespace sattrail::serial_linux {

// The termios2 side of a serial device. Kept apart from everything that includes
// <termios.h>, whose struct termios clashes with the kernel's own in <asm/termbits.h>.
// Each call returns success and leaves errno set on failure.

// Raw mode with the record's speed, framing and flow control; then the DTR and RTS lines,
// whose failures are ignored (pseudo-terminals have no modem lines).
bool ApplyTerminalSettings(int fd, const DeviceControlBlock& settings);
// The device's current speed, framing and flow control written into the record; fields the
// device cannot report (DSR flow control, modem lines of a pseudo-terminal) keep their values.
bool ReadTerminalSettings(int fd, DeviceControlBlock& settings);
// Discards the input queue, the output queue or both.
bool FlushTerminal(int fd, bool input, bool output);
// Number of received bytes waiting to be read.
bool QueuedInputBytes(int fd, std::uint32_t& count);
// Releases the exclusive mode set at opening, so the next open of a pseudo-terminal whose
// other side stays open is not refused.
void ReleaseExclusive(int fd);
// Asks the serial driver whether a UART sits behind the device.
bool HasUart(int fd);

}  // namespace sattrail::serial_linux
