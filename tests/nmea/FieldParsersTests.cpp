// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nmea/FieldParsers.h"
#include "numbers/NumberConversion.h"

namespace sattrail {
namespace {

// The message of the conversion error a call raises, or "" when it raises none.
template <typename Call>
std::string ErrorOf(Call&& call) {
  try {
    call();
  } catch (const ConversionError& error) {
    return error.what();
  }
  return "";
}

TEST(ParseGga, HeightIsTheAltitudeFieldWithOneDecimal) {
  const struct {
    const char* line;
    const char* height;
  } cases[] = {
      {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n", "545.4"},
      {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,,M,46.9,M,,*47\r\n", "0.0"},
      {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,-34.2,M,46.9,M,,*47\r\n", "-34.2"},
      // A real receiver (SkyTraq) with three decimals and a negative separation.
      {"$GPGGA,232712.000,4404.1237962,N,12118.8472460,W,1,05,5.1,1132.560,M,-20.300,M,,0000*58"
       "\r\n",
       "1132.6"},
      // The 32-bit float nearest 0.15 lies above it, so it rounds up; the double would not.
      {"$GPGGA,,,,,,,,,0.15,M,,M,,*47\r\n", "0.2"},
      // The altitude is the last field before the "*".
      {"$GPGGA,,,,,,,,,12.25*47\r\n", "12.2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    CoMPort state;
    ParseGga(state, c.line);
    EXPECT_EQ(state.HeightText, c.height);
  }
}

TEST(ParseGga, TooFewFieldsLeaveTheHeightAlone) {
  CoMPort state;
  state.HeightText = "7.0";
  ParseGga(state, "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9*47\r\n");
  EXPECT_EQ(state.HeightText, "7.0");
}

TEST(ParseGga, MalformedAltitudeRaises) {
  CoMPort state;
  state.HeightText = "7.0";
  EXPECT_EQ(ErrorOf([&] { ParseGga(state, "$GPGGA,1,2,N,3,E,1,08,0.9,54x.4,M,46.9,M,,*47"); }),
            "'54x.4' is not a valid floating point value");
  EXPECT_EQ(state.HeightText, "7.0");
}

TEST(ParseRmc, StoresTimePositionSpeedAndDate) {
  CoMPort state;
  ParseRmc(state, "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n");
  EXPECT_EQ(state.UtcTime, 123519.0f);
  EXPECT_EQ(state.Latitude, 4807.038f);
  EXPECT_EQ(state.LatHemisphere, "N");
  EXPECT_EQ(state.Longitude, 1131.0f);
  EXPECT_EQ(state.LonHemisphere, "E");
  EXPECT_EQ(state.UtcDate, 230394);
}

TEST(ParseRmc, SpeedIsKnotsTimes1852NarrowedAfterTheProduct) {
  const struct {
    const char* knots;
    float kmh;
  } cases[] = {
      {"10.0", 18.52f}, {"0.5", 0.926f}, {"10.5", 19.4459991455078125f},
      {"000.0", 0.0f},  {"", 0.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.knots);
    CoMPort state;
    ParseRmc(state, std::string("$GPRMC,123519,A,4807.038,N,01131.000,E,") + c.knots +
                        ",084.4,230394,,*6A\r\n");
    EXPECT_EQ(state.SpeedKmh, c.kmh);
  }
}

TEST(ParseRmc, VoidSentenceWithEmptyFieldsStoresZeros) {
  CoMPort state;
  state.UtcTime = 1;
  state.Latitude = 2;
  state.Longitude = 3;
  state.SpeedKmh = 4;
  state.UtcDate = 5;
  ParseRmc(state, "$GPRMC,,V,,,,,,,,,,N*53\r\n");
  EXPECT_EQ(state.UtcTime, 0.0f);
  EXPECT_EQ(state.Latitude, 0.0f);
  EXPECT_EQ(state.Longitude, 0.0f);
  EXPECT_EQ(state.SpeedKmh, 0.0f);
  EXPECT_EQ(state.UtcDate, 0);
  EXPECT_EQ(state.LatHemisphere, "0");
  EXPECT_EQ(state.LonHemisphere, "0");
}

TEST(ParseRmc, DateLosesItsLeadingZero) {
  CoMPort state;
  ParseRmc(state, "$GPRMC,001902.00,V,,,,,,,010104,,,N*77\r\n");
  EXPECT_EQ(state.UtcDate, 10104);
  EXPECT_EQ(state.UtcTime, 1902.0f);
}

TEST(ParseRmc, MalformedFieldStopsTheSentenceThere) {
  CoMPort state;
  state.LatHemisphere = "S";
  state.UtcDate = 7;
  EXPECT_EQ(ErrorOf([&] {
              ParseRmc(state, "$GPRMC,123519,A,48x7.038,N,01131.000,E,0.0,0.0,230394,,*6A");
            }),
            "'48x7.038' is not a valid floating point value");
  EXPECT_EQ(state.UtcTime, 123519.0f);  // before the bad field: stored
  EXPECT_EQ(state.LatHemisphere, "S");  // after it: untouched
  EXPECT_EQ(state.UtcDate, 7);

  EXPECT_EQ(ErrorOf([&] { ParseRmc(state, "$GPRMC,1,A,2,N,3,E,0.0,0.0,23O394,,*6A"); }),
            "'23O394' is not a valid integer value");
  EXPECT_EQ(state.LonHemisphere, "E");
}

TEST(ParseGsa, FlagsTheListedSatellitesAndKeepsEarlierFlags) {
  CoMPort state;
  state.UsedSatellites[1][7] = 1;
  ParseGsa(state, "$GPGSA,A,3,04,05,,09,12,,,24,,,,31,2.5,1.3,2.1*39\r\n");
  EXPECT_EQ(state.FixType, 3);
  EXPECT_EQ(state.Pdop, 2.5f);
  for (int n = 0; n < 50; ++n) {
    SCOPED_TRACE(n);
    const bool used = n == 4 || n == 5 || n == 7 || n == 9 || n == 12 || n == 24 || n == 31;
    EXPECT_EQ(state.UsedSatellites[1][n], used ? 1 : 0);
  }
}

TEST(ParseGsa, SatelliteNumbersOutsideOneTo49SetNothing) {
  CoMPort state;
  ParseGsa(state, "$GPGSA,A,3,50,120,0,-3,49,1,,,,,,,1.0,1.0,1.0*39\r\n");
  for (int n = 0; n < 50; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(state.UsedSatellites[1][n], n == 1 || n == 49 ? 1 : 0);
  }
}

struct SlotAndEntry {
  int slot;
  int entry;
};

// Real GSA sentences of multi-system receivers: the satellites they flag, by slot (1 GPS with
// SBAS, 2 GLONASS, 3 Galileo, 4 BeiDou) and entry.
TEST(ParseGsa, SatellitesBelongToTheSystemTheSentenceNames) {
  const struct {
    const char* line;
    int talkerSystemId;
    std::vector<SlotAndEntry> flagged;
  } cases[] = {
      // u-blox NEO-M9N: one GNGSA a system with its system ID; SBAS 44 and 51 with GPS.
      {"$GNGSA,A,3,29,20,18,16,51,13,44,26,,,,,0.99,0.54,0.83,1*0E\r\n",
       0,
       {{1, 29}, {1, 20}, {1, 18}, {1, 16}, {1, 51}, {1, 13}, {1, 44}, {1, 26}}},
      {"$GNGSA,A,3,82,73,74,67,81,83,68,,,,,,0.99,0.54,0.83,2*08\r\n",
       0,
       {{2, 18}, {2, 9}, {2, 10}, {2, 3}, {2, 17}, {2, 19}, {2, 4}}},
      {"$GNGSA,A,3,03,05,30,27,15,,,,,,,,0.99,0.54,0.83,3*0D\r\n",
       0,
       {{3, 3}, {3, 5}, {3, 30}, {3, 27}, {3, 15}}},
      // u-blox NEO-M8N, NMEA 4.0: no system ID, the system from the number.
      {"$GNGSA,A,3,01,11,31,14,22,32,04,25,03,,,,1.56,0.91,1.27*15\r\n",
       0,
       {{1, 1}, {1, 11}, {1, 31}, {1, 14}, {1, 22}, {1, 32}, {1, 4}, {1, 25}, {1, 3}}},
      {"$GNGSA,A,3,67,83,76,82,68,,,,,,,,1.56,0.91,1.27*1D\r\n",
       0,
       {{2, 3}, {2, 19}, {2, 12}, {2, 18}, {2, 4}}},
      // Telit PLS83-W numbers BeiDou from 201 in its GSA.
      {"$GNGSA,A,2,208,211,213,,,,,,,,,,1.6,1.3,0.9,4*01\r\n", 0, {{4, 8}, {4, 11}, {4, 13}}},
      // A talker's own system: BeiDou's BD without an ID field.
      {"$BDGSA,A,3,21,28,08,,,,,,,,,,1.5,2.88,1.00*25\r\n", 4, {{4, 21}, {4, 28}, {4, 8}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    CoMPort state;
    state.InFix.Run = 1;
    ParseGsa(state, c.line, c.talkerSystemId);
    int flags = 0;
    for (const auto& row : state.UsedSatellites) {
      for (const std::uint8_t flag : row) flags += flag;
    }
    EXPECT_EQ(flags, static_cast<int>(c.flagged.size()));
    for (const SlotAndEntry& at : c.flagged) {
      SCOPED_TRACE(std::to_string(at.slot) + "/" + std::to_string(at.entry));
      EXPECT_EQ(state.UsedSatellites[at.slot][at.entry], 1);
      EXPECT_TRUE(state.InFix.Lists(at.slot, at.entry));
    }
  }
}

// Each epoch's run of GSA sentences replaces what the runs before said of the systems it
// speaks for, and only of those; an empty combined GSA speaks for all.
TEST(ParseGsa, TheLatestRunOfEachSystemTellsTheSatellitesInTheFix) {
  CoMPort state;
  state.InFix.Run = 1;
  ParseGsa(state, "$GNGSA,A,3,10,13,,,,,,,,,,,1.05,0.56,0.88,1*00\r\n", 0);
  ParseGsa(state, "$GNGSA,A,3,03,05,,,,,,,,,,,1.05,0.56,0.88,3*00\r\n", 0);
  state.InFix.Run = 2;
  ParseGsa(state, "$GNGSA,A,3,13,,,,,,,,,,,,1.05,0.56,0.88,1*00\r\n", 0);
  EXPECT_FALSE(state.InFix.Lists(1, 10));
  EXPECT_TRUE(state.InFix.Lists(1, 13));
  EXPECT_TRUE(state.InFix.Lists(3, 5));  // no Galileo GSA in run 2
  state.InFix.Run = 3;
  ParseGsa(state, "$GNGSA,A,1,,,,,,,,,,,,,,,*2C\r\n", 0);
  EXPECT_FALSE(state.InFix.Lists(1, 13));
  EXPECT_FALSE(state.InFix.Lists(3, 5));
}

TEST(ParseGsa, FixType) {
  const struct {
    const char* field;
    int fixType;
    const char* error;
  } cases[] = {
      {"3", 3, ""},
      {"", 0, ""},
      {"7", 7, ""},
      {"3D", 5, "'3D' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    CoMPort state;
    state.FixType = 5;
    EXPECT_EQ(ErrorOf([&] {
                ParseGsa(state, std::string("$GPGSA,A,") + c.field + ",,,,,,,,,,,,,1.0,1.0,1.0*39");
              }),
              c.error);
    EXPECT_EQ(state.FixType, c.fixType);
  }
}

TEST(ParseGsa, PdopNeedsItsSixteenthComma) {
  CoMPort state;
  state.Pdop = 9.5f;
  ParseGsa(state, "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5*39\r\n");
  EXPECT_EQ(state.Pdop, 9.5f);
  ParseGsa(state, "$GPGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99*30\r\n");
  EXPECT_EQ(state.Pdop, 99.99f);
  EXPECT_EQ(state.FixType, 1);
}

TEST(ParseGsa, TheStarIsNotADelimiterThere) {
  // The VDOP ends with the "*": never handed over, so "2.1*39" cannot raise.
  CoMPort state;
  EXPECT_NO_THROW(ParseGsa(state, "$GPGSA,A,3,,,,,,,,,,,,,2.5,1.3,2.1*39\r\n"));
  EXPECT_EQ(ErrorOf([&] { ParseGsa(state, "$GPGSA,A,3,,,,,,,,,,,,,2.5x,1.3,2.1*39\r\n"); }),
            "'2.5x' is not a valid floating point value");
}

}  // namespace
}  // namespace sattrail
