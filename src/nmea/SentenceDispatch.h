// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "nmea/StreamObserver.h"
#include "platform/Window.h"
#include "state/RunState.h"

namespace sattrail {

// One verified line in LineBuffer: sets SentenceId, ticks the type's check box, runs its
// parser and fills its boxes. RMC, GGA, VTG, ZDA and GLL are read from the talkers "GP" and
// "GN", GSV and GSA from those of every satellite system. Conversion errors of the parsers go
// on to the caller.
void DispatchSentence(RunState& run, Window& window, StreamObserver* observer = nullptr);

}  // namespace sattrail
