// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace sattrail {

// Hashes a control's name given as any kind of string, so that the string_view the logic
// passes finds its control without a std::string being built on every call.
struct ControlNameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const {
    return std::hash<std::string_view>{}(name);
  }
};

// The window's controls by name. Every sentence reaches several of them, and the memo
// several times per line: a hash finds them sooner than a tree of string comparisons.
template <typename Control>
using ControlMap = std::unordered_map<std::string, Control, ControlNameHash, std::equal_to<>>;

}  // namespace sattrail
