// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Options.h"
#include "PortLink.h"

namespace sattrail::sim {
namespace {

namespace fs = std::filesystem;

struct ParseRun {
  ParseOutcome outcome;
  std::string out, err;
};

ParseRun Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "sattrail-sim");
  std::ostringstream out, err;
  ParseRun run{ParseOptions(static_cast<int>(args.size()), args.data(), out, err), "", ""};
  run.out = out.str();
  run.err = err.str();
  return run;
}

TEST(SimOptions, Defaults) {
  const ParseRun run = Parse({});
  ASSERT_TRUE(run.outcome.options);
  const Options& o = *run.outcome.options;
  EXPECT_EQ(o.port, 1);
  EXPECT_EQ(o.speed, 4800);
  EXPECT_TRUE(o.capture.empty());
  EXPECT_TRUE(o.faults.empty());
  EXPECT_EQ(o.start, StartKind::Cold);
  EXPECT_NEAR(o.place.latitude, 47.38, 0.01);
  EXPECT_NEAR(o.place.longitude, 8.54, 0.01);
  EXPECT_EQ(o.faultSeconds, 5.0);
  EXPECT_EQ(o.reception.systems, std::vector<SatelliteSystem>{SatelliteSystem::Gps});
  EXPECT_FALSE(o.reception.dual);
}

TEST(SimOptions, EveryOptionIsRead) {
  const std::string capture = std::string(SATTRAIL_TEST_DATA) + "/mt3339.log";
  const ParseRun run =
      Parse({"--port", "3", "--speed", "38400", "--at", "-33.87,151.21", "--fault", "badsum=0.5",
             "--fault", "unplug", "--capture", capture.c_str(), "--loop", "--start", "hot",
             "--seed", "42", "--fault-seconds", "2.5"});
  ASSERT_TRUE(run.outcome.options) << run.err;
  const Options& o = *run.outcome.options;
  EXPECT_EQ(o.port, 3);
  EXPECT_EQ(o.speed, 38400);
  EXPECT_DOUBLE_EQ(o.place.latitude, -33.87);
  EXPECT_DOUBLE_EQ(o.place.longitude, 151.21);
  ASSERT_EQ(o.faults.size(), 2u);
  EXPECT_EQ(o.faults[0].fault, Fault::BadSum);
  EXPECT_DOUBLE_EQ(o.faults[0].rate, 0.5);
  EXPECT_EQ(o.faults[1].fault, Fault::Unplug);
  EXPECT_EQ(o.capture, capture);
  EXPECT_TRUE(o.loop);
  EXPECT_EQ(o.start, StartKind::Hot);
  EXPECT_EQ(o.seed, 42u);
  EXPECT_EQ(o.faultSeconds, 2.5);
}

TEST(SimOptions, SystemsEachOnceInTheOrderOfTheirIdsAndTheSecondSignal) {
  const ParseRun run = Parse({"--systems", "qzss,galileo,gps,galileo", "--dual"});
  ASSERT_TRUE(run.outcome.options) << run.err;
  EXPECT_EQ(run.outcome.options->reception.systems,
            (std::vector<SatelliteSystem>{SatelliteSystem::Gps, SatelliteSystem::Galileo,
                                          SatelliteSystem::Qzss}));
  EXPECT_TRUE(run.outcome.options->reception.dual);
}

