// SPDX-License-Identifier: BSD-2-Clause
// Dispatch of verified lines, the time-to-fix counter and the display reset.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "AssemblyTestSupport.h"
#include "fakes/FakeSerial.h"
#include "form/Inventory.h"
#include "nmea/DisplayReset.h"
#include "nmea/FixTimer.h"
#include "nmea/SentenceDispatch.h"
#include "numbers/NumberConversion.h"
#include "platform/ControlNames.h"

namespace sattrail {
namespace {

using testing::FakeDevice;
using testing::FakeSerialHandle;
using testing::RecordingObserver;
using testing::SentenceBoxes;
using testing::TestWindow;

// Dispatches one verified line as line assembly hands it over.
void Dispatch(RunState& run, TestWindow& window, std::string_view line,
              StreamObserver* observer = nullptr) {
  run.LineBuffer = line;
  DispatchSentence(run, window, observer);
}

struct BoxCase {
  std::string_view line;
  const char* checkBox;  // nullptr: no box is ticked
};

// One sentence of each type, real ones where the captures have them, and the same types
// from the combined talker "GN"; GSV and GSA also from every system's talker (and Quectel's
// "PQ"), while position and time from those are ignored, as are other spellings.
const BoxCase kBoxCases[] = {
    {"$GPGSV,1,1,02,15,00,000,,17,00,000,,,,,,,,,*79\r\n", "CheckBox3"},
    {"$GPGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,102.930,M,47.093,M,,*5A\n",
     "CheckBox1"},
    {"$GPRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*5F\n", "CheckBox4"},
    {"$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\n", "CheckBox2"},
    {"$GPVTG,0.00,T,,M,0.205,N,0.379,K,A*37\n", "CheckBox6"},
    {"$GPZDA,202709.000,13,04,2015,,*58\r\n", "CheckBox7"},
    {"$GPGLL,4907.56818,N,12242.61064,W,031518.00,A,A*7F\n", "CheckBox5"},
    {"$GNRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*41\n", "CheckBox4"},
    {"$GNGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,102.930,M,47.093,M,,*44\n",
     "CheckBox1"},
    {"$GNGSA,A,3,21,28,08,,,,,,,,,,1.5,2.88,1.00*2A\n", "CheckBox2"},
    {"$GNVTG,0.00,T,,M,0.205,N,0.379,K,A*29\n", "CheckBox6"},
    {"$GLGSV,1,1,01,65,30,100,40*51\n", "CheckBox3"},
    {"$BDGSA,A,3,21,28,08,,,,,,,,,,1.5,2.88,1.00*25\n", "CheckBox2"},
    {"$GAGSV,1,1,02,04,52,298,,09,04,322,,7*7F\r\n", "CheckBox3"},
    {"$GBGSV,3,3,10,21,41,301,35,22,82,135,17,1*7E\r\n", "CheckBox3"},
    {"$QZGSV,1,1,01,02,05,042,26*51\r\n", "CheckBox3"},
    {"$GQGSV,1,1,01,02,05,042,26,1*51\r\n", "CheckBox3"},
    {"$GIGSV,1,1,01,03,40,120,38,5*51\r\n", "CheckBox3"},
    {"$PQGSV,4,4,15,28,08,040,,29,,,,30,21,144,,0,4*63\r\n", "CheckBox3"},
    {"$PQGSA,A,3,19,20,,,,,,,,,,,1.7,1.0,1.4,4*2A\r\n", "CheckBox2"},
    {"$GLRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*5F\n", nullptr},
    {"$GAGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,102.930,M,47.093,M,,*44\n", nullptr},
    {"$gpvtg,0.00,T,,M,0.205,N,0.380,K,A*11\n", nullptr},
    {"$GPTXT,01,01,02,ANTENNA OK*36\n", nullptr},
    {"$GPGS*00\n", nullptr},
    {"$AB*03\n", nullptr},
};

TEST(DispatchSentence, TicksTheBoxOfItsType) {
  for (const BoxCase& c : kBoxCases) {
    SCOPED_TRACE(c.line);
    RunState run;
    TestWindow window;
    run.SilenceCount = 9;
    Dispatch(run, window, c.line);
    EXPECT_EQ(run.SentenceId, c.line.substr(1, 5));
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                            "CheckBox6", "CheckBox7"}) {
      SCOPED_TRACE(box);
      EXPECT_EQ(window.Checked(box), c.checkBox != nullptr && std::string_view(box) == c.checkBox);
    }
    // Known types clear the silence count (the GSV parser does it for its type).
    EXPECT_EQ(run.SilenceCount, c.checkBox == nullptr ? 9 : 0);
  }
}

