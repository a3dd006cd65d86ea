// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <set>

#include "Commands.h"
#include "EpochSentences.h"
#include "Pacing.h"
#include "Sentence.h"
#include "sim_test_support.h"

namespace sattrail::sim {
namespace {

using test::Fields;
using test::IsWholeSentence;

TEST(SimSentence, FramesWithTheChecksumOfRealSentences) {
  // Bodies and checksums as real receivers sent them (tests/data/mt3339.log and the widely
  // quoted GGA example).
  const struct {
    const char* body;
    const char* checksum;
  } cases[] = {
      {"GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", "47"},
      {"GPZDA,202640.000,13,04,2015,,", "54"},
      {"GPGSA,A,3,20,16,09,03,07,10,23,19,27,30,,,1.64,0.98,1.31", "05"},
      {"GPRMC,202640.000,A,4404.1306,N,12118.8515,W,0.03,225.97,130415,,,D", "73"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    EXPECT_EQ(FrameSentence(c.body), std::string("$") + c.body + "*" + c.checksum + "\r\n");
  }
}

TEST(SimSentence, ChecksumDigitsAreTwoUpperCaseHexDigits) {
  EXPECT_EQ(HexByte(0x00), "00");
  EXPECT_EQ(HexByte(0x0A), "0A");
  EXPECT_EQ(HexByte(0xAF), "AF");
  // "B" ^ "C" = 0x01: a single low digit still gets its leading zero.
  EXPECT_EQ(FrameSentence("BC"), "$BC*01\r\n");
}

TEST(SimSentence, WrongChecksumReallyFails) {
  for (const char* body : {"GPGGA,1,2,3", "A", "", "PSIM,SW,1,Version 001090  "}) {
    SCOPED_TRACE(body);
    EXPECT_TRUE(IsWholeSentence(FrameSentence(body)));
    EXPECT_FALSE(IsWholeSentence(FrameWithWrongChecksum(body)));
  }
}

TEST(SimSentence, FieldsOfKnownTimesPlacesAndDates) {
  // 1234567890 s is 2009-02-13 23:31:30 UTC; 946728000 s is 2000-01-01 12:00:00 UTC.
  EXPECT_EQ(UtcTimeField(1234567890), "233130.00");
  EXPECT_EQ(UtcDateField(1234567890), "130209");
  EXPECT_EQ(UtcTimeField(946728000), "120000.00");
  EXPECT_EQ(UtcDateField(946728000), "010100");
  // 0.3769 degrees are 22.614 minutes.
  EXPECT_EQ(LatitudeFields(47.3769), "4722.6140,N");
  EXPECT_EQ(LatitudeFields(-33.5), "3330.0000,S");
  EXPECT_EQ(LongitudeFields(8.5417), "00832.5020,E");
  EXPECT_EQ(LongitudeFields(-121.3142), "12118.8520,W");
  // Minutes that round up to 60 carry into the degrees.
  EXPECT_EQ(LatitudeFields(10.999999999), "1100.0000,N");
}

Epoch FixedEpoch() {
  Epoch epoch;
  epoch.utc = 1234567890;
  epoch.fixType = 3;
  epoch.latitude = 47.3769;
  epoch.longitude = 8.5417;
  epoch.altitude = 408.25;
  epoch.speedKnots = 2.7;
  epoch.courseDegrees = 123.4;
  epoch.hdop = 1.1;
  epoch.vdop = 1.6;
  epoch.pdop = 1.9;
  const int prns[] = {7, 27, 3, 2, 23, 11, 12, 22, 28, 6};
  for (int i = 0; i < 10; ++i)
    epoch.satellites.push_back({prns[i], 80 - 8 * i, 30 * i, i < 9 ? 45 - 2 * i : -1, i < 8});
  return epoch;
}

TEST(SimSentence, EveryBuilderMakesAGoodLine) {
  Epoch noFix = FixedEpoch();
  noFix.fixType = 1;
  for (const Epoch& epoch : {FixedEpoch(), noFix}) {
    std::vector<std::string> bodies = {BuildGga(epoch), BuildGsa(epoch), BuildRmc(epoch),
                                       BuildVtg(epoch), BuildGll(epoch), BuildZda(epoch)};
    for (const std::string& gsv : BuildGsv(epoch)) bodies.push_back(gsv);
    for (const std::string& body : bodies) {
      SCOPED_TRACE(body);
      const std::string line = FrameSentence(body);
      EXPECT_TRUE(IsWholeSentence(line));
      EXPECT_TRUE(line.starts_with("$GP"));
      EXPECT_LE(line.size(), 82u);  // the longest line NMEA 0183 allows
    }
  }
}

TEST(SimSentence, GgaCarriesAltitudeInFieldNine) {
  const auto f = Fields(BuildGga(FixedEpoch()));
  ASSERT_EQ(f.size(), 15u);
  EXPECT_EQ(f[0], "GPGGA");
  EXPECT_EQ(f[1], "233130.00");
  EXPECT_EQ(f[2] + "," + f[3], "4722.6140,N");
  EXPECT_EQ(f[4] + "," + f[5], "00832.5020,E");
  EXPECT_EQ(f[6], "1");
  EXPECT_EQ(f[7], "08");  // satellites used
  EXPECT_EQ(f[8], "1.1");
  EXPECT_EQ(f[9], "408.2");
  EXPECT_EQ(f[10], "M");
}

TEST(SimSentence, GsaListsTheUsedSatellitesAndTheFixType) {
  const auto f = Fields(BuildGsa(FixedEpoch()));
  ASSERT_EQ(f.size(), 18u);
  EXPECT_EQ(f[2], "3");
  const std::vector<std::string> used(f.begin() + 3, f.begin() + 11);
  EXPECT_EQ(used, (std::vector<std::string>{"07", "27", "03", "02", "23", "11", "12", "22"}));
  for (int i = 11; i < 15; ++i) EXPECT_EQ(f[i], "");
  EXPECT_EQ(f[15], "1.9");

  Epoch noFix = FixedEpoch();
  noFix.fixType = 1;
  noFix.satellites.clear();
  EXPECT_EQ(Fields(BuildGsa(noFix))[2], "1");
}

TEST(SimSentence, GsvCycleOfFourSatellitesEach) {
  const std::vector<std::string> cycle = BuildGsv(FixedEpoch());
  ASSERT_EQ(cycle.size(), 3u);
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    SCOPED_TRACE(cycle[i]);
    const auto f = Fields(cycle[i]);
    EXPECT_EQ(f[1], "3");
    EXPECT_EQ(f[2], std::to_string(i + 1));
    EXPECT_EQ(f[3], "10");
    EXPECT_EQ(f.size(), i < 2 ? 20u : 12u);
  }
  const auto last = Fields(cycle[2]);
  EXPECT_EQ(last[4], "28");  // ninth satellite, tracked
  EXPECT_EQ(last[7], "29");
  EXPECT_EQ(last[8], "06");  // tenth, in view but not tracked: empty signal
  EXPECT_EQ(last[9], "08");
  EXPECT_EQ(last[10], "270");
  EXPECT_EQ(last[11], "");
}

TEST(SimSentence, RmcVtgAndGllAgreeOnTheWalk) {
  const auto rmc = Fields(BuildRmc(FixedEpoch()));
  EXPECT_EQ(rmc[2], "A");
  EXPECT_EQ(rmc[7], "2.7");
  EXPECT_EQ(rmc[8], "123.4");
  EXPECT_EQ(rmc[9], "130209");
  const auto vtg = Fields(BuildVtg(FixedEpoch()));
  EXPECT_EQ(vtg[1], "123.4");
  EXPECT_EQ(vtg[5], "2.7");
  EXPECT_EQ(vtg[7], "5.0");  // 2.7 knots are 5.0004 km/h
  const auto gll = Fields(BuildGll(FixedEpoch()));
  EXPECT_EQ(gll[1] + gll[2] + gll[3] + gll[4], "4722.6140N00832.5020E");
  const auto zda = Fields(BuildZda(FixedEpoch()));
  EXPECT_EQ(zda[2] + "/" + zda[3] + "/" + zda[4], "13/02/2009");

  Epoch noFix = FixedEpoch();
  noFix.fixType = 1;
  const auto voidRmc = Fields(BuildRmc(noFix));
  EXPECT_EQ(voidRmc[1], "233130.00");  // the clock runs before the fix
  EXPECT_EQ(voidRmc[2], "V");
  EXPECT_EQ(voidRmc[3], "");
  EXPECT_EQ(voidRmc[9], "130209");
}

// GPS, GLONASS and Galileo on both signals; satellites of each that are used and not, that
// send the second signal and not.
Epoch MultiSystemEpoch() {
  Epoch epoch = FixedEpoch();
  epoch.reception = {{SatelliteSystem::Gps, SatelliteSystem::Glonass, SatelliteSystem::Galileo},
                     true};
  using enum SatelliteSystem;
  epoch.satellites = {
      {3, 70, 40, 45, true, Gps, true, 41},       {5, 40, 120, 38, true, Gps, false, -1},
      {65, 60, 200, 40, true, Glonass, true, 37}, {72, 8, 300, 22, false, Glonass, true, -1},
      {11, 75, 41, 42, true, Galileo, true, 38},  {25, 44, 276, 41, true, Galileo, true, 39},
      {3, 37, 289, 33, true, Galileo, true, 30},  {4, 33, 223, 31, false, Galileo, true, 26},
      {33, 7, 159, 22, false, Galileo, true, 19},
  };
  return epoch;
}

TEST(SimSentence, EachSystemsGsaAndGsvCarryItsSystemAndSignalIds) {
  const Epoch epoch = MultiSystemEpoch();
  // NMEA 4.10's system IDs after the VDOP: GPS 1, GLONASS 2, Galileo 3.
  EXPECT_EQ(BuildGsa(epoch, SatelliteSystem::Gps), "GNGSA,A,3,03,05,,,,,,,,,,,1.9,1.1,1.6,1");
  EXPECT_EQ(BuildGsa(epoch, SatelliteSystem::Glonass), "GNGSA,A,3,65,,,,,,,,,,,,1.9,1.1,1.6,2");
  EXPECT_EQ(BuildGsa(epoch, SatelliteSystem::Galileo), "GNGSA,A,3,11,25,03,,,,,,,,,,1.9,1.1,1.6,3");
  // NMEA 4.11's signal IDs last: GPS L1 C/A 1 and L5 7, GLONASS G1 1 and G2 3, Galileo E1 7 and
  // E5a 1. The second cycle lists only the satellites that send the signal.
  EXPECT_EQ(BuildGsv(epoch, SatelliteSystem::Gps, Signal::First),
            std::vector<std::string>{"GPGSV,1,1,02,03,70,040,45,05,40,120,38,1"});
  EXPECT_EQ(BuildGsv(epoch, SatelliteSystem::Gps, Signal::Second),
            std::vector<std::string>{"GPGSV,1,1,01,03,70,040,41,7"});
  EXPECT_EQ(BuildGsv(epoch, SatelliteSystem::Glonass, Signal::Second),
            std::vector<std::string>{"GLGSV,1,1,02,65,60,200,37,72,08,300,,3"});
  const struct {
    Signal signal;
    const char* id;
  } galileo[] = {{Signal::First, "7"}, {Signal::Second, "1"}};
  for (const auto& c : galileo) {
    SCOPED_TRACE(c.id);
    const std::vector<std::string> cycle = BuildGsv(epoch, SatelliteSystem::Galileo, c.signal);
    ASSERT_EQ(cycle.size(), 2u);
    for (const std::string& body : cycle) {
      SCOPED_TRACE(body);
      const auto f = Fields(body);
      EXPECT_EQ(f[0], "GAGSV");
      EXPECT_EQ(f[1], "2");
      EXPECT_EQ(f[3], "05");
      EXPECT_EQ(f.size(), body == cycle[0] ? 21u : 9u);
      EXPECT_EQ(f.back(), c.id);
    }
  }
}

std::set<std::string> TypesOf(const std::vector<std::string>& bodies) {
  std::set<std::string> types;
  for (const std::string& body : bodies) types.insert(body.substr(0, 5));
  return types;
}

TEST(SimSentence, AnEpochFitsIntoItsSecond) {
  const Epoch epoch = FixedEpoch();
  // At 4800 bit/s 480 bytes go through in a second; the epoch leaves a tenth free.
  std::set<std::string> seenAt4800;
  for (unsigned rotation = 0; rotation < 3; ++rotation) {
    const auto bodies = BuildEpochBodies(epoch, EpochByteBudget(4800), rotation);
    std::size_t bytes = 0;
    for (const std::string& body : bodies) bytes += FrameSentence(body).size();
    EXPECT_LE(bytes, 432u);
    const auto types = TypesOf(bodies);
    for (const char* always : {"GPGGA", "GPGSA", "GPGSV", "GPRMC"})
      EXPECT_TRUE(types.count(always));
    seenAt4800.insert(types.begin(), types.end());
  }
  // Over three seconds every type has been sent.
  EXPECT_EQ(seenAt4800.size(), 7u);
  EXPECT_EQ(TypesOf(BuildEpochBodies(epoch, EpochByteBudget(38400), 0)).size(), 7u);
}

TEST(SimSentence, AMultiSystemEpochInTheOrderOfNmeaFourEleven) {
  const Epoch epoch = MultiSystemEpoch();
  // The position first, each system's GSA, each system's GSV cycle on its first signal, then
  // on its second; at 4800 bit/s VTG, GLL and ZDA give way, the others stay whole.
  const std::vector<std::string> always = {"GNGGA", "GNGSA", "GNGSA", "GNGSA", "GPGSV", "GPGSV",
                                           "GLGSV", "GLGSV", "GAGSV", "GAGSV", "GAGSV", "GAGSV"};
  std::vector<std::string> everything = {"GNRMC", "GNVTG"};
  everything.insert(everything.end(), always.begin(), always.end());
  everything.insert(everything.end(), {"GNGLL", "GNZDA"});
  std::vector<std::string> atLowSpeed = {"GNRMC"};
  atLowSpeed.insert(atLowSpeed.end(), always.begin(), always.end());
  const struct {
    int speed;
    const std::vector<std::string>& types;
  } cases[] = {{38400, everything}, {4800, atLowSpeed}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.speed);
    for (unsigned rotation = 0; rotation < 3; ++rotation) {
      const auto bodies = BuildEpochBodies(epoch, EpochByteBudget(c.speed), rotation);
      std::vector<std::string> types, gsaSystems;
      for (const std::string& body : bodies) {
        SCOPED_TRACE(body);
        types.push_back(body.substr(0, 5));
        if (types.back() == "GNGSA") gsaSystems.push_back(Fields(body).back());
        const std::string line = FrameSentence(body);
        EXPECT_TRUE(IsWholeSentence(line));
        EXPECT_LE(line.size(), 82u);
      }
      EXPECT_EQ(types, c.types);
      EXPECT_EQ(gsaSystems, (std::vector<std::string>{"1", "2", "3"}));
      // NMEA 4.10's RMC ends with the navigational status.
      EXPECT_EQ(Fields(bodies.front()).size(), 14u);
    }
  }
}

TEST(SimPacing, ByteRateIsTenBitTimesPerByte) {
  EXPECT_DOUBLE_EQ(BytesPerSecond(4800), 480);
  EXPECT_DOUBLE_EQ(BytesPerSecond(14400), 1440);
  EXPECT_DOUBLE_EQ(BytesPerSecond(38400), 3840);
  EXPECT_DOUBLE_EQ(SecondsPerByte(9600), 1.0 / 960);
  EXPECT_EQ(EpochByteBudget(4800), 432u);
  EXPECT_EQ(EpochByteBudget(38400), 3456u);
}

TEST(SimPacing, AllowanceGrowsWithTimeAndShrinksWithSentBytes) {
  Pacer pacer(4800);
  pacer.Start(100.0);
  EXPECT_EQ(pacer.Allowance(100.0), 0u);
  EXPECT_EQ(pacer.Allowance(100.1), 48u);
  EXPECT_EQ(pacer.Allowance(100.5), 240u);
  pacer.Sent(240);
  EXPECT_EQ(pacer.Allowance(100.5), 0u);
  EXPECT_EQ(pacer.Allowance(101.0), 240u);
  EXPECT_DOUBLE_EQ(pacer.NextByteTime(), 100.0 + 241.0 / 480);
  // A new run starts from nothing.
  pacer.Start(200.0);
  EXPECT_EQ(pacer.Allowance(200.01), 4u);
}

TEST(SimReply, VersionLineLayout) {
  const std::string line = VersionReply();
  // 1-based positions 12 to 18 and 19 to 27, as the monitor reads them.
  EXPECT_EQ(line.substr(11, 7), "Version");
  EXPECT_EQ(line.substr(18, 9), " 001090  ");
  EXPECT_TRUE(line.ends_with("\r\n"));
  EXPECT_FALSE(IsWholeSentence(line));
}

TEST(SimReply, StatusLineBeginsWithABracketAndFailsTheChecksum) {
  const std::string line = StatusReply("@NC 10111000");
  EXPECT_EQ(line.front(), '[');
  EXPECT_NE(line.find("NC 10111000"), std::string::npos);
  EXPECT_TRUE(line.ends_with("\r\n"));
  EXPECT_FALSE(IsWholeSentence(line));
}

}  // namespace
}  // namespace sattrail::sim