TEST(SimOptions, HelpShowsTheUsage) {
  const ParseRun run = Parse({"--help"});
  EXPECT_FALSE(run.outcome.options);
  EXPECT_EQ(run.outcome.exitCode, 0);
  for (const char* word : {"--port", "--speed", "--at", "--capture", "--loop", "--fault", "badsum",
                           "unplug", "--systems", "beidou", "--dual"})
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

TEST(SimOptions, BadArgumentsExitWithTwoAndSayWhy) {
  const struct {
    std::vector<const char*> args;
    const char* mentions;
  } cases[] = {
      {{"--port", "0"}, "--port"},
      {{"--port", "31"}, "--port"},
      {{"--port", "x"}, "--port"},
      {{"--speed", "12"}, "--speed"},
      {{"--at", "91,0"}, "--at"},
      {{"--at", "47.4"}, "--at"},
      {{"--at", "47.4,8.5x"}, "--at"},
      {{"--fault", "gremlins"}, "gremlins"},
      {{"--fault", "badsum=7"}, "--fault"},
      {{"--capture", "/nonexistent/capture.log"}, "capture"},
      {{"--loop"}, "--loop"},
      {{"--start", "lukewarm"}, "--start"},
      {{"--frobnicate"}, "frobnicate"},
      {{"--fault-seconds", "0.5"}, "--fault-seconds"},
      {{"--fault-seconds", "2,5"}, "--fault-seconds"},  // "." whatever the locale
      {{"--systems", "gps,galilei"}, "galilei"},
      {{"--systems", "sbas"}, "sbas"},  // rides with GPS, not flown on its own
      {{"--systems", ""}, "--systems"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front());
    const ParseRun run = Parse(c.args);
    EXPECT_FALSE(run.outcome.options);
    EXPECT_EQ(run.outcome.exitCode, 2);
    EXPECT_NE(run.err.find(c.mentions), std::string::npos) << run.err;
  }
}

TEST(SimPortLink, FolderFromTheEnvironment) {
  using serial_linux::PortLinkFolder;
  EXPECT_EQ(PortLinkFolder("/x/ports", "/run/user/5", 5), fs::path("/x/ports"));
  EXPECT_EQ(PortLinkFolder("", "/run/user/5", 5), fs::path("/run/user/5/sattrail/ports"));
  EXPECT_EQ(PortLinkFolder(nullptr, "/run/user/5", 5), fs::path("/run/user/5/sattrail/ports"));
  EXPECT_EQ(PortLinkFolder(nullptr, nullptr, 1000), fs::path("/tmp/sattrail-1000/ports"));
  EXPECT_EQ(PortLinkFolder(nullptr, "", 7), fs::path("/tmp/sattrail-7/ports"));
  EXPECT_EQ(serial_linux::PortLinkPath("/x", 12), fs::path("/x/COM12"));
}

class TemporaryFolder {
 public:
  TemporaryFolder() {
    char name[] = "/tmp/sattrail-sim-test-XXXXXX";
    path_ = mkdtemp(name);
  }
  ~TemporaryFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(SimPortLink, PlacesReplacesAndRemovesItsLink) {
  TemporaryFolder folder;
  const fs::path link = folder.path() / "deep/ports/COM1";
  const std::string device = (folder.path() / "device").string();
  std::ofstream(device).put('x');
  std::string error;
  ASSERT_TRUE(PlacePortLink(link, device, false, &error)) << error;
  EXPECT_EQ(fs::read_symlink(link), device);
  for (const fs::path& made : {folder.path() / "deep", link.parent_path()}) {
    EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;  // others' links
  }

  // A live link of someone else stays, unless replacing is asked for.
  EXPECT_FALSE(PlacePortLink(link, "/dev/null", false, &error));
  EXPECT_NE(error.find("COM1"), std::string::npos);
  EXPECT_EQ(fs::read_symlink(link), device);

  // A dangling one, left by a simulator that was killed, is taken over.
  fs::remove(device);
  ASSERT_TRUE(PlacePortLink(link, "/dev/null", false, &error)) << error;
  EXPECT_EQ(fs::read_symlink(link), "/dev/null");

  RemovePortLink(link, "/dev/zero");  // not ours: stays
  EXPECT_TRUE(fs::is_symlink(link));
  RemovePortLink(link, "/dev/null");
  EXPECT_FALSE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(std::distance(fs::directory_iterator(link.parent_path()), fs::directory_iterator()), 0);
}

}  // namespace
}  // namespace sattrail::sim