TEST(DispatchSentence, TickedBoxStaysTicked) {
  RunState run;
  TestWindow window;
  Dispatch(run, window, "$GPVTG,0.00,T,,M,0.205,N,0.379,K,A*37\n");
  Dispatch(run, window, "$GPTXT,01,01,02,ANTENNA OK*36\n");
  Dispatch(run, window, "$GPZDA,202709.000,13,04,2015,,*58\r\n");
  EXPECT_TRUE(window.Checked(control::CheckBox6));
  EXPECT_TRUE(window.Checked(control::CheckBox7));
}

TEST(DispatchSentence, VtgOnlyTicksItsBox) {
  RunState run;
  TestWindow window;
  run.SilenceCount = 4;
  std::vector<std::string> changed;
  window.onChange = [&changed](std::string_view control) { changed.emplace_back(control); };
  Dispatch(run, window, "$GPVTG,0.00,T,,M,0.205,N,0.379,K,A*37\n");
  EXPECT_EQ(run.SilenceCount, 0);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed.front(), "CheckBox6");
  for (const ControlSpec& entry : MainWindowInventory()) {
    if (!entry.name.empty()) {
      EXPECT_EQ(window.Repaints(entry.name), 0) << entry.name;
    }
  }
  EXPECT_TRUE(window.Sky().Operations().empty());
}

TEST(DispatchSentence, GgaShowsTheHeight) {
  RunState run;
  TestWindow window;
  Dispatch(run, window,
           "$GPGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,102.930,M,47.093,M,,*5A\n");
  EXPECT_EQ(window.Text(control::EdHeight), "102.9");
}

TEST(DispatchSentence, RmcWritesItsFiveBoxesInOrder) {
  RunState run;
  TestWindow window;
  std::vector<std::string> written;
  window.onSetText = [&written](std::string_view control, std::string_view) {
    written.emplace_back(control);
  };
  Dispatch(run, window,
           "$GPRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*5F\n");
  EXPECT_EQ(written, (std::vector<std::string>{"Edit8", "Edit9", "EdSpeed", "EdTime", "EdDate"}));
  EXPECT_EQ(run.GpsState.UtcDate, 230808);
}

