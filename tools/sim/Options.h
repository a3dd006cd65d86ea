// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The simulator's command line.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Faults.h"
#include "SkyModel.h"

namespace sattrail::sim {

struct Options {
  int port = 1;
  int speed = 4800;
  Place place;
  std::string capture;  // empty: the built-in sky
  Reception reception;  // its systems and signals
  bool loop = false;
  std::vector<FaultSetting> faults;
  StartKind start = StartKind::Cold;
  double faultSeconds = 5;  // how long silence and unplugging last
  std::uint32_t seed = 1;
  bool quiet = false;
};

struct ParseOutcome {
  std::optional<Options> options;  // set when the simulator should run
  int exitCode = 0;                // otherwise: 0 after --help, 2 for a bad argument
};

// Parses the arguments; writes the usage text to out and errors to err.
ParseOutcome ParseOptions(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// "LAT,LON" in degrees, north and east positive.
std::optional<Place> ParsePlace(const std::string& text);

}  // namespace sattrail::sim
