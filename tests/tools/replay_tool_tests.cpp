// SPDX-License-Identifier: BSD-2-Clause
// The replay tool's pieces and its command line: its window's start-up look, the
// text conversion to UTF-8, a made-up stream with replies and malformed numbers, and the
// built program's exit statuses and pictures.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/ControlNames.h"
#include "replay/CaptureReplay.h"
#include "replay/ReplayJson.h"

extern char** environ;

namespace sattrail::replay {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::string Text(const nlohmann::json& value) {
  return value.is_string() ? value.get<std::string>() : value.dump();
}

std::vector<nlohmann::json> ParseReport(const std::string& report) {
  std::vector<nlohmann::json> lines;
  std::size_t start = 0;
  for (std::size_t end = report.find('\n'); end != std::string::npos;
       start = end + 1, end = report.find('\n', start)) {
    lines.push_back(nlohmann::json::parse(report.substr(start, end - start)));
  }
  return lines;
}

TEST(ReplayWindowTest, StartsWithTheWindowsStartUpLook) {
  CaptureReplay replay;
  const MemoryWindow& window = replay.window();
  const std::vector<std::pair<const char*, const char*>> texts{
      {"EdTime", "00:00:00"}, {"EdDate", "2004/00/00"},
      {"EdHeight", "0"},      {"Ed3Dt", "0"},
      {"Ed2Dt", "0"},         {"EdCommand", "@GSV 1"},
      {"ComboBox1", "4800"},  {"ComboBox2", "COM1"},
      {"SetMsg", "Command"},  {"ButOpenGps", "On"},
      {"Edit10", "0"},        {"Edit6", ""},
      {"Edit7", ""},          {"Edit8", ""},
      {"Edit9", ""},          {"EdSpeed", ""},
      {"EdPDOP", ""},         {"OutTextBox", ""}};
  for (const auto& [control, text] : texts) EXPECT_EQ(window.Text(control), text) << control;
  EXPECT_EQ(window.Caption(), "GPS 1.4A");
  EXPECT_EQ(window.ItemIndex(control::ComboBox1), -1);
  for (int box = 1; box <= 7; ++box) {
    EXPECT_FALSE(window.Checked("CheckBox" + std::to_string(box))) << box;
  }
  EXPECT_FALSE(window.Visible(control::Ed2Dt));
  EXPECT_FALSE(window.Visible(control::CheckBox7));
  EXPECT_EQ(window.Left(control::GroupBox2), 200);
  EXPECT_EQ(window.Left(control::GroupBox4), 200);
  EXPECT_EQ(window.Width(), 390);
  EXPECT_EQ(window.Height(), 264);
}

TEST(WindowTextToUtf8Test, DegreeSignAndLatin1) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"N24\xA2\x58"
       "46'7.4",
       "N24°46'7.4"},
      {"\xA2", "¢"},                     // a lone lead byte is Latin-1
      {"\xA2\xA2\x58", "¢°"},            // only the pair is the degree sign
      {"\xA2Z", "¢Z"},                   // the trail byte is 0x58 exactly
      {"[\xE9t\xE9]\r\n", "[été]\r\n"},  // controls stay, JSON escapes them
      {"\x80\xFF", "\xC2\x80ÿ"},
      {"", ""}};
  for (const auto& [text, utf8] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(WindowTextToUtf8(text), utf8);
  }
}

// Comment and blank line, VTG, a GGA with a letter in the altitude, a standard RMC, a GSA
// whose fix type is "3D", a bracketed reply with Latin-1 letters, a version reply, and a GGA
// cut off before its line feed.
constexpr std::string_view kMadeUpStream =
    "# made-up stream\n"
    "\n"
    "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n"
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,54x.4,M,46.9,M,,*0A\r\n"
    "$GPRMC,123519,A,2446.1234,N,12130.5,E,10.5,,230394,,*31\r\n"
    "$GPGSA,A,3D,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*7D\r\n"
    "[Receiver \xE9t\xE9]\r\n"
    "12345678901Version 001090  \r\n"
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