TEST(DispatchSentence, GsaShowsPdopAndFixMode) {
  struct Case {
    std::string_view line;
    const char* pdop;
    const char* edit6;
    const char* fixMode;
  };
  const Case cases[] = {
      {"$GPGSA,A,3,21,28,08,,,,,,,,,,1.5,2.88,1.00*34\r\n", "1.50", "3D", "3"},
      {"$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\r\n", "3.05", "2D", "2"},
      {"$GPGSA,A,1,,,,,,,,,,,,,1.5,2.88,1.00*37\r\n", "1.50", "NONE", "0"},
      {"$GPGSA,A,,,,,,,,,,,,,,1.5,2.88,1.00*06\r\n", "1.50", "NONE", "0"},
      {"$GNGSA,A,3,21,28,08,,,,,,,,,,1.5,2.88,1.00*2A\n", "1.50", "3D", "3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    RunState run;
    TestWindow window;
    Dispatch(run, window, c.line);
    EXPECT_TRUE(window.Checked(control::CheckBox2));
    EXPECT_EQ(window.Text(control::EdPDOP), c.pdop);
    EXPECT_EQ(window.Text(control::Edit6), c.edit6);
    EXPECT_EQ(run.FixModeText, c.fixMode);
  }
}

TEST(DispatchSentence, CompleteGsvCycleIsDrawnAndReported) {
  // The last three GSV sentences of the MTK-3301 capture: one cycle of three.
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  Dispatch(run, window, "$GPGSV,3,1,11,08,63,065,50,28,42,144,52,21,13,320,42,26,,,48*44\n",
           &observer);
  Dispatch(run, window, "$GPGSV,3,2,11,25,,,45,07,,,44,27,,,48,10,,,44*71\n", &observer);
  EXPECT_TRUE(observer.drawings.empty());
  EXPECT_TRUE(window.Sky().Operations().empty());
  Dispatch(run, window, "$GPGSV,3,3,11,15,,,45,03,,,39,19,,,39*77\n", &observer);
  ASSERT_EQ(observer.drawings.size(), 1u);
  EXPECT_GT(observer.drawings[0].count, 0);
  EXPECT_FALSE(window.Sky().Operations().empty());
  EXPECT_FALSE(window.Chart().Operations().empty());
  EXPECT_TRUE(window.Checked(control::CheckBox3));
}

// The numbers a drawing drew as used, in drawing order.
std::vector<int> UsedIn(const DrawnSatellites& drawn) {
  std::vector<int> used;
  for (int i = 0; i < drawn.count; ++i) {
    if (drawn.items[i].used) used.push_back(drawn.items[i].n);
  }
  return used;
}

// The first epoch of a u-blox ZED-F9P: one GNGSA a system, then GPS on L1 C/A and on L2C-L,
// then GLONASS. Each GPS cycle redraws the pictures, the second with the satellites used as
// the first found them and each bar the stronger of its two signals; GLONASS leaves them.
TEST(DispatchSentence, EveryCycleOfADualFrequencyEpochDrawsItsUsedSatellites) {
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  for (const char* line : {
           "$GNGSA,A,3,13,16,21,15,10,29,27,20,,,,,1.05,0.64,0.83,1*03\r\n",
           "$GNGSA,A,3,82,66,81,,,,,,,,,,1.05,0.64,0.83,2*0C\r\n",
           "$GNGSA,A,3,07,12,33,,,,,,,,,,1.05,0.64,0.83,3*0A\r\n",
           "$GPGSV,3,1,12,05,06,110,19,10,24,284,34,13,37,124,29,15,63,083,11,1*60\r\n",
           "$GPGSV,3,2,12,16,11,248,10,20,52,273,34,21,79,231,30,24,07,045,,1*64\r\n",
           "$GPGSV,3,3,12,26,04,276,,27,15,218,31,29,24,004,13,30,00,159,,1*69\r\n",
           "$GPGSV,3,1,12,05,06,110,,10,24,284,,13,37,124,,15,63,083,,6*63\r\n",
           "$GPGSV,3,2,12,16,11,248,,20,52,273,,21,79,231,,24,07,045,,6*66\r\n",
           "$GPGSV,3,3,12,26,04,276,,27,15,218,29,29,24,004,,30,00,159,,6*65\r\n",
           "$GLGSV,1,1,03,81,64,223,35,82,13,214,33,66,58,305,32,1*7F\r\n",
       }) {
    Dispatch(run, window, line, &observer);
  }
  ASSERT_EQ(observer.drawings.size(), 2u);
  const std::vector<int> used{10, 13, 15, 16, 20, 21, 27, 29};
  for (const DrawnSatellites& drawn : observer.drawings) {
    EXPECT_EQ(drawn.count, 12);
    EXPECT_EQ(UsedIn(drawn), used);
  }
  // GPS 27: 31 dB-Hz on L1, 29 on L2.
  EXPECT_EQ(observer.drawings[1].items[9].n, 27);
  EXPECT_EQ(observer.drawings[1].items[9].signal, 31);
  // The next epoch's cycle without a GSA: nobody is in the fix any more.
  Dispatch(run, window, "$GPGSV,1,1,01,10,24,284,33,1*60\r\n", &observer);
  ASSERT_EQ(observer.drawings.size(), 3u);
  EXPECT_TRUE(UsedIn(observer.drawings[2]).empty());
}

// A u-blox NEO-M9N's Galileo GSA lists E05, E15 and E27: GPS 5, 15 and 27 are not in the fix.
TEST(DispatchSentence, AnotherSystemsGsaMarksNoGpsSatelliteUsed) {
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  for (const char* line : {
           "$GNGSA,A,3,29,20,18,16,51,13,44,26,,,,,0.99,0.54,0.83,1*0E\r\n",
           "$GNGSA,A,3,03,05,30,27,15,,,,,,,,0.99,0.54,0.83,3*0D\r\n",
           "$GPGSV,1,1,04,05,01,047,,15,40,094,,27,07,316,,29,20,100,40,1*65\r\n",
       }) {
    Dispatch(run, window, line, &observer);
  }
  ASSERT_EQ(observer.drawings.size(), 1u);
  EXPECT_EQ(UsedIn(observer.drawings[0]), std::vector<int>{29});
}

TEST(DispatchSentence, LongLineKeepsThePreviousIdentifier) {
  RunState run;
  TestWindow window;
  Dispatch(run, window,
           "$GPGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,102.930,M,47.093,M,,*5A\n");
  window.SetChecked(control::CheckBox1, false);
  window.SetText(control::EdHeight, "typed");
  run.SilenceCount = 6;
  // 101 characters, line end counted, with a good checksum of its own.
  const std::string line = "$AB*03" + std::string(93, ' ') + "\r\n";
  ASSERT_EQ(line.size(), 101u);
  Dispatch(run, window, line);
  EXPECT_TRUE(run.LineBuffer.empty());
  EXPECT_EQ(run.SentenceId, "GPGGA");
  EXPECT_TRUE(window.Checked(control::CheckBox1));
  EXPECT_EQ(window.Text(control::EdHeight), "102.9");
  EXPECT_EQ(run.SilenceCount, 0);
}

TEST(DispatchSentence, HundredCharactersStillIdentify) {
  RunState run;
  TestWindow window;
  Dispatch(run, window, "$GPVTG,0.00,T,,M,0.205,N,0.379,K,A*37\n");
  const std::string line = "$AB*03" + std::string(92, ' ') + "\r\n";
  ASSERT_EQ(line.size(), 100u);
  Dispatch(run, window, line);
  EXPECT_EQ(run.SentenceId, "AB*03");
  EXPECT_EQ(run.LineBuffer, line);
}

TEST(DispatchSentence, LongFirstLineMatchesNothing) {
  RunState run;
  TestWindow window;
  run.SilenceCount = 2;
  Dispatch(run, window, "$GPVTG" + std::string(120, ',') + "*00\n");
  EXPECT_TRUE(run.SentenceId.empty());
  EXPECT_EQ(SentenceBoxes(window), std::vector<bool>(7, false));
  EXPECT_EQ(run.SilenceCount, 2);
}

TEST(DispatchSentence, ShortLineTakesTheCharactersThatExist) {
  RunState run;
  TestWindow window;
  Dispatch(run, window, "$GP\n");
  EXPECT_EQ(run.SentenceId, "GP\n");
  EXPECT_EQ(SentenceBoxes(window), std::vector<bool>(7, false));
}

TEST(AdvanceTimeToFix, CountsOnlyWithoutFix) {
  struct Case {
    const char* fixMode;
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"0", "41", "42"}, {"0", "0", "1"},   {"0", "-1", "0"}, {"0", "2147483647", "-2147483648"},
      {"3", "41", "41"}, {"2", "41", "41"}, {"", "41", "41"}, {"00", "41", "41"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fixMode) + " " + c.before);
    RunState run;
    TestWindow window;
    run.FixModeText = c.fixMode;
    window.SetText(control::Ed3Dt, c.before);
    AdvanceTimeToFix(run, window);
    EXPECT_EQ(window.Text(control::Ed3Dt), c.after);
  }
}

