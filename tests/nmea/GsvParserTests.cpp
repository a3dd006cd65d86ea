// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nmea/GsvParser.h"
#include "nmea/SatelliteList.h"

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
  // The receiver still sees them: SBAS PRN 138 beside GPS, QZSS 1 in its own slot.
  EXPECT_EQ(run.Sightings[1][51].Elevation, 37);
  EXPECT_EQ(run.Sightings[5][1].Azimuth, 293);
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

// Feeds the sentences of a talker that speaks for systemId.
void Feed(RunState& run, int systemId, std::initializer_list<const char*> lines) {
  for (const char* line : lines) ParseGsv(run, systemId, line);
}

int SignalOf(const RunState& run, int slot, int entry, int signalId) {
  const Sighting& seen = run.Sightings[slot][entry];
  return (seen.SignalIds >> signalId & 1u) != 0 ? seen.Signals[signalId] : -99;
}

// A u-blox ZED-F9P sends each system's cycle once per signal: GPS L1 C/A (1), then L2C-L (6),
// the second with the same positions and the C/N0 of L2.
TEST(ParseGsv, SignalGroupsOfOneEpochMakeOneSatellite) {
  RunState run;
  Feed(run, 1,
       {"$GPGSV,3,1,12,05,06,110,19,10,24,284,34,13,37,124,29,15,63,083,11,1*60\r\n",
        "$GPGSV,3,2,12,16,11,248,10,20,52,273,34,21,79,231,30,24,07,045,,1*64\r\n",
        "$GPGSV,3,3,12,26,04,276,,27,15,218,31,29,24,004,13,30,00,159,,1*69\r\n",
        "$GPGSV,3,1,12,05,06,110,,10,24,284,,13,37,124,,15,63,083,,6*63\r\n",
        "$GPGSV,3,2,12,16,11,248,,20,52,273,,21,79,231,,24,07,045,,6*66\r\n",
        "$GPGSV,3,3,12,26,04,276,,27,15,218,29,29,24,004,,30,00,159,,6*65\r\n"});
  EXPECT_EQ(SignalOf(run, 1, 27, 1), 31);
  EXPECT_EQ(SignalOf(run, 1, 27, 6), 29);
  EXPECT_EQ(SignalOf(run, 1, 10, 6), kNotTracked);
  ExpectEntries(run, {{27, 15, 218, 31}, {10, 24, 284, 34}, {24, 7, 45, 0}});
  const std::vector<ListedSatellite> listed = ListSatellites(run);
  ASSERT_EQ(listed.size(), 12u);
  EXPECT_EQ(listed[0].id, (SatelliteId{SatelliteSystem::Gps, 5}));
  EXPECT_EQ(listed[0].signal, 19);
  EXPECT_EQ(listed[0].signalIds, (1u << 1) | (1u << 6));
}

// A Quectel LC79D ends its GPS cycle with the L5 signals (8) of satellites it has listed, with
// empty elevation and azimuth: they neither wipe the position nor lower the signal.
TEST(ParseGsv, AGroupWithoutPositionKeepsWhatTheEpochSaid) {
  RunState run;
  Feed(run, 1,
       {"$GPGSV,3,1,11,02,25,260,39,04,15,092,29,05,,,12,06,12,215,44*45\r\n",
        "$GPGSV,3,2,11,07,80,136,44,09,52,089,31,13,,,28,30,55,211,48*4B\r\n",
        "$GPGSV,3,3,11,06,,,43,09,,,34,30,,,43,8*66\r\n"});
  ExpectEntries(run, {{6, 12, 215, 44}, {9, 52, 89, 34}, {30, 55, 211, 48}, {5, 0, 0, 12}});
  EXPECT_EQ(SignalOf(run, 1, 6, 0), 44);
  EXPECT_EQ(SignalOf(run, 1, 6, 8), 43);
  EXPECT_TRUE(run.Sightings[1][6].HasPosition);
  EXPECT_FALSE(run.Sightings[1][5].HasPosition);
}

TEST(ParseGsv, EachSatelliteInTheSlotOfItsSystem) {
  RunState run;
  // GLONASS numbered 65 to 96 under its own talker.
  Feed(run, 2, {"$GLGSV,3,3,10,87,14,030,17,88,62,024,,1*74\r\n"});
  EXPECT_EQ(run.Sightings[2][23].Elevation, 14);
  EXPECT_EQ(run.SatelliteTable[2][24].Elevation, 62);
  // Quectel's PQGSV names its system after the signal ID: BeiDou.
  Feed(run, 0, {"$PQGSV,4,4,15,28,08,040,,29,,,,30,21,144,,0,4*63\r\n"});
  EXPECT_EQ(run.Sightings[4][28].Elevation, 8);
  EXPECT_EQ(run.Sightings[4][30].Azimuth, 144);
  EXPECT_EQ(ReportedCount(run, 1), 0);
  EXPECT_EQ(ReportedCount(run, 0), 0);
}

// The sky is the latest epoch of each talker: while a cycle comes in, the satellites of the
// epoch before stay; once it has closed, one it no longer lists is gone; and a talker that
// falls silent for two receiver epochs takes its satellites with it.
TEST(ListSatellites, KeepsTheLatestEpochOfEachTalker) {
  RunState run;
  const auto listed = [&run] {
    std::vector<std::string> names;
    for (const ListedSatellite& s : ListSatellites(run)) {
      names.push_back(std::string(1, FactsOf(s.id.system).letter) + std::to_string(s.id.svid));
    }
    return names;
  };
  using Names = std::vector<std::string>;
  Feed(run, 1,
       {"$GPGSV,2,1,05,05,06,110,19,10,24,284,34,13,37,124,29,15,63,083,11*60\r\n",
        "$GPGSV,2,2,05,16,11,248,10*64\r\n"});
  Feed(run, 2, {"$GLGSV,1,1,02,65,53,144,,66,58,305,32*7A\r\n"});
  EXPECT_EQ(listed(), (Names{"G5", "G10", "G13", "G15", "G16", "R1", "R2"}));
  Feed(run, 1, {"$GPGSV,2,1,04,10,24,284,34,13,37,124,29,15,63,083,11,16,11,248,10*60\r\n"});
  EXPECT_EQ(listed(), (Names{"G5", "G10", "G13", "G15", "G16", "R1", "R2"}));
  Feed(run, 1, {"$GPGSV,2,2,04*64\r\n"});
  EXPECT_EQ(listed(), (Names{"G10", "G13", "G15", "G16", "R1", "R2"}));
  // GLONASS has missed one epoch; with the next it has missed two.
  Feed(run, 1, {"$GPGSV,1,1,01,10,24,284,34*60\r\n"});
  EXPECT_EQ(listed(), (Names{"G10"}));
}

}  // namespace
}  // namespace sattrail
