// SPDX-License-Identifier: BSD-2-Clause
// The built simulator on a real pseudo-terminal: its link, its stream, its answers, its hold
// on the port and its clean exits.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "sim_test_support.h"

extern char** environ;

namespace sattrail::sim {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::IsWholeSentence;

// sattrail-sim with its control lines on a pipe and, when log is given, its messages there.
class SimulatorProcess {
 public:
  SimulatorProcess(const fs::path& portDir, std::vector<std::string> args,
                   const fs::path& log = {}) {
    setenv("SATTRAIL_PORT_DIR", portDir.c_str(), 1);
    std::vector<std::string> argv = {std::string(SATTRAIL_BIN_DIR) + "/sattrail-sim", "--quiet"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    for (std::string& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    int control[2];
    if (pipe2(control, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, control[0], 0);
    if (!log.empty())
      posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0600);
    if (posix_spawn(&pid_, raw[0], &actions, nullptr, raw.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    unsetenv("SATTRAIL_PORT_DIR");
    close(control[0]);
    control_ = control[1];
  }
  ~SimulatorProcess() {
    EndInput();
    if (pid_ > 0) Kill();
  }
  pid_t pid() const { return pid_; }
  void Send(const std::string& text) {
    ASSERT_EQ(write(control_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }
  void EndInput() {
    if (control_ >= 0) close(control_);
    control_ = -1;
  }
  bool Running() const { return waitpid(pid_, nullptr, WNOHANG) == 0; }
  // Waits for the end and returns the exit status; one that does not end is killed after a
  // generous limit, which its status then shows.
  int Wait() {
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 800 && (ended = waitpid(pid_, &status, WNOHANG)) == 0; ++i)
      std::this_thread::sleep_for(25ms);
    if (ended == 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    return status;
  }
  // Sends the signal and returns the exit status.
  int Stop(int signal = SIGTERM) {
    kill(pid_, signal);
    return Wait();
  }
  // As the machine's owner would end a hung simulator: no chance to clean up.
  void Kill() { Stop(SIGKILL); }

 private:
  pid_t pid_ = -1;
  int control_ = -1;
};

// Waits (up to a generous limit, for slow sanitizer builds) until the link exists.
bool AwaitLink(const fs::path& link) {
  for (int i = 0; i < 200; ++i) {
    if (fs::exists(link)) return true;
    std::this_thread::sleep_for(25ms);
  }
  return false;
}

int OpenPort(const fs::path& link) {
  const int fd = open(link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd >= 0) {
    termios mode{};
    tcgetattr(fd, &mode);
    cfmakeraw(&mode);
    tcsetattr(fd, TCSANOW, &mode);
  }
  return fd;
}

std::string ReadFor(int fd, std::chrono::milliseconds span) {
  std::string data;
  const auto end = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) > 0 && (p.revents & POLLIN)) {
      char buffer[1024];
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n > 0) data.append(buffer, static_cast<std::size_t>(n));
    }
  }
  return data;
}

std::vector<std::string> CompleteLines(const std::string& data) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t lf = data.find('\n'); lf != std::string::npos; lf = data.find('\n', start)) {
    lines.push_back(data.substr(start, lf + 1 - start));
    start = lf + 1;
  }
  return lines;
}

// Whether a monitor opening the link gets the simulator's sentences within a few seconds.
bool Streams(const fs::path& link) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    const int fd = OpenPort(link);
    if (fd < 0) {
      std::this_thread::sleep_for(250ms);
      continue;
    }
    const std::vector<std::string> lines = CompleteLines(ReadFor(fd, 700ms));
    close(fd);
    // The first line may be cut where reading began.
    if (lines.size() >= 2 && IsWholeSentence(lines[1])) return true;
  }
  return false;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SimPty : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/sattrail-sim-pty-XXXXXX";
    dir_ = mkdtemp(name);
    signal(SIGPIPE, SIG_IGN);  // a control line to a simulator that already ended
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(SimPty, StreamsGoodLinesAndRemovesItsLinkOnSigterm) {
  SimulatorProcess sim(dir_, {"--port", "4", "--speed", "38400", "--start", "hot"});
  ASSERT_GT(sim.pid(), 0);
  const fs::path link = dir_ / "COM4";
  ASSERT_TRUE(AwaitLink(link));
  EXPECT_TRUE(fs::read_symlink(link).string().starts_with("/dev/pts/"));
  const int fd = OpenPort(link);
  ASSERT_GE(fd, 0);
  const std::vector<std::string> lines = CompleteLines(ReadFor(fd, 2200ms));
  close(fd);
  // The first line may be cut where reading began; every later one is whole and right.
  ASSERT_GE(lines.size(), 8u);
  int rmc = 0, gga = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    EXPECT_TRUE(IsWholeSentence(lines[i]));
    rmc += lines[i].starts_with("$GPRMC,");
    gga += lines[i].starts_with("$GPGGA,");
  }
  EXPECT_GE(rmc, 1);
  EXPECT_GE(gga, 1);

  const int status = sim.Stop();
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(fs::is_symlink(fs::symlink_status(link)));
}

