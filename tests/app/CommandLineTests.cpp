// SPDX-License-Identifier: BSD-2-Clause
// The command lines of the three built programs: the same version from each, the monitor's
// help without a display, and its refusal of anything else, the window toolkit's own
// options included.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a built program with neither a display nor a toolkit platform in its environment.
ProgramRun RunProgram(const std::string& program, const std::string& arguments) {
  const fs::path folder =
      fs::path(::testing::TempDir()) / ("sattrail-command-line-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                              std::string(SATTRAIL_BIN_DIR) + "/" + program + "' " + arguments +
                              " >'" + (folder / "out").string() + "' 2>'" +
                              (folder / "err").string() + "' </dev/null";
  const int raw = std::system(command.c_str());
  ProgramRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(folder / "out");
  run.err = ReadFile(folder / "err");
  fs::remove_all(folder);
  return run;
}

TEST(CommandLine, VersionHelpAndRefusals) {
  struct Case {
    const char* program;
    const char* arguments;
    int status;
    const char* exactOut;          // the whole standard output, or null
    std::vector<std::string> has;  // texts the standard output holds
    int errLines;                  // lines on standard error
  };
  const Case cases[] = {
      {"sattrail", "--version", 0, "sattrail 1.4.0\n", {}, 0},
      {"sattrail-sim", "--version", 0, "sattrail-sim 1.4.0\n", {}, 0},
      {"sattrail-replay", "--version", 0, "sattrail-replay 1.4.0\n", {}, 0},
      {"sattrail",
       "--help",
       0,
       nullptr,
       {"Usage: sattrail", "--version", "NMEA 0183", "COMn", "SATTRAIL_PORT_DIR",
        "$XDG_RUNTIME_DIR/sattrail/ports", "/tmp/sattrail-<uid>/ports", "sattrail-sim",
        "--record FILE", "--append", "sattrail-replay FILE"},
       0},
      // --append adds to a recording, so it needs one; --record needs its file.
      {"sattrail", "--append", 2, "", {}, 1},
      {"sattrail", "--record", 2, "", {}, 1},
      {"sattrail", "--bogus", 2, "", {}, 1},
      {"sattrail", "COM1", 2, "", {}, 1},
      // The toolkit's own options are not taken from the command line.
      {"sattrail", "-platform offscreen", 2, "", {}, 1},
      {"sattrail", "-style Fusion", 2, "", {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.program) + " " + c.arguments);
    const ProgramRun run = RunProgram(c.program, c.arguments);
    EXPECT_EQ(run.status, c.status);
    if (c.exactOut != nullptr) {
      EXPECT_EQ(run.out, c.exactOut);
    }
    for (const std::string& text : c.has) {
      EXPECT_NE(run.out.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.errLines) << run.err;
    if (c.status == 2) {
      EXPECT_TRUE(run.err.starts_with("sattrail: ")) << run.err;
    }
  }
}

}  // namespace
