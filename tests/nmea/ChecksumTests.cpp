// SPDX-License-Identifier: BSD-2-Clause
// The checksum of a finished line and the handling of lines that fail it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "fakes/TestWindow.h"
#include "nmea/Checksum.h"
#include "nmea/ReceiverReplies.h"
#include "platform/ControlNames.h"

namespace sattrail {
namespace {

using testing::TestWindow;

bool Check(std::string_view line) {
  return CheckNmeaChecksum(reinterpret_cast<const std::uint8_t*>(line.data()),
                           static_cast<int>(line.size()));
}

struct ChecksumCase {
  const char* what;
  std::string_view line;
  bool good;
};

// Real sentences of an MTK-3301 capture, and variations of them.
constexpr ChecksumCase kChecksumCases[] = {
    {"good, line feed only", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\n", true},
    {"good, carriage return and line feed", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\r\n",
     true},
    {"good, letters in the digits",
     "$GPRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*5F\n", true},
    {"lower-case hexadecimal",
     "$GPRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*5f\n", true},
    {"first digit wrong", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*17\n", false},
    {"second digit wrong", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*08\n", false},
    {"one body byte changed", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.01*07\n", false},
    {"no star", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00\n", false},
    {"no star, digits at the end", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.0007", false},
    {"one byte after the star", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*0", false},
    {"nothing after the star", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*", false},
    {"line end right after the star", "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*\r\n", false},
    // 'A' ^ 'B' is 3: written with its leading zero.
    {"value below 16 with its leading zero", "$AB*03\r\n", true},
    {"value below 16 without its leading zero", "$AB*3\r\n", false},
    // Bytes above 127 (binary beside the sentences) give sums with a letter first: 0xE9 ^ 'A'.
    {"value above 159, letter first", "$\xE9\x41*A8\r\n", true},
    // Byte 0 is never part of the sum, whatever it is.
    {"byte 0 not a dollar", "XGPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\n", true},
    {"byte 0 a star", "*GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\n", true},
    {"byte 0 included would be wrong", "$$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\n", false},
    // Only the first star counts: everything after its two bytes is ignored.
    {"bytes after the digits ignored", "$AB*03junk*77\n", true},
    {"second star does not count", "$A*B*03\n", false},
    {"empty line", "", false},
    {"only a dollar", "$", false},
    {"only a line feed", "\n", false},
};

TEST(CheckNmeaChecksum, VerifiesTheFirstStarRule) {
  for (const ChecksumCase& c : kChecksumCases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Check(c.line), c.good);
  }
}

TEST(CheckNmeaChecksum, ReadsOnlyTheCountedBytes) {
  // The digits lie beyond the count: they belong to no line.
  const std::string_view bytes = "$AB*03";
  EXPECT_FALSE(CheckNmeaChecksum(reinterpret_cast<const std::uint8_t*>(bytes.data()), 5));
  EXPECT_TRUE(CheckNmeaChecksum(reinterpret_cast<const std::uint8_t*>(bytes.data()), 6));
}

TEST(CheckNmeaChecksum, ReadsTheRunsRawLine) {
  RunState run;
  const std::string_view line = "$AB*03\r\n";
  for (std::size_t i = 0; i < line.size(); ++i) {
    run.RawLineBytes[i] = static_cast<std::uint8_t>(line[i]);
  }
  run.RawLineCount = static_cast<int>(line.size());
  EXPECT_TRUE(CheckNmeaChecksum(run));
  run.RawLineCount = 5;  // "$AB*0"
  EXPECT_FALSE(CheckNmeaChecksum(run));
}

struct VersionCase {
  const char* what;
  std::string_view line;
  std::string_view edit7;
};

// Eleven characters, then "Version" at positions 12 to 18, the value at 19 to 27.
constexpr VersionCase kVersionCases[] = {
    {"V 20 without its value", "@@Ba0000000Version 001090  \r\n", "V 20"},
    {"V 21 without its value", "12345678901Version 001091\r\n", "V 21"},
    {"V 18 with its value", "12345678901Version 001088\r\n", "V 18 (001088)"},
    {"V 19 with its value", "12345678901Version 001089  \r\n", "V 19 (001089)"},
    {"V 22 with its value", "12345678901Version 001092\n", "V 22 (001092)"},
    {"V 23 with its value", "12345678901Version 001093\n", "V 23 (001093)"},
    {"outside the table: the trimmed value", "12345678901Version  2.01 b\r\n", "2.01 b"},
    {"only nine characters are taken", "12345678901Version 001090XYZ\r\n", "001090XY"},
    {"shorter line", "12345678901Version 12", "12"},
    {"nothing after the word", "12345678901Version", ""},
    {"control characters trimmed",
     "12345678901Version\t\x01"
     "001090\r\n",
     "V 20"},
    {"compared exactly", "12345678901Version 001090a\r\n", "001090a"},
};

TEST(HandleReceiverReply, VersionReportFillsEdit7ThroughTheTable) {
  for (const VersionCase& c : kVersionCases) {
    SCOPED_TRACE(c.what);
    TestWindow window;
    window.SetText(control::Edit7, "before");
    HandleReceiverReply(c.line, window);
    EXPECT_EQ(window.Text(control::Edit7), c.edit7);
    EXPECT_EQ(window.Caption(), "GPS 1.4A");
  }
}

TEST(HandleReceiverReply, OtherLinesLeaveEdit7Alone) {
  for (std::string_view line : {"12345678901version 001090\r\n", "1234567890Version 001090\r\n",
                                "123456789012Version 001090\r\n", "$GPGSA,A,2,,*00\r\n", ""}) {
    SCOPED_TRACE(line);
    TestWindow window;
    window.SetText(control::Edit7, "before");
    HandleReceiverReply(line, window);
    EXPECT_EQ(window.Text(control::Edit7), "before");
    EXPECT_EQ(window.Caption(), "GPS 1.4A");
  }
}

TEST(HandleReceiverReply, BracketedLineBecomesTheCaptionWithItsLineEnd) {
  TestWindow window;
  window.SetText(control::Edit7, "before");
  // A bracketed line wins even with "Version" at positions 12 to 18.
  HandleReceiverReply("[1234567890Version 001090]\r\n", window);
  EXPECT_EQ(window.Caption(), "[1234567890Version 001090]\r\n");
  EXPECT_EQ(window.Text(control::Edit7), "before");
}

TEST(MapReceiverVersion, MapsOnlyExactValues) {
  EXPECT_EQ(MapReceiverVersion("001090"), "V 20");
  EXPECT_EQ(MapReceiverVersion("001093"), "V 23 (001093)");
  EXPECT_EQ(MapReceiverVersion(" 001090"), " 001090");
  EXPECT_EQ(MapReceiverVersion("1090"), "1090");
  EXPECT_EQ(MapReceiverVersion(""), "");
}

}  // namespace
}  // namespace sattrail
