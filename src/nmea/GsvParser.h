// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string_view>

#include "nmea/GsvLayout.h"
#include "state/RunState.h"

namespace sattrail {

inline constexpr std::string_view kGsvShow = "Show";
inline constexpr std::string_view kGsvEnd = "END";

// Stores every complete satellite group of one GSV sentence in SatelliteTable, each in the
// slot of its own system (layout.systemId with the satellite's number: GPS and SBAS in slot 1,
// GLONASS 2, Galileo 3, BeiDou 4, QZSS 5, NavIC 6), and sets SilenceCount to 0. Returns "Show"
// when the sentence closes its cycle, else "END". Never raises: malformed numbers take
// defaults.
std::string_view ParseGsv(RunState& run, const GsvLayout& layout, std::string_view line);
// The same for a sentence of a talker that speaks for systemId.
std::string_view ParseGsv(RunState& run, int systemId, std::string_view line);

}  // namespace sattrail
