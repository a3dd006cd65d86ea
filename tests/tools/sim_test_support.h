// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// Checks written independently of the simulator's own framing code.

#include <cstdio>
#include <string>
#include <vector>

namespace sattrail::sim::test {

// True when line is "$" body "*" HH CR LF and HH is the exclusive-or of the body's bytes.
inline bool HasGoodChecksum(const std::string& line) {
  if (line.size() < 6 || line[0] != '$' || !line.ends_with("\r\n")) return false;
  const std::size_t star = line.find('*');
  if (star == std::string::npos || star + 5 != line.size()) return false;
  unsigned sum = 0;
  for (std::size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", sum);
  return line.compare(star + 1, 2, digits) == 0;
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
