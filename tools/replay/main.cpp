// sattrail-replay: what would the monitor show for this capture?
//
//   sattrail-replay [--chunk N] [--every] [--png DIR] CAPTURE
//
// Prints JSON Lines on standard output, UTF-8: with --every one line after each dispatched
// sentence, {"line": L, "id": ..., "boxes": {...}, "checks": {...}} with L the physical line
// number in the capture, and always a last line {"final": {...}}, whose "lines" counts the
// lines ended by a line feed. Exit status 2 when the capture cannot be read or the command
// line is wrong, 1 when the pictures cannot be written or the replay stopped on a fault.
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "replay/CaptureFile.h"
#include "replay/CaptureReplay.h"
#include "replay/OffscreenGui.h"
#include "replay/PngExport.h"
#include "replay/ReplayOptions.h"

int main(int argc, char** argv) {
  using namespace sattrail::replay;
  std::ios::sync_with_stdio(false);

  int exitCode = 0;
  const auto options = ParseReplayOptions(argc, argv, std::cout, std::cerr, exitCode);
  if (!options) return exitCode;

  std::string error;
  const auto capture = ReadCapture(options->capture, error);
  if (!capture) {
    std::cerr << "sattrail-replay: cannot read " << options->capture << ": " << error << "\n";
    return 2;
  }

  // Real pictures only when they are asked for: they need a Qt application and cost most of
  // a replay's time.
  const bool pictures = !options->pngDirectory.empty();
  std::unique_ptr<OffscreenGui> gui;
  if (pictures) gui = std::make_unique<OffscreenGui>();
  CaptureReplay replay(
      options->every ? &std::cout : nullptr,
      pictures ? RecordingWindow::Pictures::Drawn : RecordingWindow::Pictures::Blank);
  // Conversion errors come back as messages; anything else thrown is a fault of this
  // program, reported after the final line, which the run prints whatever happened.
  std::string fault;
  try {
    replay.FeedAll(*capture, options->chunk);
  } catch (const std::exception& thrown) {
    fault = thrown.what();
  }
  std::cout << replay.Final().dump() << '\n';
  std::cout.flush();
  if (!fault.empty()) {
    std::cerr << "sattrail-replay: replay stopped: " << fault << "\n";
    return 1;
  }

  if (pictures && !WritePictures(replay.window(), options->pngDirectory, error)) {
    std::cerr << "sattrail-replay: " << error << "\n";
    return 1;
  }
  return std::cout ? 0 : 1;
}
