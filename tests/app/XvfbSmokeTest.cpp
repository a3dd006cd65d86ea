// SPDX-License-Identifier: BSD-2-Clause
// The real program on a virtual X server: it starts, its window is titled "GPS 1.4A" with a
// client area of 387 x 239, and a screenshot shows the panel colours where the inventory
// puts them. Skipped only where no Xvfb is installed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

#include "support/XvfbSupport.h"

namespace {

namespace fs = std::filesystem;

using namespace sattrail::testing;

using XvfbSmokeTest = XvfbTest;

TEST_F(XvfbSmokeTest, WindowStartsWithItsTitleSizeAndPanelColours) {
  const auto started = Clock::now();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const std::string program = std::string(SATTRAIL_BIN_DIR) + "/sattrail";
  Child monitor({program}, &actions);
  posix_spawn_file_actions_destroy(&actions);
  ASSERT_TRUE(monitor.Started());

  std::string window;
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  while (Clock::now() < deadline && window.empty()) {
    const std::string found = Output("xdotool search --onlyvisible --name '^GPS 1\\.4A$'");
    if (!found.empty()) window = found.substr(0, found.find('\n'));
    if (window.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_FALSE(window.empty()) << "no window titled GPS 1.4A appeared";
  const auto shown = Clock::now();
  std::cout << "window shown after "
            << std::chrono::duration_cast<std::chrono::milliseconds>(shown - started).count()
            << " ms\n";
  EXPECT_TRUE(monitor.Running());
  EXPECT_EQ(Output("xdotool getwindowname " + window), "GPS 1.4A\n");

  const std::string geometry = Output("xdotool getwindowgeometry " + window);
  std::smatch match;
  ASSERT_TRUE(std::regex_search(geometry, match, std::regex(R"(Position: (\d+),(\d+))")))
      << geometry;
  const int x = std::stoi(match[1]);
  const int y = std::stoi(match[2]);
  ASSERT_TRUE(std::regex_search(geometry, match, std::regex(R"(Geometry: (\d+)x(\d+))")));
  EXPECT_EQ(std::stoi(match[1]), 387);
  EXPECT_EQ(std::stoi(match[2]), 239);

  struct Pixel {
    const char* what;
    int x, y;
    QColor colour;
  };
  const Pixel pixels[] = {
      {"sky panel (money green)", 7 + 20, 23 + 40, QColor(192, 220, 192)},
      {"NMEA panel (sky blue)", 200 + 4, 22 + 96, QColor(166, 202, 240)},
      {"information panel (silver)", 200 + 48, 158 + 60, QColor(192, 192, 192)},
  };
  const fs::path shot =
      fs::temp_directory_path() / ("sattrail-smoke-" + std::to_string(::getpid()) + ".png");
  // The first frames may still be on their way: look again until they have arrived.
  bool allMatch = false;
  QImage image;
  const auto paintDeadline = Clock::now() + std::chrono::seconds(10);
  while (!allMatch && Clock::now() < paintDeadline) {
    Output("import -window root " + shot.string());
    image = QImage(QString::fromStdString(shot.string()));
    allMatch = !image.isNull();
    for (const Pixel& pixel : pixels) {
      allMatch = allMatch && image.pixelColor(x + pixel.x, y + pixel.y).rgb() == pixel.colour.rgb();
    }
    if (!allMatch) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_FALSE(image.isNull()) << "no screenshot";
  for (const Pixel& pixel : pixels) {
    SCOPED_TRACE(pixel.what);
    EXPECT_EQ(image.pixelColor(x + pixel.x, y + pixel.y).name().toStdString(),
              pixel.colour.name().toStdString());
  }
  std::error_code ignored;
  fs::remove(shot, ignored);
}

}  // namespace
