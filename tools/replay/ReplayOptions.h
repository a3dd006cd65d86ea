// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace sattrail::replay {

inline constexpr int kDefaultChunk = 256;  // the most one poll hands on

struct ReplayOptions {
  int chunk = kDefaultChunk;
  bool every = false;
  std::string pngDirectory;  // empty: no pictures
  std::string capture;
};

// The command line, or no options when the run ends here; exitCode then says how (0 after
// --help, 2 after a usage error, whose message went to err).
std::optional<ReplayOptions> ParseReplayOptions(int argc, const char* const* argv,
                                                std::ostream& out, std::ostream& err,
                                                int& exitCode);

}  // namespace sattrail::replay
