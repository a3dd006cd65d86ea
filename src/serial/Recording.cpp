// SPDX-License-Identifier: BSD-2-Clause
#include "serial/Recording.h"

#include <string>
#include <utility>

namespace sattrail {
namespace {

// The file is given up, the bytes not yet written with it: nothing more is recorded this run.
void Stop(RecordingState& recording, std::string reason) {
  recording.File.reset();
  recording.Unwritten.clear();
  recording.Stopped = true;
  recording.Failure = std::move(reason);
}

bool Flush(RecordingState& recording) {
  recording.PollsUntilFlush = kPollsBetweenRecordingFlushes;
  if (recording.Unwritten.empty()) return true;
  if (!recording.File->Write(recording.Unwritten.data(), recording.Unwritten.size())) {
    Stop(recording, recording.File->LastErrorText());
    return false;
  }
  recording.Unwritten.clear();
  return true;
}

}  // namespace

void StartRecording(SerialLink& link) {
  RecordingState& recording = link.run.Recording;
  if (recording.Path.empty() || recording.Stopped || recording.File) return;
  const bool append = recording.Append || recording.Opened;
  std::string reason;
  recording.File = link.files.Open(
      recording.Path, append ? RecordFiles::Mode::Append : RecordFiles::Mode::Replace, reason);
  if (!recording.File) {
    Stop(recording, std::move(reason));
    return;
  }
  recording.Opened = true;
  recording.PollsUntilFlush = kPollsBetweenRecordingFlushes;
}

void RecordReceived(RunState& run, const std::uint8_t* bytes, std::size_t count) {
  RecordingState& recording = run.Recording;
  if (!recording.File) return;
  recording.Unwritten.insert(recording.Unwritten.end(), bytes, bytes + count);
}

void FlushRecordingWhenDue(RunState& run) {
  RecordingState& recording = run.Recording;
  if (!recording.File || --recording.PollsUntilFlush > 0) return;
  Flush(recording);
}

void StopRecording(RunState& run) {
  RecordingState& recording = run.Recording;
  if (!recording.File || !Flush(recording)) return;
  if (!recording.File->Close()) {
    Stop(recording, recording.File->LastErrorText());
    return;
  }
  recording.File.reset();
}

void ShowRecordingFailure(SerialLink& link) {
  RecordingState& recording = link.run.Recording;
  if (recording.Failure.empty()) return;
  // Taken before the box opens: a poll that runs meanwhile finds nothing left to show.
  const std::string reason = std::exchange(recording.Failure, {});
  link.messages.Show("Recording stopped", "error", MessageButtons::Ok,
                     "File: " + recording.Path + "\nReason: " + reason +
                         "\nThe monitor goes on without recording; the file keeps what was "
                         "written before.");
}

}  // namespace sattrail
