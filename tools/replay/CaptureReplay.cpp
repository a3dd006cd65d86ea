// SPDX-License-Identifier: BSD-2-Clause
#include "replay/CaptureReplay.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "form/FormCreate.h"
#include "nmea/LineAssembly.h"
#include "platform/qt/QtCanvas.h"
#include "replay/BlankCanvas.h"
#include "replay/ReplayJson.h"

namespace sattrail::replay {

namespace {

// memchr steps over the bytes between two line feeds many at a time, where counting looks at
// each byte.
std::int64_t CountLineFeeds(std::span<const std::uint8_t> bytes) {
  std::int64_t count = 0;
  const std::uint8_t* at = bytes.data();
  const std::uint8_t* const end = at + bytes.size();
  while (const void* lineFeed = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
    ++count;
    at = static_cast<const std::uint8_t*>(lineFeed) + 1;
  }
  return count;
}

MemoryWindow::SurfaceFactory SurfacesFor(Pictures pictures) {
  if (pictures == Pictures::Drawn) {
    return [](int width, int height) { return std::make_unique<QtCanvas>(width, height); };
  }
  return [](int width, int height) { return std::make_unique<BlankCanvas>(width, height); };
}

}  // namespace

CaptureReplay::CaptureReplay(std::ostream* every, Pictures pictures)
    : window_(SurfacesFor(pictures)), every_(every) {
  FormCreate(window_);
}

void CaptureReplay::Feed(std::span<const std::uint8_t> chunk) {
  if (chunk.empty()) return;
  const std::vector<std::string> errors =
      AssembleLines(run_, window_, chunk.data(), static_cast<int>(chunk.size()), this);
  for (const std::string& message : errors) {
    if (errors_.size() < kListedErrors)
      errors_.push_back(message);
    else
      ++errorsNotListed_;
  }
  // Line numbers are physical: whatever assembly reported, after the chunk they are the line
  // feeds handed on so far.
  lineFeedsFed_ += CountLineFeeds(chunk);
  lineFeedsEnded_ = lineFeedsFed_;
}

void CaptureReplay::Stream(std::span<const std::uint8_t> piece, int chunkSize) {
  const std::size_t step = static_cast<std::size_t>(std::max(chunkSize, 1));
  if (!pending_.empty()) {
    const std::size_t missing = std::min(step - pending_.size(), piece.size());
    pending_.insert(pending_.end(), piece.begin(), piece.begin() + static_cast<long>(missing));
    piece = piece.subspan(missing);
    if (pending_.size() < step) return;
    Feed(pending_);
    pending_.clear();
  }
  for (; piece.size() >= step; piece = piece.subspan(step)) Feed(piece.first(step));
  pending_.assign(piece.begin(), piece.end());
}

void CaptureReplay::EndStream() {
  Feed(pending_);
  pending_.clear();
}

void CaptureReplay::FeedAll(std::span<const std::uint8_t> capture, int chunkSize) {
  Stream(capture, chunkSize);
  EndStream();
}

void CaptureReplay::LineEnded(std::string_view line, bool checksumGood) {
  // A line ended by the "$" of the next sentence lies on the physical line still open.
  lastLine_ = lineFeedsEnded_ + 1;
  if (line.ends_with('\n')) ++lineFeedsEnded_;
  if (!checksumGood) ++badChecksum_;
}

void CaptureReplay::Dispatched(std::string_view sentenceId) {
  ++dispatched_;
  if (every_ == nullptr) return;
  nlohmann::ordered_json line;
  line["line"] = lastLine_;
  line["id"] = WindowTextToUtf8(sentenceId);
  line["boxes"] = BoxesJson(window_);
  line["checks"] = ChecksJson(window_);
  *every_ << line.dump() << '\n';
}

void CaptureReplay::SatellitesDrawn(const DrawnSatellites& drawn) {
  ++drawings_;
  lastDrawing_ = drawn;
}

nlohmann::ordered_json CaptureReplay::Final() const {
  nlohmann::ordered_json final;
  final["caption"] = WindowTextToUtf8(window_.Caption());
  final["boxes"] = BoxesJson(window_);
  final["checks"] = ChecksJson(window_);
  final["fixModeText"] = WindowTextToUtf8(run_.FixModeText);
  final["lines"] = lineFeedsFed_;
  final["dispatched"] = dispatched_;
  final["badChecksum"] = badChecksum_;
  nlohmann::ordered_json errors = nlohmann::ordered_json::array();
  for (const std::string& message : errors_) errors.push_back(WindowTextToUtf8(message));
  final["errors"] = std::move(errors);
  if (errorsNotListed_ > 0) final["errorsNotListed"] = errorsNotListed_;
  final["drawings"] = drawings_;
  final["lastDrawing"] = DrawingJson(lastDrawing_);
  final["satellites"] = SatellitesJson(ListSatellites(run_));
  return nlohmann::ordered_json{{"final", std::move(final)}};
}

std::string ReplayReport(std::span<const std::uint8_t> capture, int chunkSize, bool every,
                         Pictures pictures) {
  std::ostringstream report;
  CaptureReplay replay(every ? &report : nullptr, pictures);
  replay.FeedAll(capture, chunkSize);
  report << replay.Final().dump() << '\n';
  return report.str();
}

}  // namespace sattrail::replay
