// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/FieldParsers.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "numbers/NumberConversion.h"
#include "systems/SatelliteSystems.h"

namespace sattrail {

namespace {

// Walks the line field by field: every delimiter ends a field, and the handler gets the
// delimiter's number (1 for the one after the identifier) with the field's text, "0" when
// the field was empty. The text after the last delimiter (checksum digits, line end) is
// never handed over.
// The fields are views into the line: nothing is copied for the many fields no parser reads.
template <typename Handler>
void ForEachField(std::string_view line, std::string_view delimiters, Handler&& handler) {
  const auto isDelimiter = [delimiters](char c) {
    return std::find(delimiters.begin(), delimiters.end(), c) != delimiters.end();
  };
  int count = 0;
  std::size_t start = 0;
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (!isDelimiter(line[at])) continue;
    ++count;
    const std::string_view field = line.substr(start, at - start);
    handler(count, field.empty() ? std::string_view("0") : field);
    start = at + 1;
  }
}

// The receiver state holds 32-bit floats. A double beyond the float range becomes an
// infinity, as the hardware conversion gives, without relying on an out-of-range cast.
float NarrowToFloat(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::infinity();
  if (value < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

// A received real as the state stores it.
float ReadFloat(std::string_view field) {
  return NarrowToFloat(StrToFloat(field));
}

}  // namespace

// $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47
// Field 9 (ended by delimiter 10) is the antenna altitude above mean sea level, 545.4; field
// 11 is the geoid separation, 46.9, which is not the height and is not read.
void ParseGga(CoMPort& state, std::string_view line) {
  ForEachField(line, ",*", [&state](int count, std::string_view field) {
    // "%.1f" of the stored float, with a point whatever the desktop's locale.
    if (count == 10) {
      state.HeightText = FormatFixed(static_cast<double>(ReadFloat(field)), 1);
    }
  });
}

// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
// 1 UTC time, 2 status (not looked at), 3/4 latitude and N/S, 5/6 longitude and E/W,
// 7 speed in knots, 8 course (not stored), 9 date ddmmyy.
void ParseRmc(CoMPort& state, std::string_view line) {
  ForEachField(line, ",*", [&state](int count, std::string_view field) {
    if (count == 2) state.UtcTime = ReadFloat(field);
    if (count == 4) state.Latitude = ReadFloat(field);
    if (count == 5) state.LatHemisphere = field;
    if (count == 6) state.Longitude = ReadFloat(field);
    if (count == 7) state.LonHemisphere = field;
    // Knots to km/h at double precision; only the product is narrowed.
    if (count == 8) state.SpeedKmh = NarrowToFloat(StrToFloat(field) * 1.852);
    if (count == 10) state.UtcDate = StrToInt(field);
  });
}

namespace {

// The system ID that NMEA 4.10 adds after the VDOP, field 18:
// $GNGSA,A,3,03,05,30,27,15,,,,,,,,1.05,0.56,0.88,3*00. Empty when absent or not one.
std::optional<int> GsaSystemId(std::string_view line) {
  std::size_t at = 0;
  for (int commas = 0; commas < 18; ++commas) {
    at = line.find(',', at);
    if (at == std::string_view::npos) return std::nullopt;
    ++at;
  }
  const std::string_view field = line.substr(at, line.find_first_of(",*", at) - at);
  if (field.size() != 1 || field[0] < '1' || field[0] > '0' + kHighestSystemId) {
    return std::nullopt;
  }
  return field[0] - '0';
}

}  // namespace

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39
// 1 mode (not stored), 2 fix type, 3 to 14 the satellites used, 15 PDOP. Only "," delimits,
// so the VDOP before the "*" is never handed over. The satellites belong to the system of the
// system-ID field, else of the talker; a combined talker without one numbers them by system.
void ParseGsa(CoMPort& state, std::string_view line, int talkerSystemId) {
  const int systemId = GsaSystemId(line).value_or(talkerSystemId);
  FixSatellites& fix = state.InFix;
  bool listedAny = false;
  ForEachField(line, ",", [&](int count, std::string_view field) {
    if (count == 3) {
      state.FixType = StrToInt(field);
    } else if (count >= 4 && count <= 15) {
      const std::int32_t number = StrToInt(field);
      const std::optional<SatelliteId> id = IdentifySatellite(systemId, number);
      if (!id) return;
      const SlotEntry at = SlotEntryOf(*id);
      state.UsedSatellites[at.slot][at.entry] = 1;
      fix.ListedRun[at.slot][at.entry] = fix.Run;
      fix.SlotRun[at.slot] = fix.Run;
      listedAny = true;
    } else if (count == 16) {
      state.Pdop = ReadFloat(field);
    }
  });
  // A system's GSA that lists none says that none of its satellites is used; a combined one
  // without a system ID says so of every system.
  if (systemId != kCombinedSystems) {
    fix.SlotRun[systemId] = fix.Run;
  } else if (!listedAny) {
    for (int slot = 1; slot <= kHighestSystemId; ++slot) fix.SlotRun[slot] = fix.Run;
  }
}

}  // namespace sattrail
