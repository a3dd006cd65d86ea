// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/LineAssembly.h"

#include <algorithm>

#include "nmea/Checksum.h"
#include "nmea/ReceiverReplies.h"
#include "nmea/SentenceDispatch.h"
#include "numbers/NumberConversion.h"
#include "platform/ControlNames.h"

namespace sattrail {

namespace {

constexpr std::string_view kMemo = control::OutTextBox;
// Past this many characters the memo loses its first line with every new line, so it
// shows the last two or three sentences.
constexpr std::size_t kMemoTrimLength = 150;
// A stream without line feeds (a receiver at the wrong speed) is dropped in pieces of a
// little over this many characters, checked after each chunk.
constexpr std::size_t kLongestPartialLine = 400;

// Both copies of the line take the bytes; RawLineBytes keeps only the first 256 of a line.
void AppendBytes(RunState& run, const std::uint8_t* bytes, int count) {
  run.LineBuffer.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count));
  const int kept = std::min(count, kRawLineCapacity - run.RawLineCount);
  std::copy(bytes, bytes + kept, run.RawLineBytes.begin() + run.RawLineCount);
  run.RawLineCount += kept;
}

// A good line goes to dispatch. A malformed number costs only this line: its message is
// kept for the caller and assembly goes on with the next byte.
void DispatchGoodLine(RunState& run, Window& window, StreamObserver* observer,
                      std::vector<std::string>& errors) {
  try {
    DispatchSentence(run, window, observer);
  } catch (const ConversionError& error) {
    errors.emplace_back(error.what());
    if (observer) observer->ConversionFailed(error.what());
  }
  if (observer) observer->Dispatched(run.SentenceId);
}

// The line in LineBuffer is complete: it has just received its line feed, or the "$" of the
// next sentence is about to start a new line.
void EndLine(RunState& run, Window& window, StreamObserver* observer,
             std::vector<std::string>& errors) {
  if (window.Text(kMemo).size() > kMemoTrimLength) window.DeleteFirstLine(kMemo);
  const bool good = CheckNmeaChecksum(run);
  // Every line is shown, good or bad, before anything else is done with it.
  window.SetText(kMemo, window.Text(kMemo) + run.LineBuffer);
  if (observer) observer->LineEnded(run.LineBuffer, good);
  if (good) {
    DispatchGoodLine(run, window, observer, errors);
  } else {
    HandleReceiverReply(run.LineBuffer, window);
  }
  DiscardPartialLine(run);
}

}  // namespace

std::vector<std::string> AssembleLines(RunState& run, Window& window, const std::uint8_t* bytes,
                                       int count, StreamObserver* observer) {
  std::vector<std::string> errors;
  for (int i = 0; i < count;) {
    // Every sentence starts at its "$". Receivers that send binary messages beside NMEA, or
    // that lose a line feed or cut a sentence short, run the next sentence into bytes that
    // would spoil its checksum; so the bytes before a "$" are finished as a line of their own
    // (without a line end) and the intact sentence after them still counts.
    if (bytes[i] == '$' && !run.LineBuffer.empty()) EndLine(run, window, observer, errors);
    // The bytes up to a line feed, or up to the next "$", join the line together.
    int end = i + 1;
    while (end < count && bytes[end - 1] != '\n' && bytes[end] != '$') ++end;
    AppendBytes(run, bytes + i, end - i);
    if (bytes[end - 1] == '\n') EndLine(run, window, observer, errors);
    i = end;
  }
  if (run.LineBuffer.size() > kLongestPartialLine) DiscardPartialLine(run);
  window.Repaint(kMemo);
  return errors;
}

void DiscardPartialLine(RunState& run) {
  run.LineBuffer.clear();
  run.RawLineCount = 0;
}

}  // namespace sattrail
