// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The "@" command lines a monitor writes to the receiver, and the receiver's answers.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sattrail::sim {

enum class CommandKind { HotStart, WarmStart, ColdStart, VersionQuery, StatusQuery };

struct Command {
  CommandKind kind;
  std::string text;  // the command line without its line end, e.g. "@NC 10111000"
};

// Splits the received bytes into command lines. A line ends at CR or LF; the NUL bytes that
// follow a command are skipped, as are empty lines. Lines may arrive in any pieces.
class CommandReader {
 public:
  std::vector<std::string> Feed(std::string_view bytes);

 private:
  std::string partial_;
};

// The command a line stands for; nullopt for a line the receiver does not know.
std::optional<Command> ParseCommand(std::string_view line);

// The version report: fails the NMEA checksum, "Version" at positions 12 to 18 (1-based),
// then the version value " 001090  " at positions 19 to 27, then CR LF.
std::string VersionReply();

// A status line beginning with "[" that answers command text, ending in CR LF.
std::string StatusReply(std::string_view commandText);

}  // namespace sattrail::sim
