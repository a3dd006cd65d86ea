// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <optional>
#include <ostream>

namespace sattrail {

// The monitor's command line: --help and --version, and nothing else; the window toolkit's
// own options are not taken either. It is read before the toolkit starts, so that neither
// answer needs a display. Returns the exit status when the program ends here: 0 after the
// help on `out` or the version line on `out`, 2 after a one-line refusal on `err`; nothing
// when the monitor should start.
std::optional<int> ReadCommandLine(int argc, const char* const* argv, std::ostream& out,
                                   std::ostream& err);

}  // namespace sattrail
