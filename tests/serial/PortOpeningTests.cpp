// SPDX-License-Identifier: BSD-2-Clause
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ControlNames.h"
#include "platform/Exception.h"
#include "platform/PtyTestSupport.h"
#include "platform/linux/LinuxSerialPorts.h"
#include "serial/PortOpening.h"
#include "serial/ReceivePoll.h"
#include "serial/SerialTestRig.h"

namespace sattrail {
namespace {

using testing::FakeDevice;
using testing::FakeSerialPorts;
using testing::PortLinkFolderForTest;
using testing::PseudoTerminal;
using testing::SerialRig;

struct Box {
  std::string text;
  std::string caption;
};

std::vector<Box> Boxes(const testing::FakeMessageBox& messages) {
  std::vector<Box> boxes;
  for (const auto& shown : messages.shown) {
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    boxes.push_back({shown.text, shown.caption});
  }
  return boxes;
}

bool operator==(const Box& a, const Box& b) {
  return a.text == b.text && a.caption == b.caption;
}

void ExpectClosed(SerialRig& rig) {
  EXPECT_EQ(rig.window.Text(control::ButOpenGps), "On");
  EXPECT_FALSE(rig.timer1.Enabled());
  EXPECT_FALSE(rig.timer2.Enabled());
  EXPECT_EQ(rig.run.PortHandle, nullptr);
}

void ExpectOpen(SerialRig& rig) {
  EXPECT_EQ(rig.window.Text(control::ButOpenGps), "OFF");
  EXPECT_TRUE(rig.timer1.Enabled());
  EXPECT_TRUE(rig.timer2.Enabled());
  EXPECT_NE(rig.run.PortHandle, nullptr);
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(DeviceNameForIndex, ChosenByIndexWithThePrefixFromTen) {
  const struct {
    int index;
    std::string name;
  } cases[] = {{-1, "COM1"},         {0, "COM1"},          {8, "COM9"},  {9, "\\\\.\\COM10"},
               {10, "\\\\.\\COM11"}, {29, "\\\\.\\COM30"}, {30, "COM1"}, {-7, "COM1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(DeviceNameForIndex(c.index), c.name);
  }
  EXPECT_EQ(std::string(DeviceNameForIndex(9)).size(), 9u);  // four prefix characters + COM10
}

TEST(SpeedForIndex, ListOrderElse4800) {
  const std::pair<int, std::uint32_t> cases[] = {{-1, 4800}, {0, 4800},   {1, 9600},
                                                 {2, 14400}, {3, 19200},  {4, 38400},
                                                 {5, 57600}, {6, 115200}, {7, 4800}};
  for (const auto& [index, speed] : cases) {
    SCOPED_TRACE(index);
    EXPECT_EQ(SpeedForIndex(index), speed);
  }
}

// The real device over pseudo-terminals linked as COM ports.
class PtyOpeningTest : public ::testing::Test {
 protected:
  PortLinkFolderForTest folder;
  LinuxSerialPorts ports;
  SerialRig rig{ports};
};

TEST_F(PtyOpeningTest, NoSelectionOpensCom1At4800EightNoneOne) {
  PseudoTerminal com1;
  folder.Link(1, com1.SlavePath());
  rig.window.SetText(control::ComboBox1, "38400");  // the shown text never decides
  rig.window.SetText(control::ComboBox2, "COM7");
  ButOpenGpsClick(rig.link);
  ExpectOpen(rig);
  const PseudoTerminal::LineSettings line = com1.Settings();
  EXPECT_EQ(line.speed, 4800u);
  EXPECT_EQ(line.dataBits, 8);
  EXPECT_FALSE(line.parity);
  EXPECT_FALSE(line.twoStopBits);
  EXPECT_FALSE(line.rtsCts);
  EXPECT_FALSE(line.xonOut);
  EXPECT_FALSE(line.xonIn);
  EXPECT_TRUE(line.raw);
  // Read back after the open.
  EXPECT_EQ(rig.run.DeviceControl.BaudRate, 4800u);
  EXPECT_EQ(rig.run.DeviceControl.ByteSize, 8);
}

TEST_F(PtyOpeningTest, PortChosenByIndexOpensThatDevice) {
  for (int number : {9, 10, 11, 30}) {
    SCOPED_TRACE(number);
    PortLinkFolderForTest own;
    PseudoTerminal target;
    PseudoTerminal decoy;
    own.Link(number, target.SlavePath());
    own.Link(1, decoy.SlavePath());
    SerialRig fresh(ports);
    fresh.window.SetItemIndex(control::ComboBox2, number - 1);
    ButOpenGpsClick(fresh.link);
    ExpectOpen(fresh);
    ASSERT_NE(fresh.run.PortHandle, nullptr);
    const std::uint8_t probe[] = {'@', 'X'};
    fresh.run.PortHandle->Write(probe, 2);
    EXPECT_EQ(target.Receive(2), "@X");
    EXPECT_EQ(decoy.Receive(1, 50), "");
  }
}

TEST_F(PtyOpeningTest, EverySpeedIsReadBackFromTheDevice) {
  PseudoTerminal com1;
  folder.Link(1, com1.SlavePath());
  const std::uint32_t speeds[] = {4800, 9600, 14400, 19200, 38400, 57600, 115200};
  for (int index = 0; index < 7; ++index) {
    SCOPED_TRACE(speeds[index]);
    rig.window.SetItemIndex(control::ComboBox1, index);
    ButOpenGpsClick(rig.link);
    ExpectOpen(rig);
    EXPECT_EQ(com1.Settings().speed, speeds[index]);
    EXPECT_EQ(rig.run.DeviceControl.BaudRate, speeds[index]);
    ButOpenGpsClick(rig.link);
    ExpectClosed(rig);
  }
}

TEST_F(PtyOpeningTest, MissingPortShowsBothBoxesAndEndsClosed) {
  // COM30: no link, and no machine running the tests has thirty serial devices.
  rig.window.SetItemIndex(control::ComboBox2, 29);
  ButOpenGpsClick(rig.link);
  const std::vector<Box> expected = {{"Open Com Port ERROR", "error"}, {"OPEN COM ERROR", "error"}};
  ASSERT_EQ(Boxes(rig.messages).size(), 2u);
  EXPECT_TRUE(Boxes(rig.messages) == expected);
  EXPECT_NE(rig.messages.shown[0].informative.find("COM30"), std::string::npos)
      << rig.messages.shown[0].informative;
  // Why and what to do stand on the first box; the second only ends the attempt.
  EXPECT_EQ(rig.messages.shown[1].informative, "");
  ExpectClosed(rig);
  EXPECT_EQ(rig.timer1.starts, 0);
  EXPECT_EQ(rig.timer2.starts, 0);
}

TEST_F(PtyOpeningTest, PortHeldByAnotherProgramShowsBothBoxes) {
  PseudoTerminal com1;
  folder.Link(1, com1.SlavePath());
  int ready[2];
  int release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = open(com1.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    const char ok = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
    (void)!write(ready[1], &ok, 1);
    char done;
    (void)!read(release[0], &done, 1);
    _exit(0);
  }
  char ok = 'n';
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');

  ButOpenGpsClick(rig.link);
  const std::vector<Box> expected = {{"Open Com Port ERROR", "error"}, {"OPEN COM ERROR", "error"}};
  EXPECT_TRUE(Boxes(rig.messages) == expected);
  ASSERT_FALSE(rig.messages.shown.empty());
  EXPECT_NE(rig.messages.shown[0].informative.find("in use by another program"), std::string::npos)
      << rig.messages.shown[0].informative;
  ExpectClosed(rig);

  (void)!write(release[1], "x", 1);
  int status = 0;
  waitpid(child, &status, 0);
  for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);

  // Released: one click now opens it.
  rig.messages.shown.clear();
  ButOpenGpsClick(rig.link);
  ExpectOpen(rig);
}

TEST_F(PtyOpeningTest, ReopenAppliesTheSettingsReadBackAtTheLastPoll) {
  PseudoTerminal com1;
  folder.Link(1, com1.SlavePath());
  rig.window.SetItemIndex(control::ComboBox1, 1);
  ButOpenGpsClick(rig.link);
  ExpectOpen(rig);

  // Someone turns on flow control and two stop bits; the next poll reads it into the record.
  PseudoTerminal::LineSettings changed = com1.Settings();
  changed.xonOut = changed.xonIn = changed.rtsCts = changed.twoStopBits = true;
  com1.SetSettings(changed);
  PollComPort(rig.link);
  EXPECT_TRUE(rig.run.DeviceControl.fOutX);
  EXPECT_TRUE(rig.run.DeviceControl.fOutxCtsFlow);
  EXPECT_EQ(rig.run.DeviceControl.StopBits, 2);

  ButOpenGpsClick(rig.link);
  ExpectClosed(rig);
  // The line is set back before the next open, so only the record can bring flow control back.
  PseudoTerminal::LineSettings plain = changed;
  plain.xonOut = plain.xonIn = plain.rtsCts = plain.twoStopBits = false;
  plain.speed = 4800;
  com1.SetSettings(plain);

  rig.window.SetItemIndex(control::ComboBox1, 3);
  ButOpenGpsClick(rig.link);
  ExpectOpen(rig);
  const PseudoTerminal::LineSettings line = com1.Settings();
  EXPECT_EQ(line.speed, 19200u);
  EXPECT_TRUE(line.xonOut);
  EXPECT_TRUE(line.xonIn);
  EXPECT_TRUE(line.rtsCts);
  EXPECT_FALSE(line.twoStopBits);  // StopBits is one of the four fields written before an open
}

// The fake device, for the sequences themselves.
class OpeningTest : public ::testing::Test {
 protected:
  FakeSerialPorts ports;
  SerialRig rig{ports};
  std::shared_ptr<FakeDevice> com1 = ports.Add("COM1");
};

TEST_F(OpeningTest, FirstOpenAppliesTheZeroRecordWithTheFourFields) {
  rig.window.SetItemIndex(control::ComboBox1, 4);
  com1->current.fOutX = true;  // what the device will report once configured
  ButOpenGpsClick(rig.link);
  ExpectOpen(rig);
  DeviceControlBlock expected;
  expected.BaudRate = 38400;
  expected.ByteSize = 8;
  EXPECT_EQ(com1->applied, expected);
  EXPECT_EQ(com1->purges, std::vector<unsigned>{15});
}

TEST_F(OpeningTest, CloseStopsBothTimersBeforeTheDeviceCloses) {
  struct WatchingTimer : testing::FakeTimer {
    WatchingTimer(int interval, FakeDevice& device) : FakeTimer(interval), device(device) {}
    void SetEnabled(bool enabled) override {
      if (!enabled) deviceOpenWhenStopped = device.open;
      FakeTimer::SetEnabled(enabled);
    }
    FakeDevice& device;
    bool deviceOpenWhenStopped = false;
  };
  WatchingTimer timer1(100, *com1);
  WatchingTimer timer2(1000, *com1);
  SerialLink link{rig.run, rig.window, timer1, timer2, rig.messages, ports, rig.files};
  ButOpenGpsClick(link);
  ASSERT_TRUE(com1->open);
  ButOpenGpsClick(link);
  EXPECT_TRUE(timer1.deviceOpenWhenStopped);
  EXPECT_TRUE(timer2.deviceOpenWhenStopped);
  EXPECT_FALSE(com1->open);
  EXPECT_FALSE(rig.window.AutoScroll());
  ExpectClosed(rig);
}

TEST_F(OpeningTest, CloseLeavesStreamStateAlone) {
  ButOpenGpsClick(rig.link);
  rig.run.SilenceCount = 9;
  rig.run.LineBuffer = "$GPGGA,12";
  rig.window.SetText(control::OutTextBox, "line\r\n");
  ButOpenGpsClick(rig.link);
  EXPECT_EQ(rig.run.SilenceCount, 9);
  EXPECT_EQ(rig.run.LineBuffer, "$GPGGA,12");
  EXPECT_EQ(rig.window.Text(control::OutTextBox), "line\r\n");
}

TEST_F(OpeningTest, CloseComPortKeepsTheCaption) {
  ButOpenGpsClick(rig.link);
  CloseComPort(rig.link);
  EXPECT_EQ(rig.window.Text(control::ButOpenGps), "OFF");
  EXPECT_FALSE(rig.timer1.Enabled());
  EXPECT_FALSE(rig.timer2.Enabled());
  EXPECT_FALSE(com1->open);
  ButOpenGpsClick(rig.link);  // the next click only closes
  ExpectClosed(rig);
}

TEST_F(OpeningTest, RejectedSettingsCloseTheDeviceBeforeTheBoxes) {
  com1->failApply = true;
  bool openDuringBox = true;
  rig.messages.whileOpen = [&] { openDuringBox = com1->open; };
  ButOpenGpsClick(rig.link);
  const std::vector<Box> expected = {{"SET DEC ERROR", "error"}, {"OPEN COM ERROR", "error"}};
  EXPECT_TRUE(Boxes(rig.messages) == expected);
  ASSERT_EQ(rig.messages.shown.size(), 2u);
  EXPECT_EQ(rig.messages.shown[0].informative,
            "Device: COM1\nReason: fake failure\nThe device refused 4800 bit/s, 8 data bits, no "
            "parity, one stop bit; choose another speed.");
  EXPECT_EQ(rig.messages.shown[1].informative, "");
  EXPECT_FALSE(openDuringBox);
  ExpectClosed(rig);
}

TEST_F(OpeningTest, PurgeAndReadBackFailuresRaiseWithTheDeviceClosed) {
  const struct {
    bool FakeDevice::*failure;
    std::string message;
  } cases[] = {{&FakeDevice::failPurge, "PurgeComm failed."},
               {&FakeDevice::failReadSettings, "GetCommState failed."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    SerialRig fresh(ports);
    (*com1).*c.failure = true;
    try {
      ButOpenGpsClick(fresh.link);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
    EXPECT_FALSE(com1->open);
    EXPECT_TRUE(fresh.messages.shown.empty());
    ExpectClosed(fresh);
    (*com1).*c.failure = false;
  }
}

TEST_F(OpeningTest, ClickDuringAnErrorBoxEndsClosed) {
  rig.window.SetItemIndex(control::ComboBox2, 1);  // COM2: no such device
  rig.messages.whileOpen = [&] {
    rig.messages.whileOpen = nullptr;
    ButOpenGpsClick(rig.link);  // finds "OFF": the close sequence runs at once
  };
  ButOpenGpsClick(rig.link);
  ASSERT_EQ(rig.messages.shown.size(), 2u);
  EXPECT_EQ(rig.messages.shown[0].text, "Open Com Port ERROR");
  EXPECT_EQ(rig.messages.shown[1].text, "OPEN COM ERROR");
  ExpectClosed(rig);
}

TEST_F(OpeningTest, ReopenedDuringAnErrorBoxStillEndsConsistent) {
  rig.window.SetItemIndex(control::ComboBox2, 1);  // COM2: no such device
  rig.messages.whileOpen = [&] {
    rig.messages.whileOpen = nullptr;
    ButOpenGpsClick(rig.link);  // close
    rig.window.SetItemIndex(control::ComboBox2, 0);
    ButOpenGpsClick(rig.link);  // open COM1, inside the first attempt's box
  };
  ButOpenGpsClick(rig.link);
  // The first attempt's result (no port) is stored last: caption, timers and port agree.
  ExpectClosed(rig);
  EXPECT_FALSE(com1->open);
}

}  // namespace
}  // namespace sattrail
