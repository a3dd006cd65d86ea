// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string_view>

#include "state/RunState.h"

namespace sattrail {

inline constexpr std::string_view kGsvShow = "Show";
inline constexpr std::string_view kGsvEnd = "END";

// Stores every complete satellite group of one GSV sentence in SatelliteTable[slot] and sets
// SilenceCount to 0. Returns "Show" when the sentence closes its cycle, else "END". Never
// raises: malformed numbers take defaults.
std::string_view ParseGsv(RunState& run, int slot, std::string_view line);

}  // namespace sattrail
