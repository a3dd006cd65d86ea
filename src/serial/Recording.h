// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstddef>
#include <cstdint>

#include "serial/SerialLink.h"

namespace sattrail {

// The recording's buffer goes to the file every tenth poll: about once a second.
inline constexpr int kPollsBetweenRecordingFlushes = 10;

// At each successful open: opens the file of --record, replacing it at the run's first open
// (unless --append) and appending at every later one. Does nothing without --record, after a
// write error has stopped the recording, or while the file is open.
void StartRecording(SerialLink& link);

// The bytes of one read, exactly as received, after those of the reads before.
void RecordReceived(RunState& run, const std::uint8_t* bytes, std::size_t count);

// Once per poll: every tenth call writes what the polls received since the last flush.
void FlushRecordingWhenDue(RunState& run);

// On closing the port: writes what is left and closes the file.
void StopRecording(RunState& run);

// A write error stops the recording for the rest of the run; its one box (the file and the
// system's reason) is shown here, outside the poll, so that polling goes on meanwhile.
void ShowRecordingFailure(SerialLink& link);

}  // namespace sattrail
