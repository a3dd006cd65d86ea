// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace sattrail::testing {

// The bytes of a capture in tests/data (the file's name, e.g. "mt3339.log"), byte for byte;
// empty when the file is missing. SATTRAIL_TEST_DATA is the folder, set by the build.
inline std::string ReadTestCapture(std::string_view fileName) {
  std::ifstream file(std::string(SATTRAIL_TEST_DATA) + "/" + std::string(fileName),
                     std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace sattrail::testing
