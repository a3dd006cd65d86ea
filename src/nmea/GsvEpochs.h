// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "nmea/GsvLayout.h"
#include "state/RunState.h"

namespace sattrail {

// A GSV of the talker layout.systemId arrives: a sentence that begins a cycle of a signal
// the talker's epoch already holds begins its next epoch. Returns the talker's record.
GsvStream& BeginGsvSentence(SkyEpochs& sky, const GsvLayout& layout);

// The main window's pictures are about to be drawn for a cycle of talker systemId that has
// just closed. The first drawing of an epoch draws what the table holds and notes the used
// flags it consumes; a later one (the cycle of a second signal) draws again every satellite
// of slot 1 that the epoch reported, with the strongest of its signals and the flags that the
// first drawing found, so that no cycle of the epoch undoes what an earlier one showed.
void PrepareEpochDrawing(RunState& run, int systemId);

// The strongest C/N0 of a sighting's signals, 0 when it is tracked on none.
int StrongestSignal(const Sighting& seen);

// Whether a sighting still describes the sky: reported in its talker's current epoch, or in
// the one before while the current has closed fewer cycles than that one did; and its talker
// heard in this receiver epoch or the one before.
bool IsCurrent(const SkyEpochs& sky, const Sighting& seen);

}  // namespace sattrail
