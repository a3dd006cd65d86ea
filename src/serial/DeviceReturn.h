// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "serial/SerialLink.h"

namespace sattrail {

// A vanished device is tried again every tenth poll: about once a second.
inline constexpr int kPollsBetweenReopenTries = 10;

// The open device has said that it is gone: its handle is closed and the device is awaited.
// The state stays "open" as the user left it: the caption still reads "OFF", both timers
// run, and the silent polls reset the display as they do for a receiver that fell quiet.
void ReleaseVanishedDevice(SerialLink& link);

// While a vanished device is awaited, every tenth call makes one quiet attempt to open it
// again and set it up as the open sequence does, with the device-control record as last read
// back (so at the same speed and settings): no box, no exception. Once it succeeds PortHandle
// holds the device and the waiting ends.
void AwaitVanishedDevice(SerialLink& link);

}  // namespace sattrail