TEST_F(SimPty, AnswersTheVersionQueryAndCanBeOpenedAgain) {
  SimulatorProcess sim(dir_, {"--speed", "9600"});
  ASSERT_GT(sim.pid(), 0);
  const fs::path link = dir_ / "COM1";
  ASSERT_TRUE(AwaitLink(link));
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    // After the first close the simulator swaps in a fresh terminal under the same name.
    std::this_thread::sleep_for(300ms);
    // On a loaded machine the swap may come late, and an open before it finds the terminal
    // being closed: that try is made again.
    bool version = false;
    for (int attempt = 0; attempt < 3 && !version; ++attempt) {
      ASSERT_TRUE(AwaitLink(link));
      const int fd = OpenPort(link);
      ASSERT_GE(fd, 0);
      // What the monitor's list writes for "GSV 1": the command, CR and two NUL bytes.
      const char query[] = "@GSV 1\r\0\0";
      ASSERT_EQ(write(fd, query, sizeof query - 1), 9);
      const std::vector<std::string> lines = CompleteLines(ReadFor(fd, 1500ms));
      close(fd);
      for (const std::string& line : lines)
        if (line.size() > 18 && line.substr(11, 7) == "Version") {
          version = true;
          EXPECT_FALSE(IsWholeSentence(line));
        }
      if (!version) std::this_thread::sleep_for(300ms);
    }
    EXPECT_TRUE(version);
  }
  EXPECT_EQ(WEXITSTATUS(sim.Stop()), 0);
}

TEST_F(SimPty, RefusesAPortThatIsTaken) {
  // A user's link to a device, with no lock beside it.
  fs::create_symlink("/dev/null", dir_ / "COM2");
  // A user's link that replaced the one of a simulator killed on the port.
  {
    SimulatorProcess killed(dir_, {"--port", "3"});
    ASSERT_TRUE(AwaitLink(dir_ / "COM3"));
  }
  fs::remove(dir_ / "COM3");
  fs::create_symlink("/dev/null", dir_ / "COM3");
  // A running simulator.
  SimulatorProcess owner(dir_, {"--port", "5"});
  ASSERT_TRUE(AwaitLink(dir_ / "COM5"));
  const fs::path ownTerminal = fs::read_symlink(dir_ / "COM5");

  for (const auto& [port, target] :
       {std::pair{"2", fs::path("/dev/null")}, {"3", "/dev/null"}, {"5", ownTerminal}}) {
    SCOPED_TRACE(port);
    const fs::path log = dir_ / "log";
    SimulatorProcess sim(dir_, {"--port", port}, log);
    ASSERT_GT(sim.pid(), 0);
    const int status = sim.Wait();
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const fs::path link = dir_ / (std::string("COM") + port);
    EXPECT_EQ(fs::read_symlink(link), target);
    EXPECT_NE(ReadText(log).find(link.string() + " already points at " + target.string()),
              std::string::npos)
        << ReadText(log);
  }
  EXPECT_TRUE(Streams(dir_ / "COM5")) << "the running simulator goes on";
}

// A simulator killed with SIGKILL leaves its link behind, and the next terminal often gets
// the same number, so the old link looks live. The next simulator on the port takes over.
TEST_F(SimPty, RestartsOnItsPortAfterAKill) {
  const fs::path link = dir_ / "COM6";
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    SimulatorProcess sim(dir_, {"--port", "6", "--speed", "38400"});
    ASSERT_GT(sim.pid(), 0);
    ASSERT_TRUE(AwaitLink(link));
    EXPECT_TRUE(Streams(link));
    EXPECT_TRUE(sim.Running());
    EXPECT_TRUE(fs::read_symlink(link).string().starts_with("/dev/pts/"));
    sim.Kill();
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link))) << "left behind";
  }
}

TEST_F(SimPty, EveryOrdinaryExitRemovesTheLink) {
  using End = void (*)(SimulatorProcess&);
  const std::vector<std::pair<const char*, End>> ends{
      {"quit", [](SimulatorProcess& sim) { sim.Send("quit\n"); }},
      {"quit at the end of input",
       [](SimulatorProcess& sim) {
         sim.Send("quit");
         sim.EndInput();
       }},
      {"SIGINT", [](SimulatorProcess& sim) { kill(sim.pid(), SIGINT); }},
      {"SIGTERM", [](SimulatorProcess& sim) { kill(sim.pid(), SIGTERM); }},
      {"SIGHUP", [](SimulatorProcess& sim) { kill(sim.pid(), SIGHUP); }}};
  const fs::path link = dir_ / "COM7";
  for (const auto& [name, end] : ends) {
    SCOPED_TRACE(name);
    SimulatorProcess sim(dir_, {"--port", "7"});
    ASSERT_TRUE(AwaitLink(link));
    end(sim);
    const int status = sim.Wait();
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(link)));
  }
}

}  // namespace
}  // namespace sattrail::sim
