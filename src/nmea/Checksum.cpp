// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/Checksum.h"

#include <cstdio>

namespace sattrail {

namespace {

// Only the letters a to z change; every other byte stays as it is.
char UpperCase(std::uint8_t byte) {
  const char c = static_cast<char>(byte);
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool CheckNmeaChecksum(const std::uint8_t* bytes, int count) {
  // Byte 0 is the "$" on a sentence, but whatever it is, it never takes part.
  std::uint8_t sum = 0;
  int star = 1;
  while (star < count && bytes[star] != '*') {
    sum ^= bytes[star];
    ++star;
  }
  // No "*" in the line, or fewer than two bytes after it.
  if (count - star - 1 < 2) return false;

  char expected[8];
  std::snprintf(expected, sizeof expected, sum <= 15 ? "0%x" : "%x", static_cast<unsigned>(sum));
  return UpperCase(static_cast<std::uint8_t>(expected[0])) == UpperCase(bytes[star + 1]) &&
         UpperCase(static_cast<std::uint8_t>(expected[1])) == UpperCase(bytes[star + 2]);
}

bool CheckNmeaChecksum(const RunState& run) {
  return CheckNmeaChecksum(run.RawLineBytes.data(), run.RawLineCount);
}

}  // namespace sattrail
