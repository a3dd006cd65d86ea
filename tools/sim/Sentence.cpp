// SPDX-License-Identifier: BSD-2-Clause
#include "Sentence.h"

namespace sattrail::sim {

std::uint8_t ChecksumOf(std::string_view body) {
  std::uint8_t sum = 0;
  for (char c : body) sum ^= static_cast<std::uint8_t>(c);
  return sum;
}

std::string HexByte(std::uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::string FrameSentence(std::string_view body) {
  std::string line;
  line.reserve(body.size() + 6);
  line += '$';
  line += body;
  line += '*';
  line += HexByte(ChecksumOf(body));
  line += "\r\n";
  return line;
}

std::string FrameWithWrongChecksum(std::string_view body) {
  std::string line = "$";
  line += body;
  line += '*';
  line += HexByte(static_cast<std::uint8_t>(ChecksumOf(body) ^ 0x5A));
  line += "\r\n";
  return line;
}

}  // namespace sattrail::sim
