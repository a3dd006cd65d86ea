// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include "platform/ControlNames.h"
#include "platform/PtyTestSupport.h"
#include "platform/linux/LinuxSerialPorts.h"
#include "serial/PortOpening.h"
#include "serial/ReceiverCommands.h"
#include "serial/SerialTestRig.h"

namespace sattrail {
namespace {

using testing::FakeSerialPorts;
using testing::PortLinkFolderForTest;
using testing::PseudoTerminal;
using testing::SerialRig;

std::string Bytes(std::initializer_list<int> values) {
  std::string text;
  for (int v : values) text += static_cast<char>(v);
  return text;
}

// The wire bytes of each command, written out from the command tables.
const std::string kHot = Bytes({0x40, 0x53, 0x52, 0x0D, 0x0A, 0x00, 0x00});
const std::string kWarm = Bytes({0x40, 0x53, 0x57, 0x0D, 0x0A, 0x00, 0x00});
const std::string kCold = Bytes({0x40, 0x43, 0x44, 0x0D, 0x00, 0x00});
const std::string kEnd = Bytes({0x0D, 0x00, 0x00});
const std::string kList[9] = {"@CB 1 4800" + kEnd,  "@CD" + kEnd,
                              "@CLR" + kEnd,        "@GS 99.0 99.0 99.0 99.0" + kEnd,
                              "@GSV 1" + kEnd,      "@NC 10111000" + kEnd,
                              "@PM N24E121" + kEnd, "@SR" + kEnd,
                              "@WLK ON" + kEnd};
const std::size_t kListCounts[9] = {13, 6, 7, 26, 9, 15, 14, 6, 10};

// Commands over a pseudo-terminal: what the receiver gets is read from its side.
class CommandTest : public ::testing::Test {
 protected:
  PortLinkFolderForTest folder;
  PseudoTerminal receiver;
  LinuxSerialPorts ports;
  SerialRig rig{ports};

  void SetUp() override {
    folder.Link(1, receiver.SlavePath());
    ButOpenGpsClick(rig.link);
    ASSERT_NE(rig.run.PortHandle, nullptr);
  }
  void MarkDisplay() { rig.window.SetText(control::EdTime, "12:00:00"); }
  bool DisplayWasReset() const { return rig.window.Text(control::EdTime) == "0"; }
};

TEST_F(CommandTest, StartButtonsWriteTheirExactBytesThenReset) {
  const std::pair<StartCommand, std::string> cases[] = {
      {StartCommand::Hot, kHot}, {StartCommand::Warm, kWarm}, {StartCommand::Cold, kCold}};
  for (const auto& [command, bytes] : cases) {
    SCOPED_TRACE(bytes.size());
    MarkDisplay();
    SendStartCommand(rig.link, command);
    EXPECT_EQ(receiver.Receive(bytes.size()), bytes);
    EXPECT_EQ(receiver.Receive(1, 50), "");  // nothing more
    EXPECT_TRUE(DisplayWasReset());
  }
}

TEST_F(CommandTest, ConfirmedListEntriesWriteTheirExactBytesThenReset) {
  for (int index = 0; index < 9; ++index) {
    SCOPED_TRACE(index);
    ASSERT_EQ(kList[index].size(), kListCounts[index]);
    rig.window.SetItemIndex(control::SetMsg, index);
    rig.messages.shown.clear();
    MarkDisplay();
    SetMsgChange(rig.link);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text, "OK To Send Command");
    // The caption is the command up to its first NUL: the text and its CR.
    EXPECT_EQ(rig.messages.shown[0].caption, kList[index].substr(0, kList[index].size() - 2));
    EXPECT_EQ(rig.messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(receiver.Receive(kList[index].size()), kList[index]);
    EXPECT_TRUE(DisplayWasReset());
  }
}

TEST_F(CommandTest, CancelWritesNothingAndResetsNothing) {
  rig.window.SetItemIndex(control::SetMsg, 3);
  rig.messages.answers.push_back(MessageResult::Cancel);
  MarkDisplay();
  SetMsgChange(rig.link);
  EXPECT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(receiver.Receive(1, 100), "");
  EXPECT_FALSE(DisplayWasReset());
}

TEST_F(CommandTest, NoEntrySelectedAsksNothing) {
  SetMsgChange(rig.link);  // ItemIndex -1
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_EQ(receiver.Receive(1, 50), "");
}

TEST_F(CommandTest, SendWritesTheTextWithCrLfOnly) {
  MarkDisplay();
  SendClick(rig.link);  // the initial "@GSV 1"
  EXPECT_EQ(receiver.Receive(8), "@GSV 1\r\n");
  rig.window.SetText(control::EdCommand, "");
  SendClick(rig.link);
  EXPECT_EQ(receiver.Receive(2), "\r\n");
  EXPECT_EQ(receiver.Receive(1, 50), "");
  EXPECT_FALSE(DisplayWasReset());
  EXPECT_EQ(rig.window.Text(control::EdCommand), "");
}

TEST_F(CommandTest, PortClosedWhileTheBoxIsOpenSendsNothingButResets) {
  rig.window.SetItemIndex(control::SetMsg, 0);
  rig.messages.whileOpen = [&] { ButOpenGpsClick(rig.link); };
  MarkDisplay();
  SetMsgChange(rig.link);
  EXPECT_EQ(rig.run.PortHandle, nullptr);
  EXPECT_EQ(receiver.Receive(1, 100), "");
  EXPECT_TRUE(DisplayWasReset());
}

TEST(CommandsWithoutPort, WriteNothingShowNothingButStillReset) {
  FakeSerialPorts ports;
  auto com1 = ports.Add("COM1");
  SerialRig rig(ports);
  const auto mark = [&] { rig.window.SetText(control::EdTime, "12:00:00"); };
  for (StartCommand command : {StartCommand::Hot, StartCommand::Warm, StartCommand::Cold}) {
    mark();
    SendStartCommand(rig.link, command);
    EXPECT_EQ(rig.window.Text(control::EdTime), "0");
  }
  for (int index = 0; index < 9; ++index) {
    rig.window.SetItemIndex(control::SetMsg, index);
    mark();
    SetMsgChange(rig.link);
    EXPECT_EQ(rig.window.Text(control::EdTime), "0");
  }
  mark();
  SendClick(rig.link);
  EXPECT_EQ(rig.window.Text(control::EdTime), "12:00:00");
  // Only the confirmations of the list; no error box.
  EXPECT_EQ(rig.messages.shown.size(), 9u);
  EXPECT_TRUE(com1->written.empty());
}

TEST(ReceiverCommandTable, OneWritePerCommand) {
  FakeSerialPorts ports;
  auto com1 = ports.Add("COM1");
  SerialRig rig(ports);
  ButOpenGpsClick(rig.link);
  SendStartCommand(rig.link, StartCommand::Cold);
  rig.window.SetItemIndex(control::SetMsg, 8);
  SetMsgChange(rig.link);
  SendClick(rig.link);
  EXPECT_EQ(com1->writeSizes, (std::vector<std::uint32_t>{6, 10, 8}));
  EXPECT_EQ(com1->Written(), kCold + kList[8] + "@GSV 1\r\n");
}

}  // namespace
}  // namespace sattrail
