// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/GsvParser.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "nmea/GsvEpochs.h"
#include "numbers/NumberConversion.h"

namespace sattrail {

namespace {

// The group texts hold the leading "0" they start with, so "07" arrives as "007" and an empty
// field as "0"; a sign after that "0" is no longer an integer and takes the default.
using GroupTexts = std::array<std::string, 4>;

// One group's fields as numbers, read once for the pictures and for the sighting.
struct Group {
  std::int32_t number = 0;
  std::int32_t elevation = 0;  // 0 when empty or not an integer, as the pictures take it
  std::int32_t azimuth = 0;
  std::int32_t signal = 0;     // 0 when empty, 10 when not an integer
  bool givesPosition = false;  // elevation and azimuth both given as integers
  bool tracked = false;        // the signal field is not empty
};

Group ReadGroup(const GroupTexts& texts) {
  // An integer reads the same whatever the default; an empty field is the leading "0" alone.
  const auto given = [](const std::string& text) {
    return text.size() > 1 && StrToIntDef(text, -1) == StrToIntDef(text, 0);
  };
  Group group;
  group.number = StrToIntDef(texts[0], 0);
  group.elevation = StrToIntDef(texts[1], 0);
  group.azimuth = StrToIntDef(texts[2], 0);
  group.signal = StrToIntDef(texts[3], 10);
  group.givesPosition = given(texts[1]) && given(texts[2]);
  group.tracked = texts[3].size() > 1;
  return group;
}

std::int16_t ToSighting(std::int32_t value) {
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(
      value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// What the main window's pictures draw from. A satellite that an earlier group of the same
// epoch reported (on another signal) keeps its position when this group gives none and shows
// the stronger signal.
void StoreForPictures(SatelliteEntry& entry, const Group& group, bool sameEpoch) {
  if (!sameEpoch || group.givesPosition) {
    entry.Elevation = group.elevation;
    entry.Azimuth = group.azimuth;
  }
  entry.Signal = sameEpoch ? std::max(entry.Signal, group.signal) : group.signal;
  entry.Reported = 1;
}

// What the receiver says of the satellite in this epoch, signal by signal.
void StoreSighting(Sighting& seen, const Group& group, const GsvLayout& layout,
                   const GsvStream& stream, bool sameEpoch) {
  if (!sameEpoch) {
    seen = Sighting{};
    seen.Epoch = stream.Epoch;
    seen.Stream = static_cast<std::uint8_t>(layout.systemId);
  }
  if (group.givesPosition) {
    seen.HasPosition = true;
    seen.Elevation = ToSighting(group.elevation);
    seen.Azimuth = ToSighting(group.azimuth);
  }
  seen.Signals[layout.signalId] = group.tracked ? ToSighting(group.signal) : kNotTracked;
  seen.SignalIds |= static_cast<std::uint16_t>(1u << layout.signalId);
}

void StoreSatellite(RunState& run, const GsvLayout& layout, const GsvStream& stream,
                    const GroupTexts& texts) {
  const Group group = ReadGroup(texts);
  const std::int32_t number = group.number;
  const std::optional<SatelliteId> id = IdentifySatellite(layout.systemId, number);
  if (!id) {
    // A number no system knows keeps to the talker's own slot, where entry 0 holds a group of
    // empty fields; the pictures never draw it.
    if (number >= 0 && number < kSatelliteNumbers) {
      StoreForPictures(run.SatelliteTable[layout.systemId][number], group, false);
    }
    return;
  }
  const SlotEntry at = SlotEntryOf(*id);
  Sighting& seen = run.Sightings[at.slot][at.entry];
  const bool sameEpoch =
      seen.Epoch == stream.Epoch && seen.Stream == static_cast<std::uint8_t>(layout.systemId);
  if (at.entry < kSatelliteNumbers) {
    StoreForPictures(run.SatelliteTable[at.slot][at.entry], group, sameEpoch);
  }
  StoreSighting(seen, group, layout, stream, sameEpoch);
}

// The single character at a 1-based position, or an empty text past the line's end.
std::string_view CharacterAt(std::string_view line, std::size_t position) {
  return position <= line.size() ? line.substr(position - 1, 1) : std::string_view();
}

}  // namespace

// $GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74
// 1 number of sentences, 2 this sentence's number, 3 satellites in view, then groups of
// satellite number, elevation, azimuth and signal, and since NMEA 4.10 a signal ID. The
// delimiter after a group's signal (the "," or the final "*") stores the group; a group cut
// short by the "*" is dropped.
std::string_view ParseGsv(RunState& run, const GsvLayout& layout, std::string_view line) {
  GroupTexts group{"0", "0", "0", "0"};
  int count = 0;
  // Only single-digit counts are read: the characters at positions 8 and 10.
  const std::string_view total = CharacterAt(line, 8);
  const std::string_view number = CharacterAt(line, 10);
  run.SilenceCount = 0;
  // The empty line of an over-long one says nothing of the sky.
  if (line.empty()) return kGsvEnd;
  GsvStream& stream = BeginGsvSentence(run.Sky, layout);

  for (const char c : line) {
    if (c == ',' || c == '*') {
      ++count;
      if (count > 7) {
        count -= 4;
        StoreSatellite(run, layout, stream, group);
        // In place: the texts keep their storage from one group to the next.
        for (std::string& text : group) text.assign(1, '0');
      }
    } else if (count >= 4 && count <= 7) {
      group[count - 4] += c;
    }
    if (c == '*' && number == total) {
      ++stream.CyclesClosed;
      run.Sky.FixAtLastCycle = run.GpsState.InFix;
      return kGsvShow;
    }
  }
  return kGsvEnd;
}

std::string_view ParseGsv(RunState& run, int systemId, std::string_view line) {
  return ParseGsv(run, ReadGsvLayout(line, systemId), line);
}

}  // namespace sattrail
