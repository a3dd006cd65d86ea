// sattrail-replay: what would the monitor show for this capture?
//
//   sattrail-replay [--chunk N] [--every] [--png DIR] CAPTURE
//
// Prints JSON Lines on standard output: with --every one line after each dispatched
// sentence, and always a last line {"final": {...}}. Exit status 2 when the capture cannot be
// read or the command line is wrong, 1 when the pictures cannot be written.
#include <cstdio>
#include <iostream>
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

  OffscreenGui gui;
  CaptureReplay replay(options->every ? &std::cout : nullptr);
  replay.FeedAll(*capture, options->chunk);
  std::cout << replay.Final().dump() << '\n';
  std::cout.flush();

  if (!options->pngDirectory.empty() &&
      !WritePictures(replay.window(), options->pngDirectory, error)) {
    std::cerr << "sattrail-replay: " << error << "\n";
    return 1;
  }
  return std::cout ? 0 : 1;
}
