// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// Framing of NMEA 0183 sentences as the simulated receiver sends them: "$", the body, "*",
// two upper-case hexadecimal digits of the exclusive-or of the body's bytes, CR LF.

#include <cstdint>
#include <string>
#include <string_view>

namespace sattrail::sim {

// Exclusive-or of every byte of the body (the text between "$" and "*").
std::uint8_t ChecksumOf(std::string_view body);

// Two upper-case hexadecimal digits.
std::string HexByte(std::uint8_t value);

// "$" body "*" checksum CR LF.
std::string FrameSentence(std::string_view body);

// The same line with checksum digits that do not match the body.
std::string FrameWithWrongChecksum(std::string_view body);

}  // namespace sattrail::sim
