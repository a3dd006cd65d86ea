// SPDX-License-Identifier: BSD-2-Clause
// --record: what the polls read goes to the file byte for byte, every tenth poll and at OFF;
// which opens replace and which append; a write error stops the recording with one box while
// the monitor goes on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "serial/PortOpening.h"
#include "serial/ReceivePoll.h"
#include "serial/Recording.h"
#include "serial/SerialTestRig.h"

namespace sattrail {
namespace {

using Mode = RecordFiles::Mode;
using testing::FakeSerialPorts;
using testing::SerialRig;

const std::string kFile = "/home/user/session.nmea";

class RecordingTest : public ::testing::Test {
 protected:
  FakeSerialPorts ports;
  std::shared_ptr<testing::FakeDevice> com1 = ports.Add("COM1");
  SerialRig rig{ports};
  testing::FakeFileSystem& disk = *rig.files.system;

  void SetUp() override { rig.run.Recording.Path = kFile; }
  void Click() { ButOpenGpsClick(rig.link); }
  // One poll as the timer runs it, bringing these bytes.
  void Poll(const std::string& bytes = {}) {
    com1->Queue(bytes);
    Timer1Timer(rig.link);
  }
};

TEST_F(RecordingTest, EveryByteReadGoesToTheFileInOrderEveryTenthPollAndAtOff) {
  Click();
  ASSERT_NE(rig.run.PortHandle, nullptr);
  // A poll period at 115200 bit/s (more than four 256-byte pieces), a line cut short, NUL,
  // bytes above 127 and a lone CR: nothing is interpreted, added or dropped.
  std::string first;
  while (first.size() < 1152) first += "$GPGSV,3,1,11,08,75,303,44,07,66,172,51*76\r\n";
  const std::vector<std::string> polls = {first, std::string("$GPRMC,0302\0\xA2\x58\xff\r", 16), "",
                                          "9.0,A,2638.1726,N*26\r\n"};
  std::string sent;
  for (const std::string& bytes : polls) {
    Poll(bytes);
    sent += bytes;
  }
  for (int i = static_cast<int>(polls.size()); i < kPollsBetweenRecordingFlushes - 1; ++i) Poll();
  EXPECT_TRUE(disk.writes.empty()) << "written before the tenth poll";
  Poll();
  EXPECT_EQ(disk.contents, sent);
  EXPECT_EQ(disk.writes.size(), 1u);

  Poll("$GPGLL,2638.1727,N*4E\r\n");
  sent += "$GPGLL,2638.1727,N*4E\r\n";
  Click();  // OFF writes what is left and closes the file
  EXPECT_EQ(disk.contents, sent);
  EXPECT_EQ(disk.closes, 1);
  EXPECT_TRUE(rig.messages.shown.empty());
}

// Recording starts with the port: the run's first open replaces the file unless --append, and
// every later open of the run appends. A port that does not open records nothing.
TEST_F(RecordingTest, TheFirstOpenReplacesUnlessAppendAndLaterOpensAppend) {
  const struct {
    bool append;
    std::vector<Mode> modes;
  } cases[] = {{false, {Mode::Replace, Mode::Append}}, {true, {Mode::Append, Mode::Append}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.append);
    SerialRig fresh(ports);
    fresh.run.Recording.Path = kFile;
    fresh.run.Recording.Append = c.append;
    com1->failApply = true;  // "SET DEC ERROR": no port, no file
    ButOpenGpsClick(fresh.link);
    ButOpenGpsClick(fresh.link);
    com1->failApply = false;
    EXPECT_TRUE(fresh.files.system->opens.empty());
    for (int open = 0; open < 2; ++open) {
      ButOpenGpsClick(fresh.link);  // On
      ASSERT_NE(fresh.run.PortHandle, nullptr);
      ButOpenGpsClick(fresh.link);  // OFF
    }
    std::vector<Mode> modes;
    for (const auto& opened : fresh.files.system->opens) {
      EXPECT_EQ(opened.path, kFile);
      modes.push_back(opened.mode);
    }
    EXPECT_EQ(modes, c.modes);
  }
  SerialRig unrecorded(ports);
  ButOpenGpsClick(unrecorded.link);
  ASSERT_NE(unrecorded.run.PortHandle, nullptr);
  EXPECT_TRUE(unrecorded.files.system->opens.empty());
}

// Whether the folder is gone at On, the disk fills up while open or the close reports the
// failed write: one box names the file and the reason, nothing more is recorded this run and
// the port and the polls go on.
TEST_F(RecordingTest, AWriteErrorStopsTheRecordingWithOneBoxAndTheMonitorGoesOn) {
  enum class At { Open, Flush, Close };
  const struct {
    At at;
    const char* reason;
  } cases[] = {{At::Open, "No such file or directory"},
               {At::Flush, "No space left on device"},
               {At::Close, "Input/output error"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    SerialRig fresh(ports);
    testing::FakeFileSystem& files = *fresh.files.system;
    fresh.run.Recording.Path = kFile;
    if (c.at == At::Open) files.failOpen = c.reason;
    if (c.at == At::Flush) files.failWrite = c.reason;
    if (c.at == At::Close) files.failClose = c.reason;
    bool pollingWhileOpen = false;
    fresh.messages.whileOpen = [&] { pollingWhileOpen = fresh.timer1.Enabled(); };

    ButOpenGpsClick(fresh.link);
    ASSERT_NE(fresh.run.PortHandle, nullptr);
    for (int poll = 0; poll < 3 * kPollsBetweenRecordingFlushes; ++poll) {
      com1->Queue("$GPTXT,x*00\r\n");
      Timer1Timer(fresh.link);
    }
    ButOpenGpsClick(fresh.link);  // OFF
    ButOpenGpsClick(fresh.link);  // On: the recording does not start again
    ASSERT_NE(fresh.run.PortHandle, nullptr);
    com1->Queue("$GPTXT,y*00\r\n");
    Timer1Timer(fresh.link);
    ButOpenGpsClick(fresh.link);

    ASSERT_EQ(fresh.messages.shown.size(), 1u);
    const auto& box = fresh.messages.shown[0];
    EXPECT_EQ(box.text, "Recording stopped");
    EXPECT_EQ(box.caption, "error");
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_NE(box.informative.find("File: " + kFile + "\n"), std::string::npos) << box.informative;
    EXPECT_NE(box.informative.find("Reason: " + std::string(c.reason) + "\n"), std::string::npos)
        << box.informative;
    EXPECT_EQ(files.opens.size(), 1u);
    EXPECT_TRUE(fresh.run.Recording.Unwritten.empty());
    EXPECT_EQ(fresh.timer1.Enabled(), false);  // closed by the last OFF, not by the failure
    if (c.at == At::Flush) {
      EXPECT_TRUE(pollingWhileOpen) << "the box held up the polls";
    }
    if (c.at == At::Close) {
      // Everything up to the failure was written; the failure came with the close.
      EXPECT_EQ(files.contents.size(), 3u * kPollsBetweenRecordingFlushes * 13u);
    }
  }
}

}  // namespace
}  // namespace sattrail
