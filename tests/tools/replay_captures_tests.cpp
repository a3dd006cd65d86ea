// SPDX-License-Identifier: BSD-2-Clause
// Every capture of tests/data replayed through the replay core, against an independent
// reading of each capture written down here: the texts the monitor's rules give for the last
// RMC, GGA and GSA sentences, the sentence types seen, the line counts (line feeds, lines that
// pass the checksum, lines that fail it), the GSV sentences that close their cycle and what
// the last drawing drew from, with the disc positions of the sky plot.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "replay/CaptureReplay.h"

namespace sattrail::replay {
namespace {

struct Satellite {
  int n, elevation, azimuth, signal;
  bool used;
  int x, y;
};

struct CaptureReading {
  const char* file;
  const char* edit8;  // latitude
  const char* edit9;  // longitude
  const char* edSpeed;
  const char* edTime;  // local time, the zone from the longitude
  const char* edDate;
  const char* edHeight;  // GGA antenna altitude
  const char* edPdop;
  const char* edit6;   // fix mode
  const char* checks;  // CheckBox1 to CheckBox7, "1" ticked
  const char* fixModeText;
  int lines;        // line feeds
  int dispatched;   // lines whose checksum holds (byte 0 excluded, up to the first "*")
  int badChecksum;  // the other lines, counting apart the parts of a line before each "$"
  int drawings;     // GSV lines whose sentence number equals the total
  int firstDispatchedLine;
  const char* firstId;
  int lastDispatchedLine;
  std::vector<Satellite> lastDrawing;
};

// The local time is UTC shifted by the nautical zone of the last RMC's longitude, the whole
// hours nearest to degrees / 15: bu353s4 at 175.3 E and quectel at 174.7 E are +12, garmin-10x
// at 83.6 W and isync at 87.6 W are -6, geos-1m at 27.5 E is +2.
// Notes on the odd ones: gp-320fw's receiver reports zeros before its first fix and a 2099
// date; tn200 sends 36000.0000 N 72000.0000 E, whose 720 degrees cap at a zone of +12 (20 h
// UTC + 12 = 32, one day carried: 08 h on the 30th); magellan-ec10 sends only empty
// RMC sentences after midnight UTC with no GGA or GSA; mtk-3301 and skytraq-fix carry lines of
// more than 100 characters, which re-dispatch the previous sentence type; isync and iTrek
// close GSV cycles whose earlier sentences were lost, which still draws.
// A "$" inside a line ends the part before it as a line of its own (the line numbers stay
// physical). gp-320fw: its lines 40, 42, 64, 67 and 79 run an RMC or GGA into a GSA or GSV
// before it, which now counts (+5 dispatched; the GSA of 40 and 42 was good already, the cut
// GSV or GSA of the others stays bad), and its lines 9 and 19 are the curator's comments
// quoting "$PLCS" and "$GPGSV,3,3,12,2,40,16,00,090,*72": the first gives one more bad part,
// the second a good GSV that closes its cycle (+1 dispatched, one more drawing, and the first
// sentence dispatched, on line 19). isync's line 54 and triton400's line 19 each end in a
// good sentence after a cut one (+1 dispatched); mtk-3301's comment line 13 and quectel's
// line 6 quote sentence names, one and two more bad parts.
const std::vector<CaptureReading> kCaptures{
    {"GPSmap-76S.log",
     "N38°54'30.5",
     "W77°26'27.1",
     "0",
     "07:51:28",
     "2011/10/24",
     "268.8",
     "3.60",
     "3D",
     "1111110",
     "3",
     156,
     151,
     5,
     12,
     6,
     "GPRMC",
     156,
     {{3, 41, 50, 46, true, 67, 35},
      {7, 61, 316, 49, true, 39, 39},
      {8, 35, 315, 45, true, 32, 32},
      {11, 36, 148, 45, true, 62, 70},
      {13, 38, 213, 46, true, 37, 69},
      {16, 27, 68, 43, true, 74, 39},
      {19, 72, 76, 50, true, 58, 47},
      {23, 9, 182, 37, true, 48, 79},
      {24, 6, 166, 35, true, 57, 78},
      {28, 9, 271, 37, true, 20, 49}}},
    {"bu353s4.log",
     "S37°47'5.3",
     "E175°18'53.7",
     "0",
     "15:07:43",
     "2014/12/31",
     "60.2",
     "1.90",
     "3D",
     "1111000",
     "3",
     96,
     90,
     6,
     5,
     7,
     "GPGGA",
     96,
     {{1, 29, 132, 23, true, 69, 67},
      {2, 35, 348, 0, false, 44, 25},
      {3, 15, 91, 0, false, 78, 50},
      {6, 36, 347, 26, true, 44, 26},
      {8, 38, 8, 0, false, 53, 26},
      {13, 7, 305, 4, false, 25, 32},
      {17, 71, 207, 31, true, 45, 58},
      {20, 17, 70, 18, true, 76, 40},
      {24, 12, 219, 0, false, 31, 72},
      {26, 8, 293, 24, true, 22, 38},
      {28, 59, 95, 30, true, 65, 51},
      {30, 23, 11, 29, true, 55, 22}}},
    {"com-1289.log",
     "N48°6'22.4",
     "W1°38'37.3",
     "0",
     "14:38:01",
     "2007/10/12",
     "42.1",
     "1.90",
     "3D",
     "1111000",
     "3",
     108,
     97,
     11,
     13,
     11,
     "GPGSA",
     108,
     {{1, 6, 230, 31, false, 27, 69},
      {5, 16, 114, 42, true, 76, 61},
      {6, 65, 63, 49, true, 61, 44},
      {7, 72, 61, 46, true, 58, 45},
      {10, 9, 57, 38, false, 74, 33},
      {16, 35, 295, 48, true, 27, 39},
      {21, 44, 152, 53, true, 60, 69},
      {23, 12, 316, 51, true, 29, 28},
      {24, 51, 97, 54, true, 68, 52},
      {30, 33, 110, 50, true, 73, 58},
      {31, 60, 230, 46, true, 38, 59}}},
    {"garmin-10x.log",
     "N41°43'36.7",
     "W83°38'5.3",
     "1.11119997501373",
     "10:50:49",
     "2010/07/18",
     "212.3",
     "4.00",
     "3D",
     "1111000",
     "3",
     95,
     84,
     11,
     14,
     10,
     "GPGGA",
     95,
     {{3, 8, 171, 0, false, 54, 79},
      {6, 15, 156, 0, false, 61, 76},
      {13, 16, 310, 0, false, 27, 31},
      {14, 6, 129, 0, false, 73, 68},
      {16, 74, 173, 27, true, 51, 58},
      {20, 38, 248, 20, true, 28, 58},
      {23, 42, 310, 19, true, 32, 35},
      {29, 15, 48, 0, false, 71, 30},
      {31, 40, 66, 24, true, 70, 40},
      {32, 39, 218, 23, true, 35, 68}}},
    {"geos-1m.log",
     "N53°55'9.3",
     "E27°29'57.8",
     "0.517022848129272",
     "09:37:08",
     "2010/07/09",
     "258.9",
     "9.90",
     "3D",
     "1111000",
     "3",
     58,
     51,
     7,
     13,
     8,
     "GPGSA",
     58,
     {}},
    {"gp-320fw-2019-04-07-coldboot.log",
     "N0°0'0.0",
     "E0°0'0.0",
     "0",
     "00:04:35",
     "2099/08/22",
     "0.0",
     "0.00",
     "NONE",
     "1111111",
     "0",
     154,
     97,
     64,
     9,
     19,
     "GPGSV",
     154,
     {{1, 22, 90, 0, false, 77, 50},
      {4, 20, 270, 40, false, 21, 49},
      {5, 12, 90, 0, false, 79, 50},
      {6, 8, 270, 0, false, 20, 49},
      {13, 70, 270, 40, false, 39, 49},
      {16, 0, 90, 0, false, 79, 50},
      {17, 13, 270, 0, false, 20, 49},
      {20, 9, 90, 40, false, 79, 50},
      {23, 86, 270, 0, false, 47, 49},
      {24, 59, 270, 0, false, 34, 49},
      {25, 31, 90, 0, false, 75, 50},
      {31, 26, 90, 41, false, 76, 50}}},
    {"haicom-305N.log",
     "S27°12'38.4",
     "E153°3'7.2",
     "3.90772008895874",
     "19:54:15",
     "2007/04/08",
     "3.5",
     "2.60",
     "3D",
     "1111010",
     "3",
     335,
     325,
     10,
     27,
     11,
     "GPGSV",
     335,
     {{2, 14, 123, 25, true, 74, 65},
      {5, 45, 347, 44, true, 45, 29},
      {6, 58, 197, 39, false, 45, 65},
      {7, 45, 212, 38, true, 38, 67},
      {10, 43, 132, 35, true, 66, 64},
      {12, 39, 2, 43, true, 50, 26},
      {18, 14, 332, 30, false, 36, 24},
      {21, 34, 265, 38, true, 25, 52},
      {24, 58, 219, 40, true, 39, 62},
      {26, 17, 54, 38, false, 73, 33},
      {29, 20, 63, 38, false, 75, 37},
      {30, 59, 312, 44, true, 38, 39}}},
    {"holux-gm-210.log",
     "N41°31'44.1",
     "W93°36'48.9",
     "0",
     "19:25:29",
     "2005/04/04",
     "280.2",
     "50.00",
     "NONE",
     "1111000",
     "0",
     50,
     39,
     11,
     2,
     11,
     "GPGGA",
     49,
     {{1, 55, 291, 43, false, 33, 43},
      {5, 20, 56, 0, false, 73, 34},
      {11, 25, 294, 32, false, 25, 38},
      {14, 65, 34, 0, false, 57, 39},
      {15, 8, 176, 0, false, 52, 79},
      {18, 14, 127, 0, false, 73, 67},
      {22, 45, 125, 0, false, 67, 62},
      {25, 53, 210, 37, false, 40, 65},
      {30, 29, 96, 0, false, 76, 52}}},
    {"iTrek.log",
     "N35°19'54.0",
     "E136°40'15.8",
     "6.20419979095459",
     "13:59:23",
     "2005/07/27",
     "78.6",
     "50.00",
     "2D",
     "1111000",
     "2",
     117,
     105,
     12,
     7,
     13,
     "GPRMC",
     117,
     {{5, 67, 99, 21, true, 61, 51},
      {9, 41, 47, 36, true, 66, 34},
      {14, 32, 311, 26, true, 30, 33},
      {15, 9, 229, 0, false, 27, 69},
      {18, 55, 192, 18, false, 46, 66},
      {22, 62, 272, 20, false, 35, 49},
      {26, 8, 109, 21, true, 78, 59},
      {30, 50, 179, 0, false, 50, 69}}},
    {"isync.log",
     "N41°53'51.6",
     "W87°38'38.2",
     "0.0703760012984276",
     "07:15:30",
     "2016/02/03",
     "218.5",
     "1.25",
     "3D",
     "1111011",
     "3",
     149,
     134,
     16,
     12,
     12,
     "GPRMC",
     149,
     {{2, 11, 115, 35, true, 76, 62},
      {5, 34, 60, 48, true, 71, 37},
      {7, 0, 23, 0, false, 61, 22},
      {13, 56, 90, 50, true, 66, 50},
      {15, 55, 170, 50, true, 52, 66},
      {16, 7, 317, 30, true, 29, 28},
      {18, 28, 257, 43, true, 24, 55},
      {20, 78, 348, 48, true, 48, 43},
      {21, 40, 304, 46, true, 30, 37},
      {26, 7, 290, 32, true, 22, 39},
      {29, 57, 213, 50, true, 41, 63},
      {30, 7, 50, 41, false, 72, 30},
      {46, 38, 194, 45, true, 44, 72},
      {48, 24, 236, 44, false, 27, 65}}},
    {"magellan-ec10.log",
     "00°0'0.0",
     "00°0'0.0",
     "0",
     "12:53:04",
     "2000/00/00",
     "0",
     "",
     "",
     "0001000",
     "",
     90,
     76,
     14,
     0,
     15,
     "GPRMB",
     90,
     {}},
    {"mt3339.log",
     "N44°4'7.8",
     "W121°18'51.1",
     "0.0555600002408028",
     "12:27:09",
     "2015/04/13",
     "1127.4",
     "1.64",
     "3D",
     "1111001",
     "3",
     145,
     138,
     7,
     6,
     8,
     "GPGGA",
     145,
     {{3, 7, 176, 19, true, 52, 79},
      {5, 5, 328, 0, false, 34, 24},
      {7, 60, 281, 44, true, 35, 47},
      {9, 88, 89, 33, true, 51, 49},
      {10, 44, 274, 31, true, 28, 48},
      {16, 39, 51, 31, true, 68, 35},
      {19, 13, 123, 25, true, 74, 65},
      {20, 24, 308, 30, true, 28, 33},
      {23, 54, 124, 38, true, 64, 59},
      {27, 23, 92, 32, true, 77, 50},
      {30, 30, 262, 29, true, 24, 53},
      {46, 37, 146, 0, false, 63, 69}}},
    {"mtk-3301.log",
     "N52°12'58.9",
     "E6°53'6.3",
     "0.37966001033783",
     "08:14:39",
     "2008/08/23",
     "102.9",
     "3.05",
     "2D",
     "1111010",
     "2",
     78,
     56,
     23,
     3,
     20,
     "PMTK0",
     78,
     {{3, 0, 0, 39, false, 50, 20},
      {7, 0, 0, 44, false, 50, 20},
      {8, 63, 65, 50, true, 62, 44},
      {10, 0, 0, 44, false, 50, 20},
      {15, 0, 0, 45, false, 50, 20},
      {19, 0, 0, 39, false, 50, 20},
      {21, 13, 320, 42, true, 31, 27},
      {25, 0, 0, 45, false, 50, 20},
      {26, 0, 0, 48, false, 50, 20},
      {27, 0, 0, 48, false, 50, 20},
      {28, 42, 144, 52, true, 63, 68}}},
    {"quectel.log",
     "S36°44'45.6",
     "E174°44'4.3",
     "0",
     "14:21:02",
     "2020/10/07",
     "56.1",
     "1.30",
     "2D",
     "1111010",
     "2",
     322,
     312,
     12,
     41,
     11,
     "GPGSV",
     322,
     {{1, 36, 123, 0, false, 70, 63},
      {3, 4, 74, 40, true, 78, 41},
      {6, 16, 348, 39, true, 44, 21},
      {7, 17, 22, 50, true, 60, 23},
      {11, 12, 133, 40, true, 71, 70},
      {13, 21, 278, 0, false, 22, 46},
      {15, 5, 246, 30, false, 22, 62},
      {17, 60, 274, 0, false, 35, 48},
      {19, 45, 289, 30, true, 29, 43},
      {22, 7, 94, 44, true, 79, 52},
      {24, 0, 0, 0, false, 50, 20},
      {28, 66, 164, 31, true, 53, 61},
      {30, 46, 8, 55, true, 52, 29},
      {33, 0, 0, 34, false, 50, 20},
      {44, 0, 0, 40, false, 50, 20},
      {46, 0, 0, 50, false, 50, 20}}},
    {"skytraq-fix.log",
     "N44°4'7.4",
     "W121°18'50.9",
     "0",
     "15:27:22",
     "2016/03/28",
     "1132.6",
     "9.40",
     "3D",
     "1111111",
     "3",
     108,
     100,
     8,
     3,
     9,
     "GPGGA",
     108,
     {{1, 7, 107, 16, true, 78, 58},
      {5, 9, 257, 0, false, 21, 56},
      {7, 48, 101, 28, false, 69, 53},
      {8, 25, 46, 15, true, 69, 31},
      {9, 8, 163, 27, true, 58, 78},
      {11, 25, 95, 27, true, 77, 52},
      {13, 41, 305, 16, false, 31, 37},
      {15, 8, 322, 0, false, 31, 26},
      {17, 24, 183, 40, true, 48, 77},
      {20, 6, 302, 0, false, 24, 34},
      {28, 70, 265, 21, true, 39, 50},
      {30, 77, 64, 14, false, 56, 47}}},
    {"telit-he910.log",
     "N50°50'24.8",
     "E4°20'49.4",
     "0",
     "10:54:59",
     "2019/03/12",
     "102.0",
     "3.50",
     "3D",
     "1111110",
     "3",
     1568,
     1558,
     10,
     224,
     11,
     "GPGGA",
     1568,
     {{13, 59, 135, 35, true, 60, 60},
      {15, 74, 242, 42, true, 42, 53},
      {17, 25, 105, 33, true, 76, 57},
      {19, 13, 130, 27, true, 72, 68},
      {20, 25, 301, 27, true, 26, 35},
      {24, 43, 270, 40, false, 28, 49},
      {28, 39, 54, 46, false, 68, 36}}},
    {"tn200.log",
     "N360°0'0.0",
     "E720°0'0.0",
     "0",
     "08:41:39",
     "2020/01/30",
     "0.0",
     "50.00",
     "NONE",
     "1111000",
     "0",
     74,
     63,
     11,
     2,
     12,
     "GPGGA",
     74,
     {{1, 62, 0, 45, false, 50, 35},
      {4, 17, 0, 0, false, 50, 21},
      {5, 57, 0, 0, false, 50, 33},
      {8, 79, 0, 0, false, 50, 44},
      {9, 20, 0, 0, false, 50, 21},
      {13, 32, 0, 0, false, 50, 24},
      {15, 12, 0, 0, false, 50, 20},
      {22, 42, 0, 0, false, 50, 27},
      {24, 20, 0, 0, false, 50, 21},
      {25, 89, 0, 36, false, 50, 49},
      {26, 79, 0, 0, false, 50, 44},
      {27, 89, 0, 0, false, 50, 49}}},
    {"triton400.log",
     "N26°38'10.5",
     "W80°11'23.4",
     "0",
     "22:01:33",
     "2013/03/31",
     "20.0",
     "2.60",
     "3D",
     "1111100",
     "3",
     35,
     28,
     8,
     4,
     8,
     "GPGSV",
     35,
     {{7, 66, 172, 51, true, 51, 62},
      {8, 75, 303, 44, true, 43, 45},
      {9, 12, 322, 36, false, 31, 26},
      {11, 51, 55, 36, true, 65, 39},
      {13, 4, 183, 51, false, 48, 79},
      {17, 31, 254, 51, true, 25, 57},
      {19, 12, 46, 36, false, 71, 29},
      {20, 9, 138, 36, false, 69, 72},
      {26, 13, 295, 51, true, 23, 37},
      {28, 39, 325, 36, true, 36, 30},
      {32, 3, 113, 44, false, 77, 61}}},
    {"ublox-lea-4h.log",
     "N49°7'34.1",
     "W122°42'36.6",
     "0.15556800365448",
     "19:15:18",
     "2006/08/09",
     "98.5",
     "2.20",
     "3D",
     "1111111",
     "3",
     118,
     108,
     10,
     14,
     11,
     "GPZDA",
     118,
     {{2, 9, 178, 33, true, 51, 79},
      {4, 33, 148, 43, true, 63, 71},
      {5, 22, 288, 30, true, 23, 41},
      {9, 56, 285, 29, true, 33, 45},
      {17, 62, 63, 35, true, 62, 43},
      {24, 42, 118, 35, true, 69, 60},
      {26, 11, 222, 28, true, 30, 71},
      {28, 25, 97, 26, true, 76, 53},
      {29, 7, 218, 23, false, 31, 73},
      {35, 31, 205, 41, true, 39, 73},
      {47, 11, 246, 0, false, 23, 61},
      {48, 33, 194, 41, false, 43, 74}}},
    {"ublox-lea-5q.log",
     "00°0'0.0",
     "00°0'0.0",
     "0",
     "00:19:10",
     "2011/02/02",
     "0.0",
     "99.99",
     "NONE",
     "1111110",
     "0",
     68,
     63,
     5,
     9,
     6,
     "GPVTG",
     68,
     {}},
};

std::vector<std::uint8_t> ReadTestCapture(const std::string& file) {
  std::ifstream in(std::string(SATTRAIL_TEST_DATA) + "/" + file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> SplitLines(const std::string& report) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = report.find('\n'); end != std::string::npos;
       start = end + 1, end = report.find('\n', start)) {
    lines.push_back(report.substr(start, end - start));
  }
  EXPECT_EQ(start, report.size()) << "the report ends with a line feed";
  return lines;
}

// The capture's last physical line with its line end, which the memo shows last.
std::string LastLine(const std::vector<std::uint8_t>& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  const std::size_t previous = text.rfind('\n', text.size() >= 2 ? text.size() - 2 : 0);
  return previous == std::string::npos ? text : text.substr(previous + 1);
}

std::string Text(const nlohmann::json& value) {
  return value.is_string() ? value.get<std::string>() : value.dump();
}

void PrintTo(const CaptureReading& reading, std::ostream* out) {
  *out << reading.file;
}

class CaptureReplayTest : public ::testing::TestWithParam<CaptureReading> {};

TEST_P(CaptureReplayTest, FinalLineShowsWhatTheCaptureSays) {
  const CaptureReading& expected = GetParam();
  const std::vector<std::uint8_t> capture = ReadTestCapture(expected.file);
  ASSERT_FALSE(capture.empty());

  const std::vector<std::string> lines = SplitLines(ReplayReport(capture, 256, false));
  ASSERT_EQ(lines.size(), 1u) << "without --every only the final line";
  const nlohmann::json report = nlohmann::json::parse(lines.back());
  ASSERT_TRUE(report.contains("final"));
  const nlohmann::json& final = report["final"];

  EXPECT_EQ(final["caption"], "GPS 1.4A");
  const nlohmann::json& boxes = final["boxes"];
  EXPECT_EQ(Text(boxes["Edit8"]), expected.edit8);
  EXPECT_EQ(Text(boxes["Edit9"]), expected.edit9);
  EXPECT_EQ(Text(boxes["EdSpeed"]), expected.edSpeed);
  EXPECT_EQ(Text(boxes["EdTime"]), expected.edTime);
  EXPECT_EQ(Text(boxes["EdDate"]), expected.edDate);
  EXPECT_EQ(Text(boxes["EdHeight"]), expected.edHeight);
  EXPECT_EQ(Text(boxes["EdPDOP"]), expected.edPdop);
  EXPECT_EQ(Text(boxes["Edit6"]), expected.edit6);
  EXPECT_EQ(boxes["Edit7"], "") << "no capture holds a version reply";
  EXPECT_EQ(boxes["Ed3Dt"], "0") << "no time-to-fix ticks in a replay";
  const std::string memo = boxes["OutTextBox"];
  const std::string lastLine = LastLine(capture);
  ASSERT_GE(memo.size(), lastLine.size());
  EXPECT_EQ(memo.substr(memo.size() - lastLine.size()), lastLine);

  for (int box = 1; box <= 7; ++box) {
    const std::string name = "CheckBox" + std::to_string(box);
    EXPECT_EQ(final["checks"][name], expected.checks[box - 1] == '1') << name;
  }
  EXPECT_EQ(Text(final["fixModeText"]), expected.fixModeText);
  EXPECT_EQ(final["lines"], expected.lines);
  EXPECT_EQ(final["dispatched"], expected.dispatched);
  EXPECT_EQ(final["badChecksum"], expected.badChecksum);
  EXPECT_EQ(final["errors"], nlohmann::json::array()) << "no capture has a malformed number";
  EXPECT_EQ(final["drawings"], expected.drawings);

  const nlohmann::json& drawn = final["lastDrawing"];
  ASSERT_EQ(drawn.size(), expected.lastDrawing.size());
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const Satellite& satellite = expected.lastDrawing[i];
    SCOPED_TRACE("satellite " + std::to_string(satellite.n));
    EXPECT_EQ(drawn[i]["n"], satellite.n);
    EXPECT_EQ(drawn[i]["elevation"], satellite.elevation);
    EXPECT_EQ(drawn[i]["azimuth"], satellite.azimuth);
    EXPECT_EQ(drawn[i]["signal"], satellite.signal);
    EXPECT_EQ(drawn[i]["used"], satellite.used);
    EXPECT_EQ(drawn[i]["x"], satellite.x);
    EXPECT_EQ(drawn[i]["y"], satellite.y);
  }
}

TEST_P(CaptureReplayTest, EveryDispatchedLineIsReportedWithItsPhysicalLineNumber) {
  const CaptureReading& expected = GetParam();
  const std::vector<std::string> lines =
      SplitLines(ReplayReport(ReadTestCapture(expected.file), 256, true));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(expected.dispatched) + 1);

