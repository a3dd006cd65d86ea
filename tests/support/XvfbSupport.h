// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// Helpers of the tests that run the real program on a virtual X server.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sattrail::testing {

using Clock = std::chrono::steady_clock;

// The program's path on PATH, if it is installed.
std::optional<std::filesystem::path> FindProgram(const std::string& name);

// A child process, ended when the object goes.
class Child {
 public:
  Child(const std::vector<std::string>& arguments, const posix_spawn_file_actions_t* actions);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  bool Started() const { return pid_ > 0; }
  bool Running() const;
  // Waits up to `bound` for the child to end; its exit status (128 plus the signal's number
  // when a signal ended it), or nothing while it still runs.
  std::optional<int> WaitForExit(Clock::duration bound);

 private:
  pid_t pid_ = -1;
};

// Runs a shell command and returns what it printed.
std::string Output(const std::string& command);

// Starts Xvfb on a display it chooses itself and returns the display's number.
std::optional<int> StartXvfb(std::optional<Child>& server);

long Milliseconds(Clock::duration span);

// Asks a window of the X display (":N") to close as a window manager's close button does: a
// WM_DELETE_WINDOW client message. (xdotool's windowclose destroys the window instead.)
// False when the display cannot be reached.
bool AskWindowToClose(const std::string& display, unsigned long window);

// A test of the real program on a virtual X server of its own, which DISPLAY names while the
// test runs; Qt is left to run there as on a desktop, unscaled. Skipped only where no Xvfb is
// installed; fails where a tool that drives the program is missing.
class XvfbTest : public ::testing::Test {
 protected:
  void SetUp() override;

  std::string display;  // ":N"

 private:
  std::optional<Child> server_;
};

}  // namespace sattrail::testing
