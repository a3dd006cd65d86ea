// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "Capture.h"
#include "Commands.h"
#include "Faults.h"
#include "Sentence.h"
#include "sim_test_support.h"

namespace sattrail::sim {
namespace {

using namespace std::string_literals;
using test::Fields;
using test::IsWholeSentence;

TEST(SimCommands, LinesEndAtCrOrLfAndNulsAreSkipped) {
  // The byte sequences a monitor writes: start buttons with CR LF NUL NUL, list commands
  // with CR NUL NUL, a typed command with CR LF.
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"@SR\r\n\0\0"s, {"@SR"}},
      {"@SW\r\n\0\0"s, {"@SW"}},
      {"@CD\r\0\0"s, {"@CD"}},
      {"@GSV 1\r\0\0"s, {"@GSV 1"}},
      {"@GSV 1\r\n"s, {"@GSV 1"}},
      {"@NC 10111000\r\0\0@CLR\r\0\0"s, {"@NC 10111000", "@CLR"}},
      {"\r\n"s, {}},
      {"@SR"s, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.empty() ? "(none)" : c.lines.front());
    CommandReader reader;
    EXPECT_EQ(reader.Feed(c.bytes), c.lines);
  }
}

TEST(SimCommands, ALineMayArriveInPieces) {
  CommandReader reader;
  EXPECT_TRUE(reader.Feed("@GS").empty());
  EXPECT_TRUE(reader.Feed("V 1").empty());
  EXPECT_EQ(reader.Feed("\r\0"s), std::vector<std::string>{"@GSV 1"});
  EXPECT_TRUE(reader.Feed("\0"s).empty());
  EXPECT_EQ(reader.Feed("@SW\r\n\0\0"s), std::vector<std::string>{"@SW"});
}

TEST(SimCommands, WhatEachCommandMeans) {
  const struct {
    const char* line;
    std::optional<CommandKind> kind;
  } cases[] = {
      {"@SR", CommandKind::HotStart},
      {"@SW", CommandKind::WarmStart},
      {"@CD", CommandKind::ColdStart},
      {"@GSV 1", CommandKind::VersionQuery},
      {"@NC 10111000", CommandKind::StatusQuery},
      {"@CLR", CommandKind::StatusQuery},
      {" @SR ", CommandKind::HotStart},
      {"@CB 1 4800", std::nullopt},
      {"@GS 99.0 99.0 99.0 99.0", std::nullopt},
      {"@PM N24E121", std::nullopt},
      {"@WLK ON", std::nullopt},
      {"@SRX", std::nullopt},
      {"@GSV 2", std::nullopt},
      {"SR", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const std::optional<Command> command = ParseCommand(c.line);
    ASSERT_EQ(command.has_value(), c.kind.has_value());
    if (command) {
      EXPECT_EQ(command->kind, *c.kind);
    }
  }
}

TEST(SimFaults, SettingsFromTheCommandLine) {
  std::string error;
  const auto plain = ParseFaultSetting("badsum", &error);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->fault, Fault::BadSum);
  EXPECT_GT(plain->rate, 0);
  const auto rated = ParseFaultSetting("wrongspeed=0.25", &error);
  ASSERT_TRUE(rated);
  EXPECT_EQ(rated->fault, Fault::WrongSpeed);
  EXPECT_DOUBLE_EQ(rated->rate, 0.25);
  for (const char* bad : {"nosuch", "badsum=", "badsum=2", "badsum=-0.1", "badsum=x", "=0.5"}) {
    SCOPED_TRACE(bad);
    error.clear();
    EXPECT_FALSE(ParseFaultSetting(bad, &error));
    EXPECT_FALSE(error.empty());
  }
  for (const char* name :
       {"badsum", "badfield", "burst", "silence", "nolf", "wrongspeed", "unplug"}) {
    SCOPED_TRACE(name);
    const auto fault = FaultByName(name);
    ASSERT_TRUE(fault);
    EXPECT_EQ(FaultName(*fault), name);
  }
}

