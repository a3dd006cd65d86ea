// SPDX-License-Identifier: BSD-2-Clause
#include "systems/SatelliteSystems.h"

#include <algorithm>

namespace sattrail {

namespace {

struct TalkerFacts {
  std::string_view talker;
  int systemId;
};

constexpr std::array<TalkerFacts, 10> kTalkers{{
    {"GP", 1},
    {"GL", 2},
    {"GA", 3},
    {"GB", 4},
    {"BD", 4},  // BeiDou's talker before NMEA 4.11, still written by Quectel and others
    {"GQ", 5},
    {"QZ", 5},  // QZSS's talker before NMEA 4.11
    {"GI", 6},
    {kCombinedTalker, kCombinedSystems},
    {kQuectelTalker, kCombinedSystems},
}};

// A range of numbers of a sentence that speaks for one system ID (or for any, kCombined)
// and the satellites they stand for: svid = number - subtract.
struct NumberingRule {
  int systemId;
  int first;
  int last;
  SatelliteSystem system;
  int subtract;
};

// The first rule that covers a number wins. NMEA's own ranges first, then the receivers that
// number outside them, each named beside its rule.
constexpr std::array<NumberingRule, 20> kNumberingRules{{
    // A combined talker without a system ID: the ranges of NMEA 4.0 and u-blox's extension.
    {kCombinedSystems, 1, 32, SatelliteSystem::Gps, 0},
    {kCombinedSystems, 33, 64, SatelliteSystem::Sbas, -87},  // SBAS PRN 120 to 151
    {kCombinedSystems, 65, 96, SatelliteSystem::Glonass, 64},
    {kCombinedSystems, 193, 202, SatelliteSystem::Qzss, 192},
    {kCombinedSystems, 301, 336, SatelliteSystem::Galileo, 300},  // u-blox "extended"
    {kCombinedSystems, 401, 463, SatelliteSystem::BeiDou, 400},   // u-blox "extended"
    // GPS with SBAS, and QZSS under GP: u-blox receivers in NMEA 4.0 mode, SkyTraq.
    {1, 1, 32, SatelliteSystem::Gps, 0},
    {1, 33, 64, SatelliteSystem::Sbas, -87},
    {1, 193, 202, SatelliteSystem::Qzss, 192},
    // GLONASS: NMEA numbers it 65 to 96, also with system ID 2 (u-blox NEO-M9N, SiRFstar V).
    {2, 65, 96, SatelliteSystem::Glonass, 64},
    {2, 1, 32, SatelliteSystem::Glonass, 0},
    {3, 1, 36, SatelliteSystem::Galileo, 0},
    {3, 101, 136, SatelliteSystem::Galileo, 100},  // Quectel LC79D: $GAGSV with 102 and 103
    {3, 301, 336, SatelliteSystem::Galileo, 300},  // u-blox "extended"
    {4, 1, 63, SatelliteSystem::BeiDou, 0},
    {4, 201, 263, SatelliteSystem::BeiDou, 200},  // Telit PLS83-W's BeiDou GSA, Quectel LC79D
    {4, 401, 463, SatelliteSystem::BeiDou, 400},  // u-blox "extended"
    {5, 1, 10, SatelliteSystem::Qzss, 0},
    {5, 193, 202, SatelliteSystem::Qzss, 192},  // Telit: QZSS numbered as under GP
    {6, 1, 14, SatelliteSystem::Navic, 0},
}};

struct SignalFacts {
  SatelliteSystem system;
  int signalId;
  std::string_view name;
};

// NMEA 4.11's signal IDs. SBAS shares GPS's.
constexpr std::array<SignalFacts, 49> kSignals{{
    {SatelliteSystem::Gps, 1, "L1 C/A"},    {SatelliteSystem::Gps, 2, "L1 P(Y)"},
    {SatelliteSystem::Gps, 3, "L1 M"},      {SatelliteSystem::Gps, 4, "L2 P(Y)"},
    {SatelliteSystem::Gps, 5, "L2C-M"},     {SatelliteSystem::Gps, 6, "L2C-L"},
    {SatelliteSystem::Gps, 7, "L5-I"},      {SatelliteSystem::Gps, 8, "L5-Q"},
    {SatelliteSystem::Sbas, 1, "L1 C/A"},   {SatelliteSystem::Sbas, 7, "L5-I"},
    {SatelliteSystem::Sbas, 8, "L5-Q"},     {SatelliteSystem::Glonass, 1, "G1 C/A"},
    {SatelliteSystem::Glonass, 2, "G1 P"},  {SatelliteSystem::Glonass, 3, "G2 C/A"},
    {SatelliteSystem::Glonass, 4, "G2 P"},  {SatelliteSystem::Galileo, 1, "E5a"},
    {SatelliteSystem::Galileo, 2, "E5b"},   {SatelliteSystem::Galileo, 3, "E5 a+b"},
    {SatelliteSystem::Galileo, 4, "E6-A"},  {SatelliteSystem::Galileo, 5, "E6-BC"},
    {SatelliteSystem::Galileo, 6, "E1-A"},  {SatelliteSystem::Galileo, 7, "E1-BC"},
    {SatelliteSystem::BeiDou, 1, "B1I"},    {SatelliteSystem::BeiDou, 2, "B1Q"},
    {SatelliteSystem::BeiDou, 3, "B1C"},    {SatelliteSystem::BeiDou, 4, "B1A"},
    {SatelliteSystem::BeiDou, 5, "B2a"},    {SatelliteSystem::BeiDou, 6, "B2b"},
    {SatelliteSystem::BeiDou, 7, "B2 a+b"}, {SatelliteSystem::BeiDou, 8, "B3I"},
    {SatelliteSystem::BeiDou, 9, "B3Q"},    {SatelliteSystem::BeiDou, 10, "B3A"},
    {SatelliteSystem::BeiDou, 11, "B2I"},   {SatelliteSystem::BeiDou, 12, "B2Q"},
    {SatelliteSystem::Qzss, 1, "L1 C/A"},   {SatelliteSystem::Qzss, 2, "L1C (D)"},
    {SatelliteSystem::Qzss, 3, "L1C (P)"},  {SatelliteSystem::Qzss, 4, "LIS"},
    {SatelliteSystem::Qzss, 5, "L2C-M"},    {SatelliteSystem::Qzss, 6, "L2C-L"},
    {SatelliteSystem::Qzss, 7, "L5-I"},     {SatelliteSystem::Qzss, 8, "L5-Q"},
    {SatelliteSystem::Qzss, 9, "L6D"},      {SatelliteSystem::Qzss, 10, "L6E"},
    {SatelliteSystem::Navic, 1, "L5-SPS"},  {SatelliteSystem::Navic, 2, "S-SPS"},
    {SatelliteSystem::Navic, 3, "L5-RS"},   {SatelliteSystem::Navic, 4, "S-RS"},
    {SatelliteSystem::Navic, 5, "L1-SPS"},
}};

}  // namespace

const SystemFacts& FactsOf(SatelliteSystem system) {
  return kSatelliteSystems[static_cast<std::size_t>(system)];
}

std::optional<int> SystemIdOfTalker(std::string_view talker) {
  for (const TalkerFacts& facts : kTalkers) {
    if (facts.talker == talker) return facts.systemId;
  }
  return std::nullopt;
}

std::optional<SatelliteId> IdentifySatellite(int systemId, int number) {
  // Most satellite fields of a GSA are empty ("0"): no rule to look through for them.
  if (number <= 0) return std::nullopt;
  for (const NumberingRule& rule : kNumberingRules) {
    if (rule.systemId == systemId && number >= rule.first && number <= rule.last) {
      return SatelliteId{rule.system, number - rule.subtract};
    }
  }
  return std::nullopt;
}

std::optional<int> NumberOfSatellite(int systemId, SatelliteId id) {
  for (const NumberingRule& rule : kNumberingRules) {
    const int number = id.svid + rule.subtract;
    if (rule.systemId == systemId && rule.system == id.system && number >= rule.first &&
        number <= rule.last) {
      return number;
    }
  }
  return std::nullopt;
}

SlotEntry SlotEntryOf(SatelliteId id) {
  const SystemFacts& facts = FactsOf(id.system);
  return {facts.slot, id.svid - facts.slotIndexOffset};
}

std::string_view SignalName(SatelliteSystem system, int signalId) {
  const auto found = std::find_if(kSignals.begin(), kSignals.end(), [&](const SignalFacts& s) {
    return s.system == system && s.signalId == signalId;
  });
  return found == kSignals.end() ? std::string_view() : found->name;
}

}  // namespace sattrail
