// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/GsvParser.h"

#include <array>
#include <string>

#include "numbers/NumberConversion.h"

namespace sattrail {

namespace {

// The single character at a 1-based position, or an empty text past the line's end.
std::string_view CharacterAt(std::string_view line, std::size_t position) {
  return position <= line.size() ? line.substr(position - 1, 1) : std::string_view();
}

// The group texts hold the leading "0" they start with, so "07" arrives as "007" and an empty
// field as "0"; a sign after that "0" is no longer an integer and takes the default.
void StoreSatellite(std::array<SatelliteEntry, kSatelliteNumbers>& row,
                    const std::array<std::string, 4>& group) {
  const std::int32_t n = StrToIntDef(group[0], 0);
  if (n < 0 || n >= kSatelliteNumbers) return;
  SatelliteEntry& entry = row[n];
  entry.Elevation = StrToIntDef(group[1], 0);
  entry.Azimuth = StrToIntDef(group[2], 0);
  entry.Signal = StrToIntDef(group[3], 10);
  entry.Reported = 1;
}

}  // namespace

// $GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74
// 1 number of sentences, 2 this sentence's number, 3 satellites in view, then groups of
// satellite number, elevation, azimuth and signal. The delimiter after a group's signal
// (the "," or the final "*") stores the group; a group cut short by the "*" is dropped.
std::string_view ParseGsv(RunState& run, int slot, std::string_view line) {
  std::array<SatelliteEntry, kSatelliteNumbers>& row = run.SatelliteTable.at(slot);
  std::array<std::string, 4> group{"0", "0", "0", "0"};
  int count = 0;
  // Only single-digit counts are read: the characters at positions 8 and 10.
  const std::string_view total = CharacterAt(line, 8);
  const std::string_view number = CharacterAt(line, 10);
  run.SilenceCount = 0;

  for (const char c : line) {
    if (c == ',' || c == '*') {
      ++count;
      if (count > 7) {
        count -= 4;
        StoreSatellite(row, group);
        // In place: the texts keep their storage from one group to the next.
        for (std::string& text : group) text.assign(1, '0');
      }
    } else if (count >= 4 && count <= 7) {
      group[count - 4] += c;
    }
    if (c == '*' && number == total) return kGsvShow;
  }
  return kGsvEnd;
}

}  // namespace sattrail