TEST(SimFaults, ControlLines) {
  std::string error;
  using Kind = ControlCommand::Kind;
  const struct {
    const char* line;
    Kind kind;
    Fault fault;
    double rate;
  } good[] = {
      {"fault badsum on", Kind::SetFault, Fault::BadSum, DefaultRate(Fault::BadSum)},
      {"fault badsum off", Kind::SetFault, Fault::BadSum, 0},
      {"fault nolf 0.5", Kind::SetFault, Fault::NoLineFeed, 0.5},
      {"fault silence", Kind::TriggerFault, Fault::Silence, 0},
      {"  fault unplug once\r", Kind::TriggerFault, Fault::Unplug, 0},
  };
  for (const auto& c : good) {
    SCOPED_TRACE(c.line);
    const auto control = ParseControlLine(c.line, &error);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->kind, c.kind);
    EXPECT_EQ(control->fault, c.fault);
    EXPECT_DOUBLE_EQ(control->rate, c.rate);
  }
  const auto cold = ParseControlLine("cold", &error);
  ASSERT_TRUE(cold);
  EXPECT_EQ(cold->kind, Kind::Start);
  EXPECT_EQ(cold->start, 2);
  EXPECT_EQ(ParseControlLine("quit", &error)->kind, Kind::Quit);
  for (const char* bad : {"", "fault", "fault nosuch on", "fault badsum maybe", "fault badsum 3",
                          "hot now", "reboot"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseControlLine(bad, &error));
  }
}

TEST(SimFaults, MalformedFieldKeepsAGoodChecksum) {
  const std::string gga = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";
  const std::string corrupted = CorruptNumericField(gga);
  EXPECT_EQ(Fields(corrupted)[9], "54X.4");
  EXPECT_EQ(Fields(corrupted)[11], "46.9");
  EXPECT_TRUE(IsWholeSentence(FrameSentence(corrupted)));

  const std::string rmc = "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W";
  EXPECT_EQ(Fields(CorruptNumericField(rmc))[7], "02X.4");
  EXPECT_EQ(Fields(CorruptNumericField("GPRMC,1,A,1,N,1,E,2.5,3,4"))[7], "2X.5");
  // Nothing to spoil: other types, and an empty field before the fix.
  EXPECT_EQ(CorruptNumericField("GPGSA,A,3,01"), "GPGSA,A,3,01");
  const std::string noFix = "GPGGA,001313.00,,,,,0,00,,,M,,M,,";
  EXPECT_EQ(CorruptNumericField(noFix), noFix);
  // Before a fix the RMC time is the number left to spoil.
  const std::string voidRmc = CorruptNumericField("GPRMC,001313.00,V,,,,,,,091226,,,N");
  EXPECT_EQ(Fields(voidRmc)[1], "00131X.00");
  EXPECT_TRUE(IsWholeSentence(FrameSentence(voidRmc)));
}

TEST(SimFaults, LineFaultsAtFullRate) {
  const std::vector<std::string> bodies = {
      "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", "GPGSA,A,3,01,02",
      "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W"};
  {
    FaultInjector none(1);
    std::string expected;
    for (const std::string& body : bodies) expected += FrameSentence(body);
    EXPECT_EQ(none.Frame(bodies), expected);
  }
  {
    FaultInjector injector(1);
    injector.SetRate(Fault::BadSum, 1);
    std::istringstream lines(injector.Frame(bodies));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count)
      EXPECT_FALSE(IsWholeSentence(line + "\n")) << line;
    EXPECT_EQ(count, 3);
  }
  {
    FaultInjector injector(1);
    injector.SetRate(Fault::BadField, 1);
    std::istringstream lines(injector.Frame(bodies));
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);) {
      EXPECT_TRUE(IsWholeSentence(line + "\n")) << line;
      got.push_back(line);
    }
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(Fields(got[0])[9], "54X.4");
    EXPECT_EQ(Fields(got[2])[7], "02X.4");
  }
  {
    FaultInjector injector(1);
    injector.SetRate(Fault::NoLineFeed, 1);
    const std::string bytes = injector.Frame(bodies);
    EXPECT_EQ(bytes.find('\n'), std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 3);
  }
  {
    FaultInjector injector(1);
    injector.SetRate(Fault::WrongSpeed, 1);
    const std::string bytes = injector.Frame(bodies);
    EXPECT_FALSE(bytes.empty());
    for (char c : bytes) EXPECT_GE(static_cast<unsigned char>(c), 0x80);
  }
}

