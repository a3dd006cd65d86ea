// SPDX-License-Identifier: BSD-2-Clause
#include "support/XvfbSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

// Xlib after the other headers, which its macros (Status, Bool, None) must not reach.
#include <X11/Xlib.h>

extern char** environ;

namespace sattrail::testing {

namespace fs = std::filesystem;

void XvfbTest::SetUp() {
  if (!FindProgram("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  ASSERT_TRUE(FindProgram("xdotool")) << "xdotool is needed (scripts/install-deps)";
  ASSERT_TRUE(FindProgram("import")) << "ImageMagick's import is needed (scripts/install-deps)";
  const std::optional<int> number = StartXvfb(server_);
  ASSERT_TRUE(number) << "Xvfb did not report a display";
  display = ":" + std::to_string(*number);
  ::setenv("DISPLAY", display.c_str(), 1);
  ::unsetenv("QT_QPA_PLATFORM");
  ::unsetenv("QT_SCALE_FACTOR");
}

std::optional<fs::path> FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const fs::path candidate = fs::path(folders.substr(start, end - start)) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

Child::Child(const std::vector<std::string>& arguments, const posix_spawn_file_actions_t* actions) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  if (posix_spawnp(&pid_, argv[0], actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
}

Child::~Child() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

bool Child::Running() const {
  return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0;
}

std::optional<int> Child::WaitForExit(Clock::duration bound) {
  const auto deadline = Clock::now() + bound;
  while (pid_ > 0) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;  // ended and reaped: nothing left to stop
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (Clock::now() > deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return std::nullopt;
}

// Runs a shell command and returns what it printed.
std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
    ::pclose(pipe);
  }
  return text;
}

// Starts Xvfb on a display it chooses itself and returns the display's number.
std::optional<int> StartXvfb(std::optional<Child>& server) {
  int fds[2];
  if (::pipe(fds) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  server.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen",
                                          "0", "800x600x24", "-nolisten", "tcp", "-noreset"},
                 &actions);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  std::string number;
  pollfd waiting{fds[0], POLLIN, 0};
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < deadline && number.find('\n') == std::string::npos) {
    if (::poll(&waiting, 1, 100) <= 0) continue;
    char buffer[16];
    const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    number.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fds[0]);
  if (number.empty() || !server->Started()) return std::nullopt;
  return std::stoi(number);
}

long Milliseconds(Clock::duration span) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(span).count());
}

bool AskWindowToClose(const std::string& display, unsigned long window) {
  Display* connection = XOpenDisplay(display.c_str());
  if (connection == nullptr) return false;
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window;
  message.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
  message.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(connection, window, False, NoEventMask, &message);
  XFlush(connection);
  XCloseDisplay(connection);
  return sent != 0;
}

}  // namespace sattrail::testing
