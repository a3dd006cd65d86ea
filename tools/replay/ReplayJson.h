// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "nmea/SatelliteList.h"
#include "platform/Window.h"
#include "state/DrawnSatellites.h"

namespace sattrail::replay {

// A window text (8-bit, the degree sign as its two Big5 bytes 0xA2 0x58) as UTF-8: the
// degree sign becomes U+00B0 and every other byte above 127 is read as Latin-1, so that any
// received byte gives valid UTF-8.
std::string WindowTextToUtf8(std::string_view text);

// The eleven boxes of the report, in report order, by their control names.
nlohmann::ordered_json BoxesJson(const Window& window);
// CheckBox1 to CheckBox7.
nlohmann::ordered_json ChecksJson(const Window& window);
// The satellites of one drawing, in drawing order.
nlohmann::ordered_json DrawingJson(const DrawnSatellites& drawn);
// Every satellite of every system: {"system", "svid", "elevation", "azimuth" (null when the
// receiver gave no position), "signal" (the strongest, 0 when none), "signals" (C/N0 by signal
// ID as one hex digit, null for a signal the satellite is listed on but not tracked),
// "used"}.
nlohmann::ordered_json SatellitesJson(const std::vector<ListedSatellite>& satellites);

}  // namespace sattrail::replay
