// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "systems/SatelliteSystems.h"

namespace sattrail {
namespace {

using S = SatelliteSystem;

// A number of a GSV or GSA and the system ID its sentence speaks for (0: a combined talker
// without one) give the satellite by its own system's number, as gpsd's readings of the
// captures number them.
TEST(IdentifySatellite, NumberingRulesOfNmeaAndOfTheReceivers) {
  const struct {
    int systemId;
    int number;
    std::optional<SatelliteId> id;
  } cases[] = {
      {0, 1, SatelliteId{S::Gps, 1}},
      {0, 32, SatelliteId{S::Gps, 32}},
      {0, 33, SatelliteId{S::Sbas, 120}},
      {0, 51, SatelliteId{S::Sbas, 138}},
      {0, 64, SatelliteId{S::Sbas, 151}},
      {0, 65, SatelliteId{S::Glonass, 1}},
      {0, 96, SatelliteId{S::Glonass, 32}},
      {0, 97, std::nullopt},
      {0, 0, std::nullopt},
      {0, -3, std::nullopt},
      {1, 44, SatelliteId{S::Sbas, 131}},
      {1, 65, std::nullopt},
      {1, 120, std::nullopt},
      {2, 82, SatelliteId{S::Glonass, 18}},
      {2, 9, SatelliteId{S::Glonass, 9}},
      {3, 36, SatelliteId{S::Galileo, 36}},
      {3, 37, std::nullopt},
      {4, 63, SatelliteId{S::BeiDou, 63}},
      {5, 2, SatelliteId{S::Qzss, 2}},
      {6, 3, SatelliteId{S::Navic, 3}},
      {6, 15, std::nullopt},
      {7, 1, std::nullopt},
      // u-blox: QZSS 193 to 202 under GP and in a combined GSV; "extended" Galileo and BeiDou.
      {1, 193, SatelliteId{S::Qzss, 1}},
      {0, 202, SatelliteId{S::Qzss, 10}},
      {0, 301, SatelliteId{S::Galileo, 1}},
      {3, 336, SatelliteId{S::Galileo, 36}},
      {0, 437, SatelliteId{S::BeiDou, 37}},
      {4, 401, SatelliteId{S::BeiDou, 1}},
      // Quectel LC79D: Galileo 102 and 103 in $GAGSV, BeiDou 219 in $BDGSV.
      {3, 102, SatelliteId{S::Galileo, 2}},
      {4, 219, SatelliteId{S::BeiDou, 19}},
      // Telit PLS83-W: BeiDou from 201 in its GSA, QZSS from 193 under system ID 5.
      {4, 208, SatelliteId{S::BeiDou, 8}},
      {5, 193, SatelliteId{S::Qzss, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.systemId) + ": " + std::to_string(c.number));
    EXPECT_EQ(IdentifySatellite(c.systemId, c.number), c.id);
  }
}

TEST(SystemIdOfTalker, EverySystemsTalker) {
  const struct {
    const char* talker;
    std::optional<int> systemId;
  } cases[] = {
      {"GP", 1},
      {"GL", 2},
      {"GA", 3},
      {"GB", 4},
      {"BD", 4},
      {"GQ", 5},
      {"QZ", 5},
      {"GI", 6},
      {"GN", 0},
      {"PQ", 0},
      {"GX", std::nullopt},
      {"gp", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SystemIdOfTalker(c.talker), c.systemId) << c.talker;
}

}  // namespace
}  // namespace sattrail
