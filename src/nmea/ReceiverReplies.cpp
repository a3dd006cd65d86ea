// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/ReceiverReplies.h"

#include <array>

#include "platform/ControlNames.h"

namespace sattrail {

namespace {

// Blanks and control characters, the line end included; bytes above 127 are kept.
bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
  while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
  return text;
}

// Takes up to `count` characters from the 1-based `position`; only those that exist.
std::string_view Copy(std::string_view text, std::size_t position, std::size_t count) {
  if (position - 1 >= text.size()) return {};
  return text.substr(position - 1, count);
}

struct VersionName {
  std::string_view value;
  std::string_view shown;
  bool withValue;  // the raw value follows in brackets
};

// The receiver firmware versions this program knows by name.
constexpr std::array<VersionName, 6> kVersionNames{{
    {"001088", "V 18", true},
    {"001089", "V 19", true},
    {"001090", "V 20", false},
    {"001091", "V 21", false},
    {"001092", "V 22", true},
    {"001093", "V 23", true},
}};

}  // namespace

std::string MapReceiverVersion(std::string_view trimmed) {
  for (const VersionName& name : kVersionNames) {
    if (name.value != trimmed) continue;
    std::string shown(name.shown);
    if (name.withValue) shown += " (" + std::string(trimmed) + ")";
    return shown;
  }
  return std::string(trimmed);
}

void HandleReceiverReply(std::string_view line, Window& window) {
  // A bracketed status line is shown as it came, line end and all.
  if (!line.empty() && line.front() == '[') {
    window.SetCaption(line);
    return;
  }
  // The receiver's version report: the word at positions 12 to 18, the value in the nine
  // characters after it, padded with blanks.
  if (Copy(line, 12, 7) == "Version") {
    window.SetText(control::Edit7, MapReceiverVersion(TrimBlanks(Copy(line, 19, 9))));
  }
}

}  // namespace sattrail
