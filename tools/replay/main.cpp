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
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdint>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "replay/CaptureFile.h"
#include "replay/CaptureReplay.h"
#include "replay/OffscreenGui.h"
#include "replay/PngExport.h"
#include "replay/ReplayOptions.h"

namespace {

// SIGINT and SIGTERM as a descriptor that becomes readable when one arrives, so that the
// read loop sees a stop between two pieces and nothing runs inside a signal handler. Blocked
// before any other thread starts, so that none of them takes the signals instead.
class StopSignals {
 public:
  StopSignals() {
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGINT);
    sigaddset(&stopping, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopping, nullptr);
    fd_ = signalfd(-1, &stopping, SFD_CLOEXEC);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  ~StopSignals() {
    if (fd_ >= 0) ::close(fd_);
  }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

// Big enough that reading costs little next to line assembly, small enough to stay put.
constexpr std::size_t kPieceBytes = 65536;

}  // namespace

int main(int argc, char** argv) {
  using namespace sattrail::replay;
  std::ios::sync_with_stdio(false);
  const StopSignals stop;

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
  // Conversion errors come back as messages; anything else thrown is a fault of this
  // program, reported after the final line, which the run prints whatever happened.
  std::string fault;
  bool readFailed = false;
  try {
    std::vector<std::uint8_t> piece(kPieceBytes);
    for (;;) {
      const CaptureInput::Piece read = input.Read(piece, stop.fd(), error);
      if (read.outcome != CaptureInput::Outcome::Bytes) {
        readFailed = read.outcome == CaptureInput::Outcome::Failed;
        break;
      }
      replay.Stream(std::span(piece).first(read.size), options->chunk);
    }
    replay.EndStream();
  } catch (const std::exception& thrown) {
    fault = thrown.what();
  }
  std::cout << replay.Final().dump() << '\n';
  std::cout.flush();
  if (!fault.empty()) {
    std::cerr << "sattrail-replay: replay stopped: " << fault << "\n";
    return 1;
  }
  if (readFailed) {
    std::cerr << "sattrail-replay: cannot read " << name << " to its end: " << error << "\n";
    return 2;
  }

  if (pictures && !WritePictures(replay.window(), options->pngDirectory, error)) {
    std::cerr << "sattrail-replay: " << error << "\n";
    return 1;
  }
  return std::cout ? 0 : 1;
}