TEST(AdvanceTimeToFix, JunkRaisesAndLeavesTheBox) {
  for (const char* text : {"abc", "", "4 1", "41.0"}) {
    SCOPED_TRACE(text);
    RunState run;
    TestWindow window;
    run.FixModeText = "0";
    window.SetText(control::Ed3Dt, text);
    try {
      AdvanceTimeToFix(run, window);
      ADD_FAILURE() << "no conversion error";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
    EXPECT_EQ(window.Text(control::Ed3Dt), text);
  }
  // With a fix the junk is never read.
  RunState run;
  TestWindow window;
  run.FixModeText = "3";
  window.SetText(control::Ed3Dt, "abc");
  EXPECT_NO_THROW(AdvanceTimeToFix(run, window));
}

// A run and a window full of what a session leaves behind.
void FillSession(RunState& run, TestWindow& window) {
  run.GpsState.HeightText = "102.9";
  run.GpsState.Latitude = 5212.98f;
  run.GpsState.Longitude = 653.10f;
  run.GpsState.Pdop = 3.05f;
  run.GpsState.UtcTime = 81439.0f;
  run.GpsState.FixType = 3;
  run.GpsState.UtcDate = 230808;
  run.GpsState.SpeedKmh = 0.38f;
  run.GpsState.LatHemisphere = "N";
  run.GpsState.LonHemisphere = "E";
  run.GpsState.TimeZoneHours = 1;
  run.GpsState.UsedSatellites[1][8] = 1;
  run.SatelliteTable[1][8].Elevation = 63;
  run.FixModeText = "3";
  run.LineBuffer = "$GPGG";
  run.RawLineCount = 5;
  run.SentenceId = "GPRMC";
  for (const char* box : {"OutTextBox", "Edit6", "Edit7", "Edit8", "Edit9", "EdPDOP", "Ed2Dt",
                          "Ed3Dt", "EdHeight", "EdSpeed", "EdTime", "EdDate"}) {
    window.SetText(box, "shown");
  }
  for (int i = 1; i <= 7; ++i) window.SetChecked("CheckBox" + std::to_string(i), true);
}

void ExpectResetLook(const RunState& run, TestWindow& window) {
  EXPECT_EQ(run.GpsState.HeightText, "0");
  EXPECT_EQ(run.GpsState.Latitude, 0.0f);
  EXPECT_EQ(run.GpsState.Longitude, 0.0f);
  EXPECT_EQ(run.GpsState.Pdop, 0.0f);
  EXPECT_EQ(run.GpsState.UtcTime, 0.0f);
  EXPECT_EQ(run.GpsState.FixType, 0);
  EXPECT_EQ(run.GpsState.UtcDate, 0);
  // Everything else is kept.
  EXPECT_EQ(run.GpsState.SpeedKmh, 0.38f);
  EXPECT_EQ(run.GpsState.LatHemisphere, "N");
  EXPECT_EQ(run.GpsState.LonHemisphere, "E");
  EXPECT_EQ(run.GpsState.TimeZoneHours, 1);
  EXPECT_EQ(run.GpsState.UsedSatellites[1][8], 1);
  EXPECT_EQ(run.SatelliteTable[1][8].Elevation, 63);
  EXPECT_EQ(run.FixModeText, "3");
  EXPECT_EQ(run.LineBuffer, "$GPGG");
  EXPECT_EQ(run.RawLineCount, 5);

  for (const char* box : {"OutTextBox", "Edit6", "Edit7", "Edit8", "Edit9", "EdPDOP"}) {
    SCOPED_TRACE(box);
    EXPECT_EQ(window.Text(box), "");
  }
  for (const char* box : {"Ed2Dt", "Ed3Dt", "EdHeight", "EdSpeed", "EdTime", "EdDate"}) {
    SCOPED_TRACE(box);
    EXPECT_EQ(window.Text(box), "0");
  }
  EXPECT_EQ(SentenceBoxes(window), std::vector<bool>(7, false));
  // Both pictures were blanked.
  EXPECT_FALSE(window.Sky().Operations().empty());
  EXPECT_FALSE(window.Chart().Operations().empty());
}

TEST(ResetDisplay, WithoutPortReadsNothing) {
  RunState run;
  TestWindow window;
  FillSession(run, window);
  ResetDisplay(run, window);
  ExpectResetLook(run, window);
}

TEST(ResetDisplay, WithPortDiscardsWhatWaits) {
  struct Case {
    std::size_t waiting;
    std::vector<std::uint32_t> reads;  // the size of each read asked for
    std::size_t left;
  };
  const Case cases[] = {
      {0, {}, 0},
      {10, {10}, 0},
      {256, {256}, 0},
      {300, {256}, 44},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.waiting);
    RunState run;
    TestWindow window;
    FillSession(run, window);
    auto device = std::make_shared<FakeDevice>();
    // Good sentences: had they reached line assembly, the memo and a box would show it.
    std::string waiting;
    while (waiting.size() < c.waiting) waiting += "$GPVTG,0.00,T,,M,0.205,N,0.379,K,A*37\r\n";
    device->Queue(std::string_view(waiting).substr(0, c.waiting));
    run.PortHandle = std::make_unique<FakeSerialHandle>(device);
    ResetDisplay(run, window);
    ExpectResetLook(run, window);
    EXPECT_EQ(device->readSizes, c.reads);
    EXPECT_EQ(device->input.size(), c.left);
    EXPECT_TRUE(device->purges.empty());
  }
}

TEST(ResetDisplay, FailedQueueQueryReadsNothing) {
  RunState run;
  TestWindow window;
  FillSession(run, window);
  auto device = std::make_shared<FakeDevice>();
  device->Queue("$GPVTG\r\n");
  device->failQueueQuery = true;
  run.PortHandle = std::make_unique<FakeSerialHandle>(device);
  ResetDisplay(run, window);
  ExpectResetLook(run, window);
  EXPECT_TRUE(device->readSizes.empty());
}

}  // namespace
}  // namespace sattrail
