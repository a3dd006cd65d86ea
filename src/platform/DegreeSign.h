// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstddef>
#include <string_view>

namespace sattrail {

// The degree sign as the 8-bit texts of the logic hold it: the two bytes of its Big5 code, the
// only character beyond ASCII that the program writes. The window and the replay's JSON show
// it as U+00B0.
inline constexpr std::string_view kDegreeSign = "\xA2\x58";

// Whether the degree sign starts at position `at` (less than the text's size) of the text.
constexpr bool DegreeSignAt(std::string_view text, std::size_t at) {
  return text.substr(at, kDegreeSign.size()) == kDegreeSign;
}

}  // namespace sattrail
