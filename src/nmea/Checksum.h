// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>

#include "state/RunState.h"

namespace sattrail {

// XOR of bytes 1 up to the first '*', compared case-insensitively with the two bytes after
// it. Byte 0 is never included; only the `count` stored bytes are read.
bool CheckNmeaChecksum(const std::uint8_t* bytes, int count);
// The check of the finished line held in RawLineBytes / RawLineCount.
bool CheckNmeaChecksum(const RunState& run);

}  // namespace sattrail
