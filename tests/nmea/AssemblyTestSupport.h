// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/TestWindow.h"
#include "nmea/LineAssembly.h"
#include "nmea/StreamObserver.h"
#include "state/RunState.h"

namespace sattrail::testing {

// Everything line assembly reported, in order.
class RecordingObserver : public StreamObserver {
 public:
  struct Line {
    std::string text;
    bool good = false;
  };

  void LineEnded(std::string_view line, bool good) override {
    lines.push_back({std::string(line), good});
  }
  void Dispatched(std::string_view sentenceId) override {
    dispatched.emplace_back(sentenceId);
    dispatchedLines.push_back(lines.empty() ? std::string() : lines.back().text);
  }
  void ConversionFailed(std::string_view message) override { failures.emplace_back(message); }
  void SatellitesDrawn(const DrawnSatellites& drawn) override { drawings.push_back(drawn); }

  std::vector<Line> lines;
  std::vector<std::string> dispatched;       // SentenceId after each dispatch
  std::vector<std::string> dispatchedLines;  // the line each dispatch was given
  std::vector<std::string> failures;
  std::vector<DrawnSatellites> drawings;
};

// Hands `text` to AssembleLines in one chunk; returns the conversion errors of the chunk.
inline std::vector<std::string> Feed(RunState& run, TestWindow& window, std::string_view text,
                                     StreamObserver* observer = nullptr) {
  return AssembleLines(run, window, reinterpret_cast<const std::uint8_t*>(text.data()),
                       static_cast<int>(text.size()), observer);
}

// Hands `text` over in chunks of `chunkSize`; returns every conversion error.
inline std::vector<std::string> FeedInChunks(RunState& run, TestWindow& window,
                                             std::string_view text, std::size_t chunkSize,
                                             StreamObserver* observer = nullptr) {
  std::vector<std::string> errors;
  for (std::size_t at = 0; at < text.size(); at += chunkSize) {
    for (std::string& error : Feed(run, window, text.substr(at, chunkSize), observer)) {
      errors.push_back(std::move(error));
    }
  }
  return errors;
}

// The seven sentence check boxes, for comparing whole window states.
inline std::vector<bool> SentenceBoxes(const TestWindow& window) {
  std::vector<bool> ticked;
  for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                          "CheckBox6", "CheckBox7"}) {
    ticked.push_back(window.Checked(box));
  }
  return ticked;
}

}  // namespace sattrail::testing
