// The built simulator on a real pseudo-terminal: its link, its stream, its answers and its
// clean exit.

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
#include <string>
#include <thread>

#include "sim_test_support.h"

extern char** environ;

namespace sattrail::sim {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::HasGoodChecksum;

class SimulatorProcess {
 public:
  explicit SimulatorProcess(const fs::path& portDir, std::vector<std::string> args) {
    setenv("SATTRAIL_PORT_DIR", portDir.c_str(), 1);
    std::vector<std::string> argv = {std::string(SATTRAIL_BIN_DIR) + "/sattrail-sim", "--quiet"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    for (std::string& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (posix_spawn(&pid_, raw[0], &actions, nullptr, raw.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    unsetenv("SATTRAIL_PORT_DIR");
  }
  ~SimulatorProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  pid_t pid() const { return pid_; }
  // Waits for the end and returns the exit status.
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }
  // Sends SIGTERM and returns the exit status.
  int Stop() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
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

class SimPty : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/sattrail-sim-pty-XXXXXX";
    dir_ = mkdtemp(name);
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
    EXPECT_TRUE(HasGoodChecksum(lines[i]));
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
    ASSERT_TRUE(AwaitLink(link));
    const int fd = OpenPort(link);
    ASSERT_GE(fd, 0);
    // What the monitor's list writes for "GSV 1": the command, CR and two NUL bytes.
    const char query[] = "@GSV 1\r\0\0";
    ASSERT_EQ(write(fd, query, sizeof query - 1), 9);
    const std::vector<std::string> lines = CompleteLines(ReadFor(fd, 1500ms));
    close(fd);
    bool version = false;
    for (const std::string& line : lines)
      if (line.size() > 18 && line.substr(11, 7) == "Version") {
        version = true;
        EXPECT_FALSE(HasGoodChecksum(line));
      }
    EXPECT_TRUE(version);
  }
  EXPECT_EQ(WEXITSTATUS(sim.Stop()), 0);
}

TEST_F(SimPty, RefusesAPortTakenByALiveLink) {
  fs::create_symlink("/dev/null", dir_ / "COM2");
  SimulatorProcess sim(dir_, {"--port", "2"});
  ASSERT_GT(sim.pid(), 0);
  const int status = sim.Wait();
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(fs::read_symlink(dir_ / "COM2"), "/dev/null");
}

}  // namespace
}  // namespace sattrail::sim
