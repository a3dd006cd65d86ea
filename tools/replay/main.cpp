// SPDX-License-Identifier: BSD-2-Clause
// sattrail-replay: what would the monitor show for this capture?
//
//   sattrail-replay [--chunk N] [--every] [--png DIR] CAPTURE
//
// Reads the capture (a file, a device, or "-" for standard input) piece by piece, in the same
// memory whatever its length, until it ends or SIGINT or SIGTERM stops the run. Prints JSON
// Lines on standard output, UTF-8: with --every one line after each dispatched sentence,
// {"line": L, "id": ..., "boxes": {...}, "checks": {...}} with L the physical line number in
// the capture, and always a last line {"final": {...}}, whose "lines" counts the lines ended
// by a line feed; past 100 conversion error messages "errorsNotListed" counts the rest. A
// stopped run ends like one whose capture ended there. Exit status 2 when the capture cannot
// be read or the command line is wrong, 1 when the pictures cannot be written or the replay
// stopped on a fault.
#include <signal.h>

#include <cstdint>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/StopSignals.h"
#include "replay/CaptureFile.h"
#include "replay/CaptureReplay.h"
#include "replay/OffscreenGui.h"
#include "replay/PngExport.h"
#include "replay/ReplayOptions.h"

namespace {

using namespace sattrail::replay;

// Big enough that reading costs little next to line assembly, small enough to stay put.
constexpr std::size_t kPieceBytes = 65536;

// How the reading of a capture ended, when it did not simply reach the end or a stop.
struct StreamEnd {
  std::string fault;        // a fault of this program that stopped the replay
  bool readFailed = false;  // the capture could not be read to its end
};

// Feeds the capture through the replay piece by piece until it ends or `stop` becomes
// readable. Conversion errors come back as messages; anything else thrown is a fault of this
// program, which ends the reading. A failed read leaves its reason in error.
StreamEnd StreamCapture(CaptureInput& input, CaptureReplay& replay, int stop, int chunk,
                        std::string& error) {
  StreamEnd end;
  try {
    std::vector<std::uint8_t> piece(kPieceBytes);
    for (;;) {
      const CaptureInput::Piece read = input.Read(piece, stop, error);
      if (read.outcome != CaptureInput::Outcome::Bytes) {
        end.readFailed = read.outcome == CaptureInput::Outcome::Failed;
        break;
      }
      replay.Stream(std::span(piece).first(read.size), chunk);
    }
    replay.EndStream();
  } catch (const std::exception& thrown) {
    end.fault = thrown.what();
  }
  return end;
}

// The exit status after the final line: a fault first, then a capture not read to its end.
int ExitStatusOf(const StreamEnd& end, const std::string& name, const std::string& error) {
  if (!end.fault.empty()) {
    std::cerr << "sattrail-replay: replay stopped: " << end.fault << "\n";
    return 1;
  }
  if (end.readFailed) {
    std::cerr << "sattrail-replay: cannot read " << name << " to its end: " << error << "\n";
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // Blocked before any other thread starts, so that none of them takes the signals instead.
  const sattrail::StopSignals stop({SIGINT, SIGTERM});

  int exitCode = 0;
  const auto options = ParseReplayOptions(argc, argv, std::cout, std::cerr, exitCode);
  if (!options) return exitCode;

  const std::string name = options->capture == "-" ? "standard input" : options->capture;
  std::string error;
  CaptureInput input;
  if (!input.Open(options->capture, error)) {
    std::cerr << "sattrail-replay: cannot read " << name << ": " << error << "\n";
    return 2;
  }

  // Real pictures only when they are asked for: they need a Qt application and cost most of
  // a replay's time.
  const bool pictures = !options->pngDirectory.empty();
  std::unique_ptr<OffscreenGui> gui;
  if (pictures) gui = std::make_unique<OffscreenGui>();
  CaptureReplay replay(options->every ? &std::cout : nullptr,
                       pictures ? Pictures::Drawn : Pictures::Blank);
  const StreamEnd end = StreamCapture(input, replay, stop.fd(), options->chunk, error);
  // The final line comes whatever happened.
  std::cout << replay.Final().dump() << '\n';
  std::cout.flush();
  if (const int failed = ExitStatusOf(end, name, error); failed != 0) return failed;

  if (pictures && !WritePictures(replay.window(), options->pngDirectory, error)) {
    std::cerr << "sattrail-replay: " << error << "\n";
    return 1;
  }
  return std::cout ? 0 : 1;
}
