// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <string>

#include "nmea/GsvParser.h"

namespace sattrail {
namespace {

struct Stored {
  int n;
  int elevation;
  int azimuth;
  int signal;
};

void ExpectEntries(const RunState& run, std::initializer_list<Stored> stored) {
  for (const Stored& s : stored) {
    SCOPED_TRACE("satellite " + std::to_string(s.n));
    const SatelliteEntry& e = run.SatelliteTable[1][s.n];
    EXPECT_EQ(e.Reported, 1);
    EXPECT_EQ(e.Elevation, s.elevation);
    EXPECT_EQ(e.Azimuth, s.azimuth);
    EXPECT_EQ(e.Signal, s.signal);
  }
}

int ReportedCount(const RunState& run, int slot = 1) {
  int count = 0;
  for (const SatelliteEntry& e : run.SatelliteTable[slot]) count += e.Reported;
  return count;
}

// A real SkyTraq cycle; sentence 4 ends with a satellite number 193, which has no entry.
TEST(ParseGsv, RealCycleOfFourSentences) {
  RunState run;
  EXPECT_EQ(
      ParseGsv(run, 1, "$GPGSV,4,1,14,30,77,063,18,28,70,264,19,07,48,101,27,13,41,305,16*7B\r\n"),
      kGsvEnd);
  EXPECT_EQ(
      ParseGsv(run, 1, "$GPGSV,4,2,14,51,37,160,34,11,25,095,27,08,25,046,16,17,24,183,39*7E\r\n"),
      kGsvEnd);
  EXPECT_EQ(
      ParseGsv(run, 1, "$GPGSV,4,3,14,05,09,257,,09,08,163,28,15,08,322,,01,07,107,16*70\r\n"),
      kGsvEnd);
  EXPECT_EQ(ParseGsv(run, 1, "$GPGSV,4,4,14,20,06,302,,193,00,293,*4A\r\n"), kGsvShow);
  ExpectEntries(run, {{30, 77, 63, 18},
                      {28, 70, 264, 19},
                      {7, 48, 101, 27},
                      {13, 41, 305, 16},
                      {11, 25, 95, 27},
                      {8, 25, 46, 16},
                      {17, 24, 183, 39},
                      {5, 9, 257, 0},
                      {9, 8, 163, 28},
                      {15, 8, 322, 0},
                      {1, 7, 107, 16},
                      {20, 6, 302, 0}});
  // 51 and 193 have no entry in a row.
  EXPECT_EQ(ReportedCount(run), 12);
  EXPECT_EQ(ReportedCount(run, 2), 0);
}

TEST(ParseGsv, ResultFollowsTheSentenceNumbers) {
  const struct {
    const char* line;
    std::string_view result;
  } cases[] = {
      {"$GPGSV,3,1,09,01,40,083,46*70\r\n", kGsvEnd},
      {"$GPGSV,3,2,09,01,40,083,46*70\r\n", kGsvEnd},
      {"$GPGSV,3,3,09,01,40,083,46*70\r\n", kGsvShow},
      {"$GPGSV,1,1,01,01,40,083,46*70\r\n", kGsvShow},
      {"$GPGSV,1,1,00*79\r\n", kGsvShow},
      // Without its "*" the last sentence never closes the cycle.
      {"$GPGSV,1,1,01,01,40,083,46\r\n", kGsvEnd},
      {"", kGsvEnd},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    RunState run;
    run.SilenceCount = 9;
    EXPECT_EQ(ParseGsv(run, 1, c.line), c.result);
    EXPECT_EQ(run.SilenceCount, 0);
  }
}

TEST(ParseGsv, GroupFieldsAndTheirDefaults) {
  const struct {
    const char* groups;  // after "$GPGSV,1,1,04,"
    Stored stored;
  } cases[] = {
      {"07,40,083,46", {7, 40, 83, 46}},  {"12,40,083,", {12, 40, 83, 0}},  // empty signal
      {"12,40,083,4X", {12, 40, 83, 10}},                                   // not an integer
      {"12,-5,083,-3", {12, 0, 83, 10}},  // a sign after the leading "0"
      {"12,X,Y,40", {12, 0, 0, 40}},      {",,,", {0, 0, 0, 0}},
      {"-4,10,20,30", {0, 10, 20, 30}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    RunState run;
    ParseGsv(run, 1, std::string("$GPGSV,1,1,04,") + c.groups + "*70\r\n");
    ExpectEntries(run, {c.stored});
    EXPECT_EQ(ReportedCount(run), 1);
  }
}

TEST(ParseGsv, FourGroupsTheLastStoredByTheStar) {
  RunState run;
  ParseGsv(run, 1, "$GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*75\r\n");
  ExpectEntries(run, {{1, 40, 83, 46}, {2, 17, 308, 41}, {12, 7, 344, 39}, {14, 22, 228, 45}});
  EXPECT_EQ(ReportedCount(run), 4);
}

TEST(ParseGsv, ShortGroupsAndUnknownNumbersAreDropped) {
  RunState run;
  ParseGsv(run, 1, "$GPGSV,2,2,08,51,40,083,46,02,17,308,41,03,22*75\r\n");
  ExpectEntries(run, {{2, 17, 308, 41}});
  EXPECT_EQ(ReportedCount(run), 1);
  EXPECT_EQ(run.SatelliteTable[1][3].Elevation, 0);
}

TEST(ParseGsv, FillsTheGivenSlotAndKeepsWhatOthersHold) {
  RunState run;
  run.SatelliteTable[3][9] = {1, 5, 6, 7};
  ParseGsv(run, 2, "$GPGSV,1,1,01,09,40,083,46*70\r\n");
  EXPECT_EQ(run.SatelliteTable[2][9].Signal, 46);
  EXPECT_EQ(run.SatelliteTable[1][9].Reported, 0);
  EXPECT_EQ(run.SatelliteTable[3][9].Signal, 7);
  EXPECT_EQ(run.SatelliteTable[3][9].Azimuth, 6);
}

}  // namespace
}  // namespace sattrail
