// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nmea/StreamObserver.h"
#include "platform/Window.h"
#include "state/RunState.h"

namespace sattrail {

// Appends a chunk of received bytes (1 to 256 of them) to the line being assembled; at each
// line feed, and before each "$" that follows bytes of an unfinished line, shows the line in
// the memo, verifies it and dispatches it or handles it as a receiver reply. A conversion error
// costs only its own line: the messages of the errors met in this chunk are returned in order, for
// the caller to show once the chunk is done.
std::vector<std::string> AssembleLines(RunState& run, Window& window, const std::uint8_t* bytes,
                                       int count, StreamObserver* observer = nullptr);

// Empties LineBuffer and RawLineCount together, as after a complete line.
void DiscardPartialLine(RunState& run);

}  // namespace sattrail
