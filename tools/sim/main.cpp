// SPDX-License-Identifier: BSD-2-Clause
// sattrail-sim: a simulated GPS receiver on a pseudo-terminal.

#include <fstream>
#include <iostream>

#include "Capture.h"
#include "Options.h"
#include "Simulator.h"

int main(int argc, char** argv) {
  using namespace sattrail::sim;
  const ParseOutcome outcome = ParseOptions(argc, argv, std::cout, std::cerr);
  if (!outcome.options) return outcome.exitCode;
  const Options& options = *outcome.options;

  std::vector<CaptureEpoch> capture;
  if (!options.capture.empty()) {
    std::ifstream in(options.capture, std::ios::binary);
    capture = SplitCapture(in);
    if (!in.eof() || capture.empty()) {
      std::cerr << "sattrail-sim: " << options.capture << " holds no NMEA lines\n";
      return 2;
    }
  }
  Simulator simulator(options, std::move(capture), std::cerr);
  return simulator.Run();
}
