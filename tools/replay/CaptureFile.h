#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sattrail::replay {

// The bytes of a capture file, or no bytes with the reason in error.
std::optional<std::vector<std::uint8_t>> ReadCapture(const std::string& path, std::string& error);

}  // namespace sattrail::replay