TEST(SimFaults, OnceStrikesExactlyOnce) {
  FaultInjector injector(9);
  EXPECT_FALSE(injector.Strikes(Fault::Silence));
  injector.TriggerOnce(Fault::Silence);
  EXPECT_TRUE(injector.Strikes(Fault::Silence));
  for (int i = 0; i < 100; ++i) EXPECT_FALSE(injector.Strikes(Fault::Silence));
}

TEST(SimFaults, RateIsTheShareOfStrikes) {
  FaultInjector injector(4);
  injector.SetRate(Fault::Burst, 0.25);
  int strikes = 0;
  for (int i = 0; i < 10000; ++i) strikes += injector.Strikes(Fault::Burst);
  EXPECT_NEAR(strikes, 2500, 200);
}

TEST(SimFaults, BadChecksumOfACaptureLineStaysBad) {
  FaultInjector injector(1);
  injector.SetRate(Fault::BadField, 1);
  // A recorded line whose checksum was already wrong is passed on as it was.
  const std::string recorded = "$GPGGA,1,2,N,3,E,1,08,0.9,545.4,M,46.9,M,,*00\r\n";
  EXPECT_EQ(injector.ApplyToLine(recorded), recorded);
  const std::string reply = "[status]\r\n";
  EXPECT_EQ(injector.ApplyToLine(reply), reply);
}

TEST(SimCapture, EpochsByTheirRmcOrGgaTime) {
  std::istringstream in(
      "# a comment\r\n"
      "$GPGGA,202640.000,4404.1306,N,12118.8515,W,2,10,0.98,1127.7,M,-19.6,M,0000,0000*6C\r\n"
      "$GPGSA,A,3,20,16*05\n"
      "\n"
      "$GPRMC,202640.000,A,4404.1306,N,12118.8515,W,0.03,225.97,130415,,,D*73\n"
      "$GPGGA,202641.000,4404.1305,N,12118.8515,W,2,11,0.83,1127.7,M,-19.6,M,0000,0000*65\n"
      "#another comment\n"
      "$GNRMC,202642.000,A*00\n"
      "$GPGSV,1,1,01*00\n");
  const std::vector<CaptureEpoch> epochs = SplitCapture(in);
  ASSERT_EQ(epochs.size(), 3u);
  EXPECT_EQ(epochs[0].size(), 3u);
  EXPECT_EQ(epochs[1].size(), 1u);
  EXPECT_EQ(epochs[2].size(), 2u);
  EXPECT_EQ(epochs[0][1], "$GPGSA,A,3,20,16*05\r\n");
  EXPECT_EQ(epochs[2][1], "$GPGSV,1,1,01*00\r\n");
  EXPECT_EQ(EpochTimeOf("$GPZDA,202640.000,13"), "");
  EXPECT_EQ(EpochTimeOf("$GNGGA,202640.000,1"), "202640.000");
}

TEST(SimCapture, RealCaptureSplitsIntoItsSeconds) {
  // tests/data/mt3339.log: 30 seconds of GGA, GSA, RMC and ZDA (18 GSV in all), 138 NMEA
  // lines after 7 comment lines.
  std::ifstream in(std::string(SATTRAIL_TEST_DATA) + "/mt3339.log", std::ios::binary);
  ASSERT_TRUE(in);
  const std::vector<CaptureEpoch> epochs = SplitCapture(in);
  EXPECT_EQ(epochs.size(), 30u);
  std::size_t lines = 0;
  for (const CaptureEpoch& epoch : epochs) lines += epoch.size();
  EXPECT_EQ(lines, 138u);
}

}  // namespace
}  // namespace sattrail::sim
