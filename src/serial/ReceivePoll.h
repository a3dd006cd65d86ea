// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "serial/SerialLink.h"

namespace sattrail {

inline constexpr int kReadPieceBytes = 256;
inline constexpr int kMaxBytesPerPoll = 4096;
// Timer1's interval in milliseconds: the port is polled every 100 ms.
inline constexpr int kPollInterval = 100;

// One poll: the memo limit, a try to reopen a device that went away (every tenth poll while
// one is awaited), the read of what is queued (recorded as read), line assembly, the
// recording's flush (every tenth poll), the silence rule.
// Conversion errors of the lines it assembled are raised after the poll as one
// ConversionError carrying the first message.
void PollComPort(SerialLink& link);

// The handler of Timer1: the poll between switching the timer off and on again. The timer is
// always enabled again, also when the poll raised. Then the box of a recording that failed.
void Timer1Timer(SerialLink& link);

}  // namespace sattrail
