// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "form/MemoryWindow.h"
#include "nmea/StreamObserver.h"
#include "state/DrawnSatellites.h"
#include "state/RunState.h"

namespace sattrail::replay {

// The report lists this many conversion error messages and counts the rest, so that an endless
// stream of malformed numbers keeps memory bounded.
inline constexpr std::size_t kListedErrors = 100;

// What the two images of the window draw on: surfaces that draw nothing, or real Qt
// pictures (for --png; they need a Qt application).
enum class Pictures { Blank, Drawn };

// One replay of a capture: the capture's bytes go, chunk by chunk, through a fresh run state
// and line assembly into the in-memory window after its FormCreate, exactly as the monitor's
// poll hands them on.
// Watches the stream to count lines, dispatches, bad checksums, errors and drawings.
class CaptureReplay : private StreamObserver {
 public:
  // every: the stream that receives one JSON line per dispatched line, or null.
  explicit CaptureReplay(std::ostream* every = nullptr, Pictures pictures = Pictures::Blank);

  // Hands one chunk (1 to 256 bytes) to line assembly.
  void Feed(std::span<const std::uint8_t> chunk);
  // Hands on bytes that arrive in pieces of any size as chunks of chunkSize bytes counted
  // from the first byte, so that the chunks are the same whatever the pieces; EndStream
  // hands on the last, shorter chunk.
  void Stream(std::span<const std::uint8_t> piece, int chunkSize);
  void EndStream();
  // Feeds the whole capture in chunks of chunkSize bytes.
  void FeedAll(std::span<const std::uint8_t> capture, int chunkSize);

  // The report's last line: {"final": {...}}.
  nlohmann::ordered_json Final() const;

  MemoryWindow& window() { return window_; }
  const RunState& run() const { return run_; }

 private:
  void LineEnded(std::string_view line, bool checksumGood) override;
  void Dispatched(std::string_view sentenceId) override;
  void SatellitesDrawn(const DrawnSatellites& drawn) override;

  RunState run_;
  MemoryWindow window_;
  std::ostream* every_;

  std::int64_t lineFeedsFed_ = 0;    // line feeds in the bytes handed on so far
  std::int64_t lineFeedsEnded_ = 0;  // line feeds that have ended a line so far
  std::int64_t lastLine_ = 0;        // physical line number of the line that ended last
  std::int64_t dispatched_ = 0;
  std::int64_t badChecksum_ = 0;
  std::int64_t drawings_ = 0;
  std::vector<std::string> errors_;   // the first kListedErrors messages
  std::int64_t errorsNotListed_ = 0;  // the messages after those
  DrawnSatellites lastDrawing_{};
  std::vector<std::uint8_t> pending_;  // the start of a chunk, fewer bytes than a chunk
};

// The whole capture replayed in chunks of chunkSize: the --every lines when asked for and
// the final line, as the tool prints them.
std::string ReplayReport(std::span<const std::uint8_t> capture, int chunkSize, bool every,
                         Pictures pictures = Pictures::Blank);

}  // namespace sattrail::replay
