// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>
#include <utility>

#include "EpochSentences.h"
#include "SkyModel.h"
#include "sim_test_support.h"

namespace sattrail::sim {
namespace {

constexpr double kStartUtc = 1780000000;  // 2026-05-28, any whole second will do

// The GSA fix type for each second after a start, read back from the sentence.
std::vector<int> FixTypesAfter(StartKind kind, int seconds) {
  SkyModel sky(Place{}, 7);
  sky.Restart(kind, kStartUtc);
  std::vector<int> types;
  for (int t = 0; t < seconds; ++t)
    types.push_back(std::stoi(test::Fields(BuildGsa(sky.Step(kStartUtc + t)))[2]));
  return types;
}

int FirstSecondWith(const std::vector<int>& types, int type) {
  for (std::size_t t = 0; t < types.size(); ++t)
    if (types[t] == type) return static_cast<int>(t);
  return -1;
}

TEST(SimSky, TimeToFixAfterEachStart) {
  const struct {
    StartKind kind;
    const char* name;
    int earliest, latest;  // seconds to the first 2D fix
  } cases[] = {
      {StartKind::Cold, "cold", 25, 35},  // about 30 s
      {StartKind::Warm, "warm", 15, 25},  // about 20 s
      {StartKind::Hot, "hot", 1, 6},      // a few seconds
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<int> types = FixTypesAfter(c.kind, 60);
    EXPECT_EQ(types.front(), 1);
    const int first2d = FirstSecondWith(types, 2);
    const int first3d = FirstSecondWith(types, 3);
    EXPECT_GE(first2d, c.earliest);
    EXPECT_LE(first2d, c.latest);
    // No fix, then 2D, then 3D a few seconds later, and the fix holds.
    EXPECT_GT(first3d, first2d);
    EXPECT_LE(first3d, first2d + 10);
    for (std::size_t t = 1; t < types.size(); ++t) EXPECT_GE(types[t], types[t - 1]) << t;
    EXPECT_EQ(types.back(), 3);
  }
}

TEST(SimSky, ColdStartLosesTheFixAndTakesItsTimeAgain) {
  SkyModel sky(Place{}, 3);
  sky.Restart(StartKind::Hot, kStartUtc);
  for (int t = 0; t < 20; ++t) sky.Step(kStartUtc + t);
  EXPECT_EQ(sky.Step(kStartUtc + 20).fixType, 3);
  sky.Restart(StartKind::Cold, kStartUtc + 21);
  for (int t = 21; t < 21 + 25; ++t) EXPECT_EQ(sky.Step(kStartUtc + t).fixType, 1) << t;
  int t = 21 + 25;
  while (sky.Step(kStartUtc + t).fixType < 2 && t < 200) ++t;
  EXPECT_LE(t - 21, 35);
}

TEST(SimSky, EightToTwelveSatellitesInViewAllDayAnywhere) {
  const Place places[] = {
      {47.3769, 8.5417, 408}, {-33.87, 151.21, 20}, {69.65, 18.96, 10}, {0.0, -78.5, 2800}};
  for (const Place& place : places) {
    SCOPED_TRACE(place.latitude);
    SkyModel sky(place, 1);
    for (double t = kStartUtc; t < kStartUtc + 86400; t += 600) {
      const auto visible = sky.Visible(t);
      EXPECT_GE(visible.size(), 8u) << t;
      EXPECT_LE(visible.size(), 12u) << t;
    }
  }
}

// Every system the sky flies, on both signals.
Reception EverySystemOnTwoSignals() {
  return {FlownSystems(), true};
}

// The highest elevation of any of the system's satellites, seen every ten minutes of a day.
int HighestOfTheDay(const Place& place, SatelliteSystem system) {
  SkyModel sky(place, 1, {{system}, false});
  int highest = -90;
  for (double t = kStartUtc; t < kStartUtc + 86400; t += 600)
    for (const SatelliteView& s : sky.Visible(t)) highest = std::max(highest, s.elevation);
  return highest;
}

TEST(SimSky, FromTheNorthPoleTheHighestSatelliteShowsTheInclination) {
  // A satellite at radius r on an orbit inclined by i passes at most 90 - i degrees from the
  // pole, where it stands atan((sin i - R/r) / cos i) high (R = 6371 km): the orbits' public
  // figures give these.
  const struct {
    SatelliteSystem system;
    const char* name;
    double highest;
  } cases[] = {
      {SatelliteSystem::Gps, "GPS, 55 degrees, 26560 km", 45.3},
      {SatelliteSystem::Glonass, "GLONASS, 64.8 degrees, 25508 km", 57.0},
      {SatelliteSystem::Galileo, "Galileo, 56 degrees, 29600 km", 47.7},
      {SatelliteSystem::BeiDou, "BeiDou's IGSO, 55 degrees, 42164 km", 49.4},
      {SatelliteSystem::Qzss, "QZSS, 41 degrees, 42164 km", 33.8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int highest = HighestOfTheDay({90.0, 0.0, 0.0}, c.system);
    EXPECT_LE(highest, std::lround(c.highest));
    EXPECT_GE(highest, c.highest - 2);
  }
}

TEST(SimSky, EachSystemsSatellitesInViewAllDayAtMidLatitudes) {
  const struct {
    SatelliteSystem system;
    const char* name;
    std::size_t fewest, most;
  } cases[] = {
      {SatelliteSystem::Glonass, "GLONASS", 4, 12},
      {SatelliteSystem::Galileo, "Galileo", 4, 12},
      {SatelliteSystem::BeiDou, "BeiDou", 4, 12},
  };
  SkyModel sky(Place{}, 1, EverySystemOnTwoSignals());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (double t = kStartUtc; t < kStartUtc + 86400; t += 600) {
      const auto visible = sky.Visible(t);
      const auto count = static_cast<std::size_t>(
          std::count_if(visible.begin(), visible.end(),
                        [&c](const SatelliteView& s) { return s.system == c.system; }));
      EXPECT_GE(count, c.fewest) << t;
      EXPECT_LE(count, c.most) << t;
    }
  }
}

TEST(SimSky, AGeostationarySatelliteStandsStillAndNoHigherThanOverItsLongitude) {
  // From 47 N under the BeiDou satellite at 110.5 E, the geostationary ring (42164 km) is
  // highest due south, atan((cos 47 - 6371/42164) / sin 47) = 36.0 degrees up.
  SkyModel sky({47.0, 110.5, 0.0}, 1, {{SatelliteSystem::BeiDou}, false});
  std::map<int, std::set<std::pair<int, int>>> placesOf;
  for (double t = kStartUtc; t < kStartUtc + 86400; t += 600)
    for (const SatelliteView& s : sky.Visible(t)) placesOf[s.prn].insert({s.elevation, s.azimuth});
  int standing = 0, overhead = 0;
  for (const auto& [prn, places] : placesOf) {
    if (places.size() > 2) continue;  // it moves: rounding alone gives two places at most
    ++standing;
    for (const auto& [elevation, azimuth] : places) {
      EXPECT_LE(elevation, 36) << prn;
      if (elevation == 36 && azimuth == 180) ++overhead;
    }
  }
  EXPECT_GE(standing, 3);  // BeiDou's geostationary satellites from 58.75 to 160 E
  EXPECT_GE(overhead, 1);
}

TEST(SimSky, AQuasiZenithSatelliteStandsHighOverJapanAllDay) {
  // Three satellites 8 h apart on one 41-degree track about 135 E: one is always within 60
  // degrees of its northernmost point, north of asin(sin 41 sin 30) = 19 N and within 7
  // degrees of 135 E. From Tokyo that is at worst 17 degrees from the zenith, 70 up.
  SkyModel sky({35.7, 139.7, 40.0}, 1, {{SatelliteSystem::Qzss}, false});
  for (double t = kStartUtc; t < kStartUtc + 86400; t += 600) {
    const auto visible = sky.Visible(t);
    ASSERT_FALSE(visible.empty()) << t;
    EXPECT_GE(visible.front().elevation, 65) << t;
  }
}

TEST(SimSky, EverySystemIsTrackedAndTheSecondSignalIsWeakerWhereSent) {
  // Older GPS satellites send no L5, BeiDou's second generation (its geostationary satellite
  // over 58.75 E, seen from Zurich) no B2a; every GLONASS and Galileo satellite sends its second.
  const struct {
    SatelliteSystem system;
    const char* name;
    bool someWithoutSecond;
  } cases[] = {
      {SatelliteSystem::Gps, "GPS", true},
      {SatelliteSystem::Glonass, "GLONASS", false},
      {SatelliteSystem::Galileo, "Galileo", false},
      {SatelliteSystem::BeiDou, "BeiDou", true},
  };
  SkyModel sky(Place{}, 5, EverySystemOnTwoSignals());
  sky.Restart(StartKind::Hot, kStartUtc);
  std::map<SatelliteSystem, int> used, withoutSecond;
  for (int t = 0; t < 3600; t += 60) {
    for (const SatelliteView& s : sky.Step(kStartUtc + 20 + t).satellites) {
      SCOPED_TRACE(s.prn);
      ASSERT_GE(s.snr, 0) << "every satellite is tracked long after a hot start";
      used[s.system] += s.used;
      if (!s.sendsSecondSignal) {
        ++withoutSecond[s.system];
        continue;
      }
      EXPECT_LT(s.secondSnr, s.snr);
      EXPECT_GE(s.secondSnr, s.snr - 6);
    }
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_GE(used[c.system], 60 * 4);
    EXPECT_EQ(withoutSecond[c.system] > 0, c.someWithoutSecond);
  }
}

TEST(SimSky, SatellitesDriftSlowlyAcrossTheSky) {
  SkyModel sky(Place{}, 1);
  std::map<int, SatelliteView> before;
  for (const SatelliteView& s : sky.Visible(kStartUtc)) before[s.prn] = s;
  int moved = 0, compared = 0;
  for (const SatelliteView& s : sky.Visible(kStartUtc + 60)) {
    const auto it = before.find(s.prn);
    if (it == before.end()) continue;
    ++compared;
    // A GPS satellite crosses the sky in about six hours: well under 2 degrees a minute.
    EXPECT_LE(std::abs(s.elevation - it->second.elevation), 2) << s.prn;
    const int turn = std::abs(s.azimuth - it->second.azimuth);
    if (s.elevation < 80) {
      EXPECT_LE(std::min(turn, 360 - turn), 3) << s.prn;
    }
    if (s.elevation != it->second.elevation || s.azimuth != it->second.azimuth) ++moved;
  }
  EXPECT_GE(compared, 7);
  // Within ten minutes every satellite has moved.
  int movedTen = 0, comparedTen = 0;
  for (const SatelliteView& s : sky.Visible(kStartUtc + 600)) {
    const auto it = before.find(s.prn);
    if (it == before.end()) continue;
    ++comparedTen;
    if (s.elevation != it->second.elevation || s.azimuth != it->second.azimuth) ++movedTen;
  }
  EXPECT_EQ(movedTen, comparedTen);
  EXPECT_GT(moved, 0);
}

TEST(SimSky, SignalFollowsElevationAndSomeAreNotUsed) {
  SkyModel sky(Place{}, 5);
  sky.Restart(StartKind::Hot, kStartUtc);
  double highSum = 0, lowSum = 0;
  int high = 0, low = 0, unusedInView = 0;
  for (int t = 0; t < 3600; t += 30) {
    const Epoch epoch = sky.Step(kStartUtc + 20 + t);
    ASSERT_EQ(epoch.fixType, 3);
    bool someUnused = false;
    for (const SatelliteView& s : epoch.satellites) {
      ASSERT_GE(s.snr, 0) << "every satellite is tracked long after a hot start";
      if (s.elevation >= 50) highSum += s.snr, ++high;
      if (s.elevation <= 15) lowSum += s.snr, ++low;
      if (!s.used) someUnused = true;
      if (s.elevation < 10) {
        EXPECT_FALSE(s.used);
      }
    }
    unusedInView += someUnused;
    EXPECT_GE(epoch.UsedCount(), 4);
  }
  ASSERT_GT(high, 0);
  ASSERT_GT(low, 0);
  EXPECT_GT(highSum / high, lowSum / low + 10);
  EXPECT_EQ(unusedInView, 120);
}

TEST(SimSky, NoSignalsRightAfterAColdStart) {
  SkyModel sky(Place{}, 5);
  sky.Restart(StartKind::Cold, kStartUtc);
  for (const SatelliteView& s : sky.Step(kStartUtc + 1).satellites) EXPECT_EQ(s.snr, -1);
}

TEST(SimSky, AWalkNearTheChosenPlace) {
  const Place place{-33.87, 151.21, 20};
  SkyModel sky(place, 2);
  sky.Restart(StartKind::Hot, kStartUtc);
  Epoch first;
  for (int t = 0; t <= 10; ++t) first = sky.Step(kStartUtc + t);
  Epoch last;
  for (int t = 11; t <= 70; ++t) last = sky.Step(kStartUtc + t);
  EXPECT_NEAR(first.latitude, place.latitude, 0.01);
  EXPECT_NEAR(first.longitude, place.longitude, 0.01);
  // Walking pace: 1 to 2 m/s, so 60 to 120 m a minute.
  const double north = (last.latitude - first.latitude) * 111320;
  const double east = (last.longitude - first.longitude) * 111320 *
                      std::cos(place.latitude * std::numbers::pi / 180);
  EXPECT_GT(std::hypot(north, east), 50);
  EXPECT_LT(std::hypot(north, east), 130);
  EXPECT_GT(last.speedKnots, 1.5);
  EXPECT_LT(last.speedKnots, 4.5);
  EXPECT_GE(last.courseDegrees, 0);
  EXPECT_LT(last.courseDegrees, 360);
  EXPECT_NEAR(last.altitude, place.altitude, 10);
}

}  // namespace
}  // namespace sattrail::sim
