// SPDX-License-Identifier: BSD-2-Clause
// The real program and the simulated receiver on a virtual X server, driven as a user
// would: xdotool clicks "On", and screenshots show satellites on the sky plot and bars on
// the signal chart; then the window is closed while a confirmation box is open, and the
// program ends without sending the command. Skipped only where no Xvfb is installed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QRect>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "SimulatorSupport.h"
#include "support/XvfbSupport.h"

namespace {

namespace fs = std::filesystem;
using sattrail::e2e::SimulatedReceiver;
using sattrail::e2e::TemporaryFolder;

using namespace sattrail::testing;

// Client-area rectangles of the two pictures, from the window's inventory.
const QRect kSkyPlot(7 + 43, 23 + 10, 94, 98);  // Image2 inside GroupBox3
const QRect kChart(0 + 14, 159 + 8, 164, 64);   // Image1 inside GroupBox1

// What a screenshot shows of the pictures, counted in client coordinates.
struct PictureCounts {
  int skyBlack = 0;    // black pixels of the sky plot off its two rings and compass letters
  int skyBlue = 0;     // fill of discs of satellites used in the fix
  int chartBlack = 0;  // black pixels of the chart off its top row and left column
  int chartBlue = 0;   // fill of bars of satellites used in the fix
};

PictureCounts Count(const QImage& shot, QPoint client) {
  PictureCounts counts;
  const QRgb black = qRgb(0, 0, 0);
  const QRgb blue = qRgb(0, 0, 255);
  // The compass letters N, W, S and E of the sky panel, in client coordinates.
  const QRect letters[] = {QRect(7 + 89, 23 + 7, 8, 13), QRect(7 + 42, 23 + 54, 11, 13),
                           QRect(7 + 89, 23 + 98, 7, 13), QRect(7 + 133, 23 + 55, 7, 13)};
  for (int y = kSkyPlot.top(); y <= kSkyPlot.bottom(); ++y) {
    for (int x = kSkyPlot.left(); x <= kSkyPlot.right(); ++x) {
      const QRgb pixel = shot.pixel(client.x() + x, client.y() + y);
      if (pixel == blue) ++counts.skyBlue;
      if (pixel != black) continue;
      bool letter = false;
      for (const QRect& box : letters) letter = letter || box.contains(x, y);
      const double r = std::hypot(x - kSkyPlot.left() - 49.5, y - kSkyPlot.top() - 49.5);
      if (!letter && std::abs(r - 40) > 2 && std::abs(r - 20) > 2) ++counts.skyBlack;
    }
  }
  for (int y = kChart.top() + 1; y <= kChart.bottom(); ++y) {
    for (int x = kChart.left() + 1; x <= kChart.right(); ++x) {
      const QRgb pixel = shot.pixel(client.x() + x, client.y() + y);
      counts.chartBlack += pixel == black;
      counts.chartBlue += pixel == blue;
    }
  }
  return counts;
}

using XvfbSimulatorTest = XvfbTest;

TEST_F(XvfbSimulatorTest, OnShowsSatellitesAndClosingTheWindowEndsTheProgram) {
  TemporaryFolder folder("sattrail-xvfb-sim");
  ASSERT_FALSE(folder.Path().empty());
  const fs::path ports = folder.Path() / "ports";  // made by the simulator
  // Also sets SATTRAIL_PORT_DIR for this process, so the monitor inherits it.
  SimulatedReceiver sim(ports, {"--start", "hot", "--speed", "38400"});
  ASSERT_TRUE(sim.Pid() > 0);
  ASSERT_TRUE(sattrail::e2e::WaitFor([&] { return sim.Linked(); }, std::chrono::seconds(20)))
      << sim.Log();

  const auto started = Clock::now();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  Child monitor({std::string(SATTRAIL_BIN_DIR) + "/sattrail"}, &actions);
  posix_spawn_file_actions_destroy(&actions);
  ASSERT_TRUE(monitor.Started());

  std::string window;
  sattrail::e2e::WaitFor(
      [&] {
        const std::string found = Output("xdotool search --onlyvisible --name '^GPS 1\\.4A$'");
        window = found.substr(0, found.find('\n'));
        return !window.empty();
      },
      std::chrono::seconds(30));
  ASSERT_FALSE(window.empty()) << "no window titled GPS 1.4A appeared";
  std::cout << "window shown " << Milliseconds(Clock::now() - started)
            << " ms after the monitor started\n";

  const std::string geometry = Output("xdotool getwindowgeometry " + window);
  std::smatch match;
  ASSERT_TRUE(std::regex_search(geometry, match, std::regex(R"(Position: (\d+),(\d+))")))
      << geometry;
  const QPoint client(std::stoi(match[1]), std::stoi(match[2]));

  const fs::path shot = folder.Path() / "shot.png";
  const auto look = [&] {
    Output("import -window root " + shot.string());
    const QImage image(QString::fromStdString(shot.string()));
    return image.isNull() ? PictureCounts{-1, -1, -1, -1}
                          : Count(image.convertToFormat(QImage::Format_RGB32), client);
  };
  // Before "On" the pictures are empty: this is what the later counts are measured against.
  PictureCounts counts;
  ASSERT_TRUE(sattrail::e2e::WaitFor(
      [&] {
        counts = look();
        return counts.skyBlack >= 0;
      },
      std::chrono::seconds(10)))
      << "no screenshot";
  EXPECT_EQ(counts.skyBlue, 0);
  EXPECT_EQ(counts.chartBlue, 0);
  const PictureCounts before = counts;

  // "On": GroupBox7 at (7, 0), ButOpenGps at (112, 8) in it, 40 x 20; its middle.
  const auto clicked = Clock::now();
  Output("xdotool mousemove --window " + window + " 132 18 click 1");
  // A satellite disc adds its outline (some forty black pixels) to the sky plot.
  const bool drawn = sattrail::e2e::WaitFor(
      [&] {
        counts = look();
        return counts.skyBlack >= before.skyBlack + 30 && counts.chartBlack > before.chartBlack;
      },
      std::chrono::seconds(30));
  ASSERT_TRUE(drawn) << "no satellite drawn; black pixels on the sky plot " << counts.skyBlack
                     << ", on the chart " << counts.chartBlack << "\n"
                     << sim.Log();
  std::cout << "first satellite drawn " << Milliseconds(Clock::now() - clicked)
            << " ms after the click on On (screenshot granularity)\n";

  // With the fix, used satellites are blue on both pictures.
  const bool fixed = sattrail::e2e::WaitFor(
      [&] {
        counts = look();
        return counts.skyBlue > 50 && counts.chartBlue > 20;
      },
      std::chrono::seconds(30));
  EXPECT_TRUE(fixed) << "no blue discs and bars; blue pixels on the sky plot " << counts.skyBlue
                     << ", on the chart " << counts.chartBlue;
  std::cout << "blue discs and bars " << Milliseconds(Clock::now() - clicked)
            << " ms after the click on On\n";
  EXPECT_TRUE(monitor.Running());
  EXPECT_TRUE(sim.Running());

  // A step with the arrow key on the closed command list opens the box "OK To Send Command"
  // for its first entry, "@CB 1 4800". SetMsg lies at (104, 8) in GroupBox5 at (199, 1).
  const std::string logBefore = sim.Log();
  Output("xdotool mousemove --window " + window + " 323 19 click 1 sleep 0.2 key Down");
  std::string box;
  sattrail::e2e::WaitFor(
      [&] {
        const std::string found = Output("xdotool search --onlyvisible --name '^@CB 1 4800'");
        box = found.substr(0, found.find('\n'));
        return !box.empty();
      },
      std::chrono::seconds(10));
  ASSERT_FALSE(box.empty()) << "no confirmation box appeared";

  // The main window is closed as a window manager's close button closes it, with the box
  // still open: the program ends, with status 0, and the receiver gets no command.
  const auto asked = Clock::now();
  ASSERT_TRUE(AskWindowToClose(display, std::stoul(window)));
  const std::optional<int> status = monitor.WaitForExit(std::chrono::seconds(1));
  ASSERT_TRUE(status) << "the monitor still runs a second after its window was closed";
  EXPECT_EQ(*status, 0);
  std::cout << "monitor ended " << Milliseconds(Clock::now() - asked)
            << " ms after its window was asked to close\n";
  // A command that reached the simulator would be in its log by now.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(sim.Log(), logBefore);
}

}  // namespace