  // One report per physical line, in file order; only the coldboot capture's lines 40 and
  // 42, "$GPGSA,A,1,,,,,,,,,,,,,,,*1E$GPRMC,...", hold two good sentences each.
  const std::vector<int> expectedTwice = std::string_view(expected.file).starts_with("gp-320fw")
                                             ? std::vector<int>{40, 42}
                                             : std::vector<int>{};
  std::vector<int> reportedTwice;
  int previousLine = 0;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const nlohmann::json every = nlohmann::json::parse(lines[i]);
    ASSERT_FALSE(every.contains("final"));
    const int line = every["line"];
    if (line == previousLine) reportedTwice.push_back(line);
    EXPECT_GE(line, previousLine) << "in file order";
    previousLine = line;
    EXPECT_EQ(every["boxes"].size(), 11u);
    EXPECT_EQ(every["checks"].size(), 7u);
  }
  EXPECT_EQ(reportedTwice, expectedTwice);
  const nlohmann::json first = nlohmann::json::parse(lines.front());
  EXPECT_EQ(first["line"], expected.firstDispatchedLine);
  EXPECT_EQ(Text(first["id"]), expected.firstId);
  EXPECT_EQ(nlohmann::json::parse(lines[lines.size() - 2])["line"], expected.lastDispatchedLine);
  EXPECT_TRUE(nlohmann::json::parse(lines.back()).contains("final"));
}

TEST_P(CaptureReplayTest, ChunkSizeChangesNothing) {
  const std::vector<std::uint8_t> capture = ReadTestCapture(GetParam().file);
  const std::string byBytes = ReplayReport(capture, 1, true);
  EXPECT_EQ(ReplayReport(capture, 7, true), byBytes);
  EXPECT_EQ(ReplayReport(capture, 256, true), byBytes);
  EXPECT_EQ(ReplayReport(capture, 256, true, Pictures::Drawn), byBytes)
      << "drawing on real pictures changes nothing in the report";
}

std::string CaptureName(const ::testing::TestParamInfo<CaptureReading>& info) {
  std::string name = info.param.file;
  name = name.substr(0, name.rfind('.'));
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Captures, CaptureReplayTest, ::testing::ValuesIn(kCaptures), CaptureName);

}  // namespace
}  // namespace sattrail::replay
