// SPDX-License-Identifier: BSD-2-Clause
#include "Commands.h"

#include "Sentence.h"

namespace sattrail::sim {

std::vector<std::string> CommandReader::Feed(std::string_view bytes) {
  std::vector<std::string> lines;
  for (char c : bytes) {
    if (c == '\r' || c == '\n') {
      if (!partial_.empty()) lines.push_back(std::move(partial_));
      partial_.clear();
    } else if (c != '\0' && partial_.size() < 256) {
      partial_ += c;
    }
  }
  return lines;
}

std::optional<Command> ParseCommand(std::string_view line) {
  // Blanks around the command do not matter to the receiver.
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  struct Entry {
    std::string_view prefix;
    bool exact;
    CommandKind kind;
  };
  static constexpr Entry kTable[] = {
      {"@SR", true, CommandKind::HotStart},      {"@SW", true, CommandKind::WarmStart},
      {"@CD", true, CommandKind::ColdStart},     {"@GSV 1", true, CommandKind::VersionQuery},
      {"@NC ", false, CommandKind::StatusQuery}, {"@CLR", true, CommandKind::StatusQuery},
  };
  for (const Entry& entry : kTable) {
    const bool match = entry.exact ? line == entry.prefix : line.starts_with(entry.prefix);
    if (match) return Command{entry.kind, std::string(line)};
  }
  return std::nullopt;
}

std::string VersionReply() {
  // "$PSIM,SW,1," fills positions 1 to 11.
  const std::string body = "PSIM,SW,1,Version 001090  ";
  return FrameWithWrongChecksum(body);
}

std::string StatusReply(std::string_view commandText) {
  std::string line = "[SIM ";
  line += commandText.substr(1);  // without the "@"
  line += " OK]\r\n";
  return line;
}

}  // namespace sattrail::sim
