// SPDX-License-Identifier: BSD-2-Clause
// Every receiver capture of tests/data through line assembly with dispatch, in the poll's
// 256-byte chunks, against an independent reading of each capture.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "AssemblyTestSupport.h"
#include "support/TestCapture.h"

namespace sattrail {
namespace {

using testing::ReadTestCapture;
using testing::RecordingObserver;
using testing::TestWindow;

using IdCounts = std::map<std::string, int>;

struct Capture {
  const char* name;
  int lines;      // lines ended: every line feed, and every "$" inside a line
  int goodLines;  // lines passing the first-star checksum rule
  // Lines passing the first-star rule, by the five characters after their first.
  IdCounts firstStarValid;
  // How many of those lines the program acts on under another SentenceId: a line longer
  // than 100 characters (line end counted) keeps the identifier of the line dispatched
  // before it. {from, to, lines}.
  struct Shift {
    const char* from;
    const char* to;
    int lines;
  };
  std::vector<Shift> shifts;
};

// Figures of the independent reading of each capture: "lines", "checksum" →
// "first_star_rule_valid_lines" and "sentence_ids" → "first_star_valid". The first-star
// rule is the one this program uses (XOR from byte 1 to the first "*", the two bytes after
// it compared without regard to case), and no line in these captures is longer than 256
// bytes, so the raw copy's limit changes nothing.
//
// The shifts come from the reading's "lines_longer_than_100_with_line_end" list, with the
// line dispatched before each long one looked up in the capture:
// - mtk-3301: the eleven PMTKC replies are 204 bytes with their line end; each follows a
//   GPRMC sentence, so the program runs the RMC branch again on an empty line (CheckBox4
//   ticked again, boxes rewritten from the unchanged state).
// - skytraq-fix: the one PSTI sentence of 101 bytes (line 52) follows a GPGST sentence.
// - gp-320fw coldboot: its six lines over 100 bytes all fail the checksum, so nothing shifts.
//
// A "$" inside a line ends the line before it, so five captures hold more lines than line
// feeds; the reading's figures are raised by what the parts left of and right of each such
// "$" give under the first-star rule:
// - gp-320fw coldboot, 154 line feeds + 7 = 161 lines, 91 good + 6 = 97:
//   line 9, "#        $PLCS sentence. ..." and line 19, "#        $GPGSV,3,3,12,2,40,16,00,
//   090,*72", comments of the capture's curator: both "#" parts fail, and line 19's GSV is
//   good (+1 GPGSV, and it closes a cycle of three);
//   lines 40 and 42, "$GPGSA,A,1,,,,,,,,,,,,,,,*1E$GPRMC,235949.00,V,...,N*44": the GSA was
//   already good by the first-star rule, its RMC is now good too (+2 GPRMC);
//   line 64, "$GPGSV,3,1,11,23,87,270,,13,68,270,,24,60,270,$GPRMC,000002.00,V,...*48" and
//   line 79, "$GPGSA,A,1,,$GPRMC,000425.00,V,...*4D": a cut sentence that fails, then a good
//   RMC (+2 GPRMC);
//   line 67, "$GPGSV,3,3,12,06,08,270,,16,01,090,,02,16,270,$GPGGA,000410.00,...*58": a cut
//   GSV that fails, then a good GGA (+1 GPGGA).
// - isync, 149 + 1 = 150 lines, 133 + 1 = 134 good: line 54, "$GPGSV,4,1,15,02,11,115,36,0
//   $PTNTA,20160203131539,2,T4,000000066,+107,3,0,3*18": the cut GSV fails, the PTNTA is good.
// - triton400, 35 + 1 = 36 lines, 27 + 1 = 28 good: line 19, "$GPGGA,030130$GPGLL,2638.1728,
//   N,08011.3893,W,030131.000,A,A*41": the cut GGA fails, the GLL is good.
// - mtk-3301, 78 + 1 = 79 lines: line 13, the comment "# $POLYN has no checksum.", two parts
//   that both fail.
// - quectel, 322 + 2 = 324 lines: line 6, the comment "# Note: Odd signal loss behavior with
//   $GPGGA and $GPRMC.", three parts that all fail.
const std::vector<Capture> kCaptures = {
    {"GPSmap-76S",
     156,
     151,
     {{"GPBOD", 11},
      {"GPBWC", 11},
      {"GPGGA", 12},
      {"GPGLL", 12},
      {"GPGSA", 12},
      {"GPGSV", 36},
      {"GPRMB", 12},
      {"GPRMC", 12},
      {"GPRTE", 11},
      {"GPVTG", 11},
      {"GPXTE", 11}},
     {}},
    {"bu353s4", 96, 90, {{"GPGGA", 25}, {"GPGSA", 25}, {"GPGSV", 15}, {"GPRMC", 25}}, {}},
    {"com-1289",
     108,
     97,
     {{"GPGGA", 14}, {"GPGSA", 14}, {"GPGSV", 41}, {"GPRMC", 14}, {"PFST,", 14}},
     {}},
    {"garmin-10x", 95, 84, {{"GPGGA", 14}, {"GPGSA", 14}, {"GPGSV", 42}, {"GPRMC", 14}}, {}},
    {"geos-1m", 58, 51, {{"GPGGA", 12}, {"GPGSA", 13}, {"GPGSV", 13}, {"GPRMC", 13}}, {}},
    {"gp-320fw-2019-04-07-coldboot",
     161,
     97,
     {{"GPGGA", 10},
      {"GPGLL", 8},
      {"GPGSA", 18},
      {"GPGSV", 28},
      {"GPRMC", 16},
      {"GPVTG", 10},
      {"GPZDA", 7}},
     {}},
    {"haicom-305N",
     335,
     325,
     {{"GPGGA", 73}, {"GPGSA", 26}, {"GPGSV", 79}, {"GPRMC", 74}, {"GPVTG", 73}},
     {}},
    {"holux-gm-210", 50, 39, {{"GPGGA", 11}, {"GPGSA", 11}, {"GPGSV", 6}, {"GPRMC", 11}}, {}},
    {"iTrek", 117, 105, {{"GPGGA", 23}, {"GPGSA", 32}, {"GPGSV", 13}, {"GPRMC", 37}}, {}},
    {"isync",
     150,
     134,
     {{"GPGBS", 11},
      {"GPGGA", 12},
      {"GPGSA", 12},
      {"GPGST", 11},
      {"GPGSV", 41},
      {"GPRMC", 12},
      {"GPVTG", 12},
      {"GPZDA", 11},
      {"PTNTA", 12}},
     {}},
    {"magellan-ec10", 90, 76, {{"GPRMB", 38}, {"GPRMC", 38}}, {}},
    {"mt3339",
     145,
     138,
     {{"GPGGA", 30}, {"GPGSA", 30}, {"GPGSV", 18}, {"GPRMC", 30}, {"GPZDA", 30}},
     {}},
    {"mtk-3301",
     79,
     56,
     {{"GPGGA", 11},
      {"GPGSA", 3},
      {"GPGSV", 8},
      {"GPRMC", 11},
      {"GPVTG", 11},
      {"PMTK0", 1},
      {"PMTKC", 11}},
     {{"PMTKC", "GPRMC", 11}}},
    {"quectel",
     324,
     312,
     {{"GPGGA", 42}, {"GPGSA", 42}, {"GPGSV", 144}, {"GPRMC", 42}, {"GPVTG", 42}},
     {}},
    {"skytraq-fix",
     108,
     100,
     {{"GPGGA", 11},
      {"GPGLL", 11},
      {"GPGSA", 11},
      {"GPGST", 11},
      {"GPGSV", 12},
      {"GPRMC", 11},
      {"GPVTG", 11},
      {"GPZDA", 11},
      {"PSTI,", 11}},
     {{"PSTI,", "GPGST", 1}}},
    {"telit-he910",
     1568,
     1558,
     {{"GPGGA", 224},
      {"GPGLL", 224},
      {"GPGSA", 224},
      {"GPGSV", 438},
      {"GPRMC", 224},
      {"GPVTG", 224}},
     {}},
    {"tn200", 74, 63, {{"GPGGA", 19}, {"GPGSA", 19}, {"GPGSV", 6}, {"GPRMC", 19}}, {}},
    {"triton400",
     36,
     28,
     {{"GPGGA", 4}, {"GPGLL", 5}, {"GPGSA", 3}, {"GPGSV", 12}, {"GPRMC", 4}},
     {}},
    {"ublox-lea-4h",
     118,
     108,
     {{"GPGGA", 14},
      {"GPGLL", 14},
      {"GPGSA", 14},
      {"GPGSV", 24},
      {"GPRMC", 14},
      {"GPVTG", 14},
      {"GPZDA", 14}},
     {}},
    {"ublox-lea-5q",
     68,
     63,
     {{"GPGGA", 9},
      {"GPGLL", 9},
      {"GPGSA", 9},
      {"GPGST", 9},
      {"GPGSV", 9},
      {"GPRMC", 9},
      {"GPVTG", 9}},
     {}},
};

void PrintTo(const Capture& capture, std::ostream* out) {
  *out << capture.name;
}

struct Replay {
  RecordingObserver observer;
  std::vector<std::string> errors;
  TestWindow window;
};

void RunCapture(const std::string& bytes, std::size_t chunkSize, Replay& replay) {
  RunState run;
  replay.errors = testing::FeedInChunks(run, replay.window, bytes, chunkSize, &replay.observer);
}

class CaptureTest : public ::testing::TestWithParam<Capture> {};

TEST_P(CaptureTest, DispatchesWhatTheIndependentReadingCounts) {
  const Capture& capture = GetParam();
  const std::string bytes = ReadTestCapture(std::string(capture.name) + ".log");
  ASSERT_FALSE(bytes.empty()) << "capture missing";
  Replay replay;
  RunCapture(bytes, 256, replay);
  const RecordingObserver& observer = replay.observer;

  EXPECT_EQ(static_cast<int>(observer.lines.size()), capture.lines);
  int good = 0;
  for (const auto& line : observer.lines) good += line.good ? 1 : 0;
  EXPECT_EQ(good, capture.goodLines);

  // Which lines were dispatched: counted by each line's own five characters.
  IdCounts byLine;
  for (const std::string& line : observer.dispatchedLines) ++byLine[line.substr(1, 5)];
  EXPECT_EQ(byLine, capture.firstStarValid);

  // What the program acted on: SentenceId after each dispatch.
  IdCounts expectedActedOn = capture.firstStarValid;
  for (const Capture::Shift& shift : capture.shifts) {
    expectedActedOn[shift.from] -= shift.lines;
    expectedActedOn[shift.to] += shift.lines;
    if (expectedActedOn[shift.from] == 0) expectedActedOn.erase(shift.from);
  }
  IdCounts actedOn;
  for (const std::string& id : observer.dispatched) ++actedOn[id];
  EXPECT_EQ(actedOn, expectedActedOn);

  // A box is ticked at the end exactly when its type arrived (nothing resets here).
  const std::pair<const char*, const char*> boxes[] = {
      {"GPGGA", "CheckBox1"}, {"GPGSA", "CheckBox2"}, {"GPGSV", "CheckBox3"},
      {"GPRMC", "CheckBox4"}, {"GPGLL", "CheckBox5"}, {"GPVTG", "CheckBox6"},
      {"GPZDA", "CheckBox7"}};
  for (const auto& [id, box] : boxes) {
    SCOPED_TRACE(box);
    EXPECT_EQ(replay.window.Checked(box), expectedActedOn.count(id) > 0);
  }
}

TEST_P(CaptureTest, NoConversionErrors) {
  // The reading finds no malformed number field in any RMC, GGA or GSA sentence with a
  // strictly valid checksum. The only lines that pass the first-star rule without passing
  // the strict one are five GSA sentences of the coldboot capture with another sentence run
  // into them after their checksum ("$GPGSA,A,1,,,,,,,,,,,,,,,*1E$GPRMC,..."): their fix
  // type is 1 and satellite and PDOP fields are empty, and nothing after their first "*"
  // reaches a field the GSA parser converts. The RMC and GGA sentences that a "$" now
  // separates from what came before them on their line are void ones, of the same form as
  // the capture's other void RMC and GGA sentences (empty speed, course and height).
  const Capture& capture = GetParam();
  Replay replay;
  RunCapture(ReadTestCapture(std::string(capture.name) + ".log"), 256, replay);
  EXPECT_TRUE(replay.errors.empty());
  EXPECT_TRUE(replay.observer.failures.empty());
}

TEST_P(CaptureTest, ChunkSizeMakesNoDifference) {
  const Capture& capture = GetParam();
  const std::string bytes = ReadTestCapture(std::string(capture.name) + ".log");
  Replay byChunk, byByte;
  RunCapture(bytes, 256, byChunk);
  RunCapture(bytes, 1, byByte);
  EXPECT_EQ(byByte.observer.dispatched, byChunk.observer.dispatched);
  EXPECT_EQ(byByte.observer.dispatchedLines, byChunk.observer.dispatchedLines);
  EXPECT_EQ(byByte.errors, byChunk.errors);
  EXPECT_EQ(byByte.observer.drawings.size(), byChunk.observer.drawings.size());
  for (const ControlSpec& control : MainWindowInventory()) {
    if (control.name.empty()) continue;
    SCOPED_TRACE(control.name);
    EXPECT_EQ(byByte.window.Text(control.name), byChunk.window.Text(control.name));
    EXPECT_EQ(byByte.window.Checked(control.name), byChunk.window.Checked(control.name));
  }
  EXPECT_EQ(byByte.window.Caption(), byChunk.window.Caption());
}

INSTANTIATE_TEST_SUITE_P(Captures, CaptureTest, ::testing::ValuesIn(kCaptures),
                         [](const ::testing::TestParamInfo<Capture>& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace sattrail
