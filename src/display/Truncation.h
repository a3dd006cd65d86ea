// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace sattrail {

// Truncation toward zero into 32 bits, as a stored real becomes a whole number for a text. A
// stored float may hold any value a sentence carried (1e30, an infinity); those saturate
// instead of being undefined, and a NaN gives 0.
inline std::int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

}  // namespace sattrail
