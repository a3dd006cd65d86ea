// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// Checks written independently of the simulator's own framing code.

#include <string>
#include <string_view>
#include <vector>

#include "support/NmeaChecksum.h"

namespace sattrail::sim::test {

// True when line is "$" body "*" HH CR LF and HH is the exclusive-or of the body's bytes.
inline bool IsWholeSentence(const std::string& line) {
  return line.size() >= 6 && line.ends_with("\r\n") &&
         testing::HasGoodChecksum(std::string_view(line).substr(0, line.size() - 2));
}

// The comma-separated fields of a line without "$", checksum and line end.
inline std::vector<std::string> Fields(const std::string& line) {
  std::string body = line.substr(line.starts_with('$') ? 1 : 0);
  body = body.substr(0, body.find('*'));
  std::vector<std::string> fields(1);
  for (char c : body) {
    if (c == ',')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

}  // namespace sattrail::sim::test
