// SPDX-License-Identifier: BSD-2-Clause
// The twelve multi-system captures of tests/data/gnss replayed through the replay core, against
// gpsd's reading of each (sky/<name>.json, its last SKY report): every satellite of every
// system with its position, its strongest signal and its use in the fix, and the main
// window's last drawing, which shows GPS and SBAS as that reading has them. Where the two
// readings part, the difference is named below with the rule that explains it.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "replay/CaptureReplay.h"
#include "support/TestCapture.h"

namespace sattrail::replay {
namespace {

const char* const kSkyCaptures[] = {
    "furuno_gl_ga",        "neo-m8n",
    "quectel-eg25-g",      "quectel-l76k-nmea",
    "quectelLC79D",        "sirfstarv-nmea",
    "skytraq-PX1172RH_DS", "st-teseo-liv3f",
    "telit-pls83-w",       "ublox-neo-m9n-nmea",
    "ublox-zed-f9p-nmea",  "unicore-um621",
};

struct KnownDifference {
  std::string_view capture;
  std::string_view system;
  int svid;
  std::string_view field;  // "signal" (the strongest C/N0) or "used"
};

const KnownDifference kKnownDifferences[] = {
    // The ZED-F9P sends each BeiDou cycle a second time with an empty signal ID and no C/N0.
    // gpsd lets that cycle replace the B1I values; a later group of an epoch never wipes what
    // an earlier one said, so the replay keeps B1I.
    {"ublox-zed-f9p-nmea", "BeiDou", 8, "signal"},
    {"ublox-zed-f9p-nmea", "BeiDou", 12, "signal"},
    {"ublox-zed-f9p-nmea", "BeiDou", 13, "signal"},
    {"ublox-zed-f9p-nmea", "BeiDou", 19, "signal"},
    {"ublox-zed-f9p-nmea", "BeiDou", 21, "signal"},
    {"ublox-zed-f9p-nmea", "BeiDou", 22, "signal"},
    // The capture ends inside an epoch, after its GSA, its whole GPS cycle and the first of
    // its GLONASS sentences. gpsd reports the sky of the epoch before, whose GLONASS cycle was
    // whole; the replay the latest report of each satellite (C/N0 one apart) and the use that
    // the epoch's GSA gave when its GPS cycle closed (17 in, 25 out).
    {"st-teseo-liv3f", "GLONASS", 8, "signal"},
    {"st-teseo-liv3f", "GLONASS", 23, "signal"},
    {"st-teseo-liv3f", "GPS", 4, "signal"},
    {"st-teseo-liv3f", "GPS", 6, "signal"},
    {"st-teseo-liv3f", "GPS", 17, "signal"},
    {"st-teseo-liv3f", "GPS", 19, "signal"},
    {"st-teseo-liv3f", "GPS", 25, "signal"},
    {"st-teseo-liv3f", "SBAS", 133, "signal"},
    {"st-teseo-liv3f", "GPS", 17, "used"},
    {"st-teseo-liv3f", "GPS", 25, "used"},
};

using SatelliteKey = std::pair<std::string, int>;  // system, svid

// One satellite as both readings can say it: gpsd writes degrees as reals and C/N0 by its own
// signal IDs, so the comparison takes whole degrees and the strongest signal.
struct Reading {
  nlohmann::json elevation, azimuth;  // null without a position
  int signal = 0;
  bool used = false;
};

nlohmann::json WholeDegrees(const nlohmann::json& value) {
  return value.is_null() ? value : nlohmann::json(static_cast<int>(value.get<double>()));
}

int Strongest(const nlohmann::json& signals) {
  int strongest = 0;
  for (const auto& [id, value] : signals.items()) {
    if (!value.is_null()) strongest = std::max(strongest, static_cast<int>(value.get<double>()));
  }
  return strongest;
}

std::map<SatelliteKey, Reading> ReadingsOf(const nlohmann::json& satellites) {
  std::map<SatelliteKey, Reading> readings;
  for (const nlohmann::json& s : satellites) {
    readings[{s["system"], s["svid"]}] = {WholeDegrees(s["elevation"]), WholeDegrees(s["azimuth"]),
                                          Strongest(s["signals"]), s["used"].get<bool>()};
  }
  return readings;
}

nlohmann::json GpsdSky(const std::string& capture) {
  std::ifstream file(std::string(SATTRAIL_TEST_DATA) + "/gnss/sky/" + capture + ".json");
  return nlohmann::json::parse(file);
}

nlohmann::json ReplayFinal(const std::string& capture) {
  const std::string bytes = testing::ReadTestCapture("gnss/" + capture + ".log");
  EXPECT_FALSE(bytes.empty()) << capture;
  CaptureReplay replay;
  replay.FeedAll({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, 256);
  return nlohmann::json::parse(replay.Final().dump())["final"];
}

// Compares the fields of one satellite; a field that differs must be a known difference,
// which is then counted as seen.
void ExpectSameReading(const std::string& capture, const SatelliteKey& key, const Reading& ours,
                       const Reading& gpsd, std::set<const KnownDifference*>& seen) {
  SCOPED_TRACE(key.first + " " + std::to_string(key.second));
  const auto expect = [&](std::string_view field, bool same) {
    const auto known = std::find_if(std::begin(kKnownDifferences), std::end(kKnownDifferences),
                                    [&](const KnownDifference& d) {
                                      return d.capture == capture && d.system == key.first &&
                                             d.svid == key.second && d.field == field;
                                    });
    if (known != std::end(kKnownDifferences)) {
      EXPECT_FALSE(same) << field << " is named as a difference but agrees";
      seen.insert(&*known);
    } else {
      EXPECT_TRUE(same) << field;
    }
  };
  EXPECT_EQ(ours.elevation, gpsd.elevation);
  EXPECT_EQ(ours.azimuth, gpsd.azimuth);
  expect("signal", ours.signal == gpsd.signal);
  expect("used", ours.used == gpsd.used);
}

class SkyReplayTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SkyReplayTest, EverySatelliteOfEverySystemAsGpsdReadsIt) {
  const std::string capture = GetParam();
  const nlohmann::json final = ReplayFinal(capture);
  const auto ours = ReadingsOf(final["satellites"]);
  const auto gpsd = ReadingsOf(GpsdSky(capture)["satellites"]);

