#pragma once

// Helpers of the tests that run the real program on a virtual X server.
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

 private:
  pid_t pid_ = -1;
};

// Runs a shell command and returns what it printed.
std::string Output(const std::string& command);

// Starts Xvfb on a display it chooses itself and returns the display's number.
std::optional<int> StartXvfb(std::optional<Child>& server);

long Milliseconds(Clock::duration span);

}  // namespace sattrail::testing