TEST(CaptureReplayTest, MadeUpStreamEndsWithWhatTheWindowShows) {
  const std::vector<nlohmann::json> report =
      ParseReport(ReplayReport(Bytes(kMadeUpStream), 256, true));
  ASSERT_EQ(report.size(), 5u);

  const std::vector<std::pair<int, const char*>> dispatched{
      {3, "GPVTG"}, {4, "GPGGA"}, {5, "GPRMC"}, {6, "GPGSA"}};
  for (std::size_t i = 0; i < dispatched.size(); ++i) {
    EXPECT_EQ(report[i]["line"], dispatched[i].first);
    EXPECT_EQ(Text(report[i]["id"]), dispatched[i].second);
  }
  EXPECT_EQ(report[0]["checks"]["CheckBox6"], true);
  EXPECT_EQ(Text(report[0]["boxes"]["EdTime"]), "00:00:00");
  EXPECT_EQ(Text(report[2]["boxes"]["EdTime"]), "20:35:19");
  EXPECT_EQ(report[2]["checks"]["CheckBox2"], false) << "the GSA comes after";

  const nlohmann::json& final = report.back()["final"];
  EXPECT_EQ(Text(final["caption"]), "[Receiver été]\r\n");
  const nlohmann::json& boxes = final["boxes"];
  EXPECT_EQ(Text(boxes["Edit8"]), "N24°46'7.4");
  EXPECT_EQ(Text(boxes["Edit9"]), "E121°30'30.0");
  EXPECT_EQ(Text(boxes["EdSpeed"]), "19.4459991455078");
  EXPECT_EQ(Text(boxes["EdTime"]), "20:35:19");
  EXPECT_EQ(Text(boxes["EdDate"]), "2094/03/23");
  EXPECT_EQ(Text(boxes["EdHeight"]), "0") << "the GGA stopped at its altitude";
  EXPECT_EQ(Text(boxes["EdPDOP"]), "") << "the GSA stopped at its fix type";
  EXPECT_EQ(Text(boxes["Edit6"]), "");
  EXPECT_EQ(Text(boxes["Edit7"]), "V 20");
  const nlohmann::json checks{{"CheckBox1", false}, {"CheckBox2", true},  {"CheckBox3", false},
                              {"CheckBox4", true},  {"CheckBox5", false}, {"CheckBox6", true},
                              {"CheckBox7", false}};
  EXPECT_EQ(final["checks"], checks);
  EXPECT_EQ(Text(final["fixModeText"]), "");
  EXPECT_EQ(final["lines"], 8);
  EXPECT_EQ(final["dispatched"], 4);
  EXPECT_EQ(final["badChecksum"], 4);
  const nlohmann::json errors{"'54x.4' is not a valid floating point value",
                              "'3D' is not a valid integer value"};
  EXPECT_EQ(final["errors"], errors);
  EXPECT_FALSE(final.contains("errorsNotListed")) << "only past the listed errors";
  EXPECT_EQ(final["drawings"], 0);
  EXPECT_EQ(final["lastDrawing"], nlohmann::json::array());
}

TEST(CaptureReplayTest, ListsTheFirstHundredErrorsAndCountsTheRest) {
  std::string bytes;
  for (int i = 0; i < 103; ++i)
    bytes += "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,54x.4,M,46.9,M,,*0A\r\n";
  const nlohmann::json final = ParseReport(ReplayReport(Bytes(bytes), 256, false)).back()["final"];
  EXPECT_EQ(final["dispatched"], 103);
  ASSERT_EQ(final["errors"].size(), 100u);
  EXPECT_EQ(Text(final["errors"][99]), "'54x.4' is not a valid floating point value");
  EXPECT_EQ(final["errorsNotListed"], 3);
}

TEST(CaptureReplayTest, MadeUpStreamInAnyChunkSizeGivesTheSameReport) {
  const std::string whole = ReplayReport(Bytes(kMadeUpStream), 256, true);
  for (int chunk : {1, 2, 7, 64, 255}) {
    EXPECT_EQ(ReplayReport(Bytes(kMadeUpStream), chunk, true), whole) << chunk;
  }
}

TEST(CaptureReplayTest, AnyBytesEndWithAValidFinalLine) {
  std::string bytes;
  for (int round = 0; round < 3; ++round) {
    for (int value = 255; value >= 0; --value) bytes += static_cast<char>(value);
  }
  bytes += "$GPGSV,1,1,01,07,40,120,38*";  // no digits, no line feed
  const std::vector<nlohmann::json> report = ParseReport(ReplayReport(Bytes(bytes), 256, true));
  ASSERT_FALSE(report.empty());
  const nlohmann::json& final = report.back()["final"];
  EXPECT_EQ(final["lines"], 3);
  EXPECT_EQ(final["dispatched"], 0);
  // Each round's "$" (36) ends a line before its line feed (10) does, and the GSV's "$" ends
  // the last round's tail: seven lines, none with two hexadecimal digits after a "*".
  EXPECT_EQ(final["badChecksum"], 7);
}

