// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The satellite systems a receiver reports, how NMEA names them (talkers, system IDs, signal
// IDs) and how receivers number their satellites: one table for each, read by the parsers,
// the reports and the simulated receiver alike.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sattrail {

// In the order of the legend: each system's satellites are listed and drawn in this order.
enum class SatelliteSystem : std::uint8_t { Gps, Sbas, Glonass, Galileo, BeiDou, Qzss, Navic };

struct SystemFacts {
  SatelliteSystem system;
  std::string_view name;  // as the reports write it
  char letter;            // the label's prefix: G05, S44, R12, E03, C27, J02, I03
  int systemId;           // NMEA 4.10 system ID; SBAS travels with GPS under 1
  int slot;               // receiver slot of SatelliteTable (GPS and SBAS share slot 1)
  int firstSvid;          // the system's own satellite numbers
  int lastSvid;
  int slotIndexOffset;      // entry of the slot = svid - offset: SBAS PRN 120 is entry 33
  std::string_view talker;  // the talker of its own GSV, as an NMEA 4.11 receiver writes it
  int firstSignal;          // the L1-band signal ID and the one a dual-frequency receiver adds
  int secondSignal;         // in the L5 band (E5a, B2a)
};

inline constexpr std::array<SystemFacts, 7> kSatelliteSystems{{
    {SatelliteSystem::Gps, "GPS", 'G', 1, 1, 1, 32, 0, "GP", 1, 7},
    {SatelliteSystem::Sbas, "SBAS", 'S', 1, 1, 120, 151, 87, "GP", 1, 7},
    {SatelliteSystem::Glonass, "GLONASS", 'R', 2, 2, 1, 32, 0, "GL", 1, 3},
    {SatelliteSystem::Galileo, "Galileo", 'E', 3, 3, 1, 36, 0, "GA", 7, 1},
    {SatelliteSystem::BeiDou, "BeiDou", 'C', 4, 4, 1, 63, 0, "GB", 1, 5},
    {SatelliteSystem::Qzss, "QZSS", 'J', 5, 5, 1, 10, 0, "GQ", 1, 7},
    {SatelliteSystem::Navic, "NavIC", 'I', 6, 6, 1, 14, 0, "GI", 5, 1},
}};

// The highest NMEA 4.10 system ID; 0 stands for a combined talker ("GN") without one.
inline constexpr int kHighestSystemId = 6;
inline constexpr int kCombinedSystems = 0;

const SystemFacts& FactsOf(SatelliteSystem system);

// The system ID a talker speaks for: GP 1, GL 2, GA 3, GB and BD 4, GQ and QZ 5, GI 6, GN
// kCombinedSystems. PQ (Quectel) writes the system ID into a field of its own and is
// kCombinedSystems until that field is read. Empty for every other talker.
std::optional<int> SystemIdOfTalker(std::string_view talker);
// Quectel's talker, whose GSV ends with a signal ID and a system ID.
inline constexpr std::string_view kQuectelTalker = "PQ";
// NMEA's talker of a sentence that speaks for several systems at once.
inline constexpr std::string_view kCombinedTalker = "GN";

// A satellite as its own system numbers it.
struct SatelliteId {
  SatelliteSystem system;
  int svid;
  friend bool operator==(const SatelliteId&, const SatelliteId&) = default;
};

// The satellite behind a number of a GSV or GSA that speaks for systemId (kCombinedSystems:
// any), or nothing for a number no rule knows.
std::optional<SatelliteId> IdentifySatellite(int systemId, int number);
// The number a GSV or GSA that speaks for systemId gives a satellite, by the first rule that
// covers it, so NMEA's own where there is one: GLONASS slot 5 is 69 under system ID 2. Empty
// when no rule numbers the satellite under that ID.
std::optional<int> NumberOfSatellite(int systemId, SatelliteId id);

// Where a satellite lives in SatelliteTable.
struct SlotEntry {
  int slot;
  int entry;
};
SlotEntry SlotEntryOf(SatelliteId id);

// NMEA 4.11's name of a signal ID of a system, or an empty text for an ID it does not define.
std::string_view SignalName(SatelliteSystem system, int signalId);

}  // namespace sattrail