  std::set<SatelliteKey> ourKeys, gpsdKeys;
  for (const auto& [key, reading] : ours) ourKeys.insert(key);
  for (const auto& [key, reading] : gpsd) gpsdKeys.insert(key);
  EXPECT_EQ(ourKeys, gpsdKeys);

  std::set<const KnownDifference*> seen;
  for (const auto& [key, reading] : gpsd) {
    if (ours.count(key) != 0) ExpectSameReading(capture, key, ours.at(key), reading, seen);
  }
  for (const KnownDifference& known : kKnownDifferences) {
    if (known.capture == capture) {
      EXPECT_EQ(seen.count(&known), 1u) << known.system << " " << known.svid << " " << known.field;
    }
  }
}

// The main window draws slot 1 as it always did: GPS and the SBAS satellites numbered up to 49
// (PRN 136), the used ones blue while there is a fix, each bar the strongest of its signals.
TEST_P(SkyReplayTest, MainPicturesShowTheGpsSatellitesAsGpsdReadsThem) {
  const std::string capture = GetParam();
  const nlohmann::json final = ReplayFinal(capture);
  const std::string fixMode = final["boxes"]["Edit6"];
  const bool fixed = fixMode == "3D" || fixMode == "2D";

  std::map<int, Reading> expected;
  for (const auto& [key, reading] : ReadingsOf(GpsdSky(capture)["satellites"])) {
    const int n = key.first == "GPS" ? key.second : key.first == "SBAS" ? key.second - 87 : 0;
    if (n < 1 || n > 49) continue;
    Reading drawn = reading;
    drawn.used = reading.used && fixed;
    // The pictures take an empty elevation or azimuth as 0.
    if (drawn.elevation.is_null()) drawn.elevation = 0;
    if (drawn.azimuth.is_null()) drawn.azimuth = 0;
    // Where the readings part (named above), the drawing goes with the replay's reading.
    for (const nlohmann::json& s : final["satellites"]) {
      if (s["system"] == key.first && s["svid"] == key.second) {
        drawn.signal = s["signal"];
        drawn.used = s["used"].get<bool>() && fixed;
      }
    }
    expected[n] = drawn;
  }

  std::map<int, Reading> drawn;
  for (const nlohmann::json& d : final["lastDrawing"]) {
    drawn[d["n"]] = {d["elevation"], d["azimuth"], d["signal"], d["used"].get<bool>()};
  }
  ASSERT_EQ(drawn.size(), expected.size());
  for (const auto& [n, reading] : expected) {
    SCOPED_TRACE(n);
    ASSERT_EQ(drawn.count(n), 1u);
    EXPECT_EQ(drawn[n].elevation, reading.elevation);
    EXPECT_EQ(drawn[n].azimuth, reading.azimuth);
    EXPECT_EQ(drawn[n].signal, reading.signal);
    EXPECT_EQ(drawn[n].used, reading.used);
  }
}

std::string SkyCaptureName(const ::testing::TestParamInfo<const char*>& info) {
  std::string name = info.param;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(GnssCaptures, SkyReplayTest, ::testing::ValuesIn(kSkyCaptures),
                         SkyCaptureName);

}  // namespace
}  // namespace sattrail::replay
