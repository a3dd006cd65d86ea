// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace sattrail {

// What the command line asks of the run.
struct MonitorOptions {
  std::string record;   // --record FILE: every byte read from the port goes there
  bool append = false;  // --append: add to FILE instead of replacing it
};

// The monitor's command line: --help, --version, --record FILE and --append, and nothing
// else; the window toolkit's own options are not taken either. It is read before the toolkit
// starts, so that no answer needs a display. Returns the exit status when the program ends
// here: 0 after the help on `out` or the version line on `out`, 2 after a one-line refusal on
// `err`; nothing when the monitor should start with `options`.
std::optional<int> ReadCommandLine(int argc, const char* const* argv, std::ostream& out,
                                   std::ostream& err, MonitorOptions& options);

}  // namespace sattrail