// The built program.
struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ReplayToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps the locale run of the same case, which CTest may run beside
    // this one, out of this folder.
    folder_ = std::filesystem::path(::testing::TempDir()) /
              (std::string("sattrail-replay-") + test->name() + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  ToolRun Run(const std::string& arguments) const {
    const std::filesystem::path out = folder_ / "stdout";
    const std::filesystem::path err = folder_ / "stderr";
    const std::string command = "'" + std::string(SATTRAIL_BIN_DIR) + "/sattrail-replay' " +
                                arguments + " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    ToolRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    return run;
  }

  static std::string Capture(const char* file) {
    return "'" + std::string(SATTRAIL_TEST_DATA) + "/" + file + "'";
  }
  static std::vector<std::uint8_t> CaptureBytes(const char* file) {
    const std::string text = ReadFile(std::string(SATTRAIL_TEST_DATA) + "/" + file);
    return {text.begin(), text.end()};
  }

  std::filesystem::path folder_;
};

TEST_F(ReplayToolTest, UnreadableCaptureIsExitStatusTwoWithAReason) {
  for (const std::string& capture : {(folder_ / "missing.log").string(), folder_.string()}) {
    SCOPED_TRACE(capture);
    const ToolRun run = Run("'" + capture + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("cannot read"), std::string::npos) << run.err;
  }
}

TEST_F(ReplayToolTest, WrongCommandLinesAreExitStatusTwo) {
  for (const char* arguments : {"", "--chunk 0 x.log", "--chunk 257 x.log", "--bogus x.log"}) {
    SCOPED_TRACE(arguments);
    const ToolRun run = Run(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(run.err.empty());
  }
  EXPECT_EQ(Run("--help").status, 0);
}

TEST_F(ReplayToolTest, PrintsWhatTheCoreReports) {
  const ToolRun every = Run("--every --chunk 7 " + Capture("ublox-lea-4h.log"));
  EXPECT_EQ(every.status, 0) << every.err;
  EXPECT_EQ(every.out, ReplayReport(CaptureBytes("ublox-lea-4h.log"), 7, true));
  const ToolRun plain = Run(Capture("ublox-lea-4h.log"));
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out, ReplayReport(CaptureBytes("ublox-lea-4h.log"), 256, false));
  const ToolRun piped = Run("--every --chunk 7 - <" + Capture("ublox-lea-4h.log"));
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, every.out) << "\"-\" reads standard input";
}

// A source that stays open runs until it is stopped, and the run still ends with the final
// line of all it read.
TEST_F(ReplayToolTest, StoppedRunEndsWithTheFinalLine) {
  const std::vector<std::uint8_t> capture = CaptureBytes("telit-he910.log");
  // Several times what a pipe holds: once it is written, the replay is reading.
  std::vector<std::uint8_t> sent;
  while (sent.size() < 4 * 65536) sent.insert(sent.end(), capture.begin(), capture.end());
  const std::string out = (folder_ / "stdout").string();
  for (const int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    int input[2];
    ASSERT_EQ(pipe2(input, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string program = std::string(SATTRAIL_BIN_DIR) + "/sattrail-replay";
    std::string standardInput = "-";
    char* argv[] = {program.data(), standardInput.data(), nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    ASSERT_EQ(write(input[1], sent.data(), sent.size()), static_cast<ssize_t>(sent.size()));
    // Stopped only once every byte is read, so that all of them are in the report.
    int waiting = 1;
    for (int i = 0; i < 2000 && waiting > 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      ASSERT_EQ(ioctl(input[1], FIONREAD, &waiting), 0);
    }
    EXPECT_EQ(waiting, 0);
    kill(pid, signal);
    int status = 0;
    waitpid(pid, &status, 0);
    close(input[1]);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(out), ReplayReport(sent, 256, false));
  }
}

TEST_F(ReplayToolTest, WritesTheFinalPictures) {
  const std::filesystem::path pictures = folder_ / "pictures";
  const ToolRun run = Run("--png '" + pictures.string() + "' " + Capture("telit-he910.log"));
  ASSERT_EQ(run.status, 0) << run.err;

  const QImage chart(QString::fromStdString((pictures / "chart.png").string()));
  const QImage sky(QString::fromStdString((pictures / "sky.png").string()));
  ASSERT_EQ(chart.size(), QSize(164, 64));
  ASSERT_EQ(sky.size(), QSize(94, 98));
  const QRgb green = qRgb(192, 220, 192);
  // The last drawing has seven bars, up to x 93; its background's outline shows only in the
  // top row and the left column.
  EXPECT_EQ(chart.pixel(50, 0), qRgb(0, 0, 0));
  EXPECT_EQ(chart.pixel(120, 30), green);
  // The sky over its panel: the background, and satellite 13 (used, elevation 59, azimuth
  // 135) drawn blue around (60, 60).
  EXPECT_EQ(sky.pixel(0, 97), green);
  EXPECT_EQ(sky.pixel(2, 2), green);
  EXPECT_EQ(sky.pixel(60, 66), qRgb(0, 0, 255));
}

}  // namespace
}  // namespace sattrail::replay
