// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The simulated receiver as a child process for end-to-end tests: a private port-link
// folder, sattrail-sim started on COM1 of it with its control lines on a pipe and its log
// in a file, and waits that poll a condition up to a generous bound.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace sattrail::e2e {

namespace fs = std::filesystem;

// Polls the condition every 20 ms until it holds or the bound passes; returns the condition.
inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// A fresh folder under the temporary directory, removed with everything in it at the end.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& stem) {
    std::string pattern = (fs::temp_directory_path() / (stem + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// sattrail-sim on COM1 of the given port-link folder. Its standard input is a pipe for the
// control lines, its standard error a log file that tests read to see what it did.
class SimulatedReceiver {
 public:
  SimulatedReceiver(const fs::path& portFolder, const std::vector<std::string>& options)
      : link_(portFolder / "COM1"),
        log_(portFolder.parent_path() / (portFolder.filename().string() + ".log")) {
    int control[2];
    if (::pipe(control) != 0) return;
    ::fcntl(control[1], F_SETFD, FD_CLOEXEC);
    std::vector<std::string> arguments{std::string(SATTRAIL_BIN_DIR) + "/sattrail-sim", "--port",
                                       "1"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    // The child finds the folder through the environment, as the monitor does.
    ::setenv("SATTRAIL_PORT_DIR", portFolder.c_str(), 1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, control[0], 0);
    posix_spawn_file_actions_addclose(&actions, control[0]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(control[0]);
    control_ = control[1];
  }
  ~SimulatedReceiver() {
    if (control_ >= 0) ::close(control_);
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      const bool ended = WaitFor([this] { return ::waitpid(pid_, nullptr, WNOHANG) == pid_; },
                                 std::chrono::seconds(5));
      if (!ended) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
      }
    }
    std::error_code ignored;
    fs::remove(log_, ignored);
  }
  SimulatedReceiver(const SimulatedReceiver&) = delete;
  SimulatedReceiver& operator=(const SimulatedReceiver&) = delete;

  pid_t Pid() const { return pid_; }
  // kill -9: it gets no chance to close its terminal in order or to remove its link.
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  bool Running() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }
  // Its link COMn exists (the simulator is plugged in).
  bool Linked() const {
    std::error_code ignored;
    return fs::is_symlink(link_, ignored);
  }
  // One control line ("fault badsum on", "hot", ...).
  bool Control(const std::string& line) {
    const std::string text = line + "\n";
    return control_ >= 0 &&
           ::write(control_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }
  // What it has said on standard error so far.
  std::string Log() const {
    std::ifstream file(log_);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  // How often the log holds the text.
  int LogCount(const std::string& text) const {
    const std::string log = Log();
    int count = 0;
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
      ++count;
    return count;
  }

 private:
  fs::path link_;
  fs::path log_;
  pid_t pid_ = -1;
  int control_ = -1;
};

}  // namespace sattrail::e2e
