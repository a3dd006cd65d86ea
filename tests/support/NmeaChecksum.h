// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The NMEA checksum written independently of the code under test: the exclusive-or of the
// bytes between "$" and "*", as two upper-case hexadecimal digits.

#include <string>
#include <string_view>

namespace sattrail::testing {

inline std::string ChecksumDigits(std::string_view body) {
  unsigned sum = 0;
  for (char c : body) sum ^= static_cast<unsigned char>(c);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[sum >> 4], kDigits[sum & 15]};
}

// A sentence with its checksum and line end, from the text between "$" and "*".
inline std::string WithChecksum(std::string_view body) {
  return "$" + std::string(body) + "*" + ChecksumDigits(body) + "\r\n";
}

// True when line is "$" body "*" HH, nothing after, and HH is the checksum of the body.
inline bool HasGoodChecksum(std::string_view line) {
  const std::size_t star = line.find('*');
  if (line.empty() || line[0] != '$' || star == std::string_view::npos || star + 3 != line.size())
    return false;
  return line.substr(star + 1) == ChecksumDigits(line.substr(1, star - 1));
}

}  // namespace sattrail::testing
