// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "numbers/NumberConversion.h"
#include "platform/ControlNames.h"
#include "platform/PtyTestSupport.h"
#include "platform/linux/LinuxSerialPorts.h"
#include "serial/PortOpening.h"
#include "serial/ReceivePoll.h"
#include "serial/ReceiverCommands.h"
#include "serial/SerialTestRig.h"

namespace sattrail {
namespace {

using testing::FakeDevice;
using testing::FakeSerialPorts;
using testing::SerialRig;

// A real receiver's sentence: 70 characters, 72 with CR LF.
const std::string kRmc =
    "$GPRMC,202640.000,A,4404.1306,N,12118.8515,W,0.03,225.97,130415,,,D*73\r\n";

// Lines of a sentence type dispatch does not know, so nothing but assembly and the memo
// sees them: `count` bytes in all, the last line cut short.
std::string Traffic(std::size_t count) {
  std::string text;
  for (int i = 0; text.size() < count; ++i) text += "$GPTXT,line " + std::to_string(i) + "\r\n";
  text.resize(count);
  return text;
}

class PollTest : public ::testing::Test {
 protected:
  FakeSerialPorts ports;
  SerialRig rig{ports};
  std::shared_ptr<FakeDevice> com1 = ports.Add("COM1");

  void SetUp() override {
    ButOpenGpsClick(rig.link);
    ASSERT_NE(rig.run.PortHandle, nullptr);
    com1->readSizes.clear();
  }
  // The display reset writes "0" into EdTime; a marker shows whether it ran.
  void MarkDisplay() { rig.window.SetText(control::EdTime, "12:00:00"); }
  bool DisplayWasReset() const { return rig.window.Text(control::EdTime) == "0"; }
};

TEST_F(PollTest, Exactly256BytesAreReadInOnePiece) {
  const std::string bytes = Traffic(256);
  com1->Queue(bytes);
  PollComPort(rig.link);
  EXPECT_EQ(com1->readSizes, std::vector<std::uint32_t>{256});
  EXPECT_TRUE(com1->input.empty());
  EXPECT_TRUE(com1->purges.size() == 1);  // only the open's purge
  // Every byte went to assembly: the cut-short last line is what is being assembled.
  EXPECT_EQ(rig.run.LineBuffer, bytes.substr(bytes.rfind('\n') + 1));
}

TEST_F(PollTest, LargerQueuesAreDrainedInPiecesOf256) {
  const struct {
    std::size_t queued;
    std::vector<std::uint32_t> pieces;
  } cases[] = {
      {257, {256, 1}},
      {3000, {256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 184}},
      {4096, std::vector<std::uint32_t>(16, 256)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.queued);
    com1->readSizes.clear();
    rig.run.LineBuffer.clear();
    rig.run.RawLineCount = 0;
    rig.run.SilenceCount = 3;
    // A sentence across the first piece boundary (bytes 185 to 256) still arrives whole.
    std::string bytes = "$GPTXT," + std::string(176, 'x') + "\r\n" + kRmc;
    ASSERT_EQ(bytes.size(), 257u);
    bytes += Traffic(c.queued - bytes.size());
    com1->Queue(bytes);
    PollComPort(rig.link);
    EXPECT_EQ(com1->readSizes, c.pieces);
    EXPECT_TRUE(com1->input.empty());
    EXPECT_EQ(com1->purges.size(), 1u);  // nothing discarded
    EXPECT_EQ(rig.run.LineBuffer, bytes.substr(bytes.rfind('\n') + 1));
    EXPECT_TRUE(
        rig.window.Checked(control::CheckBox4));  // the RMC across the boundary was accepted
    EXPECT_EQ(rig.run.SilenceCount, 0);
    rig.window.SetChecked(control::CheckBox4, false);
  }
}

TEST_F(PollTest, AQueueBeyond4096IsReadUpToThatThenPurged) {
  rig.run.SilenceCount = 5;
  com1->Queue(Traffic(5000));
  PollComPort(rig.link);
  EXPECT_EQ(com1->readSizes, std::vector<std::uint32_t>(16, 256));
  ASSERT_EQ(com1->purges.size(), 2u);
  EXPECT_EQ(com1->purges.back(), 8u);
  EXPECT_TRUE(com1->input.empty());
  EXPECT_EQ(rig.run.SilenceCount, 5);  // bytes were handed on: not a silent poll
}

TEST_F(PollTest, MemoIsEmptiedOnlyBeyond1000CharactersBeforeTheRead) {
  // Ten lines of 100 characters, line ends included.
  std::string lines;
  for (int i = 0; i < 10; ++i) lines += std::string(98, static_cast<char>('a' + i)) + "\r\n";
  ASSERT_EQ(lines.size(), 1000u);

  rig.window.SetText(control::OutTextBox, lines);
  com1->Queue(kRmc);
  PollComPort(rig.link);
  // Kept; line assembly then trims its first line, as it does past 150, and appends the new one.
  EXPECT_EQ(rig.window.Text(control::OutTextBox), lines.substr(100) + kRmc);

  rig.window.SetText(control::OutTextBox, "z" + lines);
  com1->Queue(kRmc);
  PollComPort(rig.link);
  EXPECT_EQ(rig.window.Text(control::OutTextBox), kRmc);
}

TEST_F(PollTest, FifteenthSilentPollDiscardsThePartialLineAndResets) {
  com1->Queue("$GPGGA,0019");
  PollComPort(rig.link);
  MarkDisplay();
  for (int poll = 1; poll <= 14; ++poll) PollComPort(rig.link);
  EXPECT_EQ(rig.run.SilenceCount, 14);
  EXPECT_EQ(rig.run.LineBuffer, "$GPGGA,0019");
  EXPECT_EQ(rig.run.RawLineCount, 11);
  EXPECT_FALSE(DisplayWasReset());

  PollComPort(rig.link);
  EXPECT_EQ(rig.run.SilenceCount, 0);
  EXPECT_EQ(rig.run.LineBuffer, "");
  EXPECT_EQ(rig.run.RawLineCount, 0);
  EXPECT_TRUE(DisplayWasReset());
}

TEST_F(PollTest, SilenceAddsUpAcrossPollsBringingOnlyFragments) {
  MarkDisplay();
  for (int poll = 1; poll <= 14; ++poll) {
    PollComPort(rig.link);
    com1->Queue("$GP");  // every silent poll is followed by one with a fragment
    PollComPort(rig.link);
  }
  EXPECT_EQ(rig.run.SilenceCount, 14);
  EXPECT_FALSE(DisplayWasReset());
  PollComPort(rig.link);
  EXPECT_TRUE(DisplayWasReset());
  EXPECT_EQ(rig.run.LineBuffer, "");
}

TEST_F(PollTest, AcceptedSentenceRestartsTheCount) {
  for (int poll = 1; poll <= 14; ++poll) PollComPort(rig.link);
  // The end of the line comes first in a poll of its own; the count is 0 right after it.
  com1->Queue(kRmc.substr(0, 30));
  PollComPort(rig.link);
  EXPECT_EQ(rig.run.SilenceCount, 14);
  com1->Queue(kRmc.substr(30));
  PollComPort(rig.link);
  EXPECT_EQ(rig.run.SilenceCount, 0);
  MarkDisplay();
  for (int poll = 1; poll <= 14; ++poll) PollComPort(rig.link);
  EXPECT_FALSE(DisplayWasReset());
}

TEST_F(PollTest, CountCarriesOverAClose) {
  for (int poll = 1; poll <= 10; ++poll) PollComPort(rig.link);
  ButOpenGpsClick(rig.link);
  ButOpenGpsClick(rig.link);
  ASSERT_NE(rig.run.PortHandle, nullptr);
  EXPECT_EQ(rig.run.SilenceCount, 10);
  MarkDisplay();
  for (int poll = 1; poll <= 4; ++poll) PollComPort(rig.link);
  EXPECT_FALSE(DisplayWasReset());
  PollComPort(rig.link);
  EXPECT_TRUE(DisplayWasReset());
}

TEST_F(PollTest, NoPortCountsAsSilence) {
  ButOpenGpsClick(rig.link);
  ASSERT_EQ(rig.run.PortHandle, nullptr);
  PollComPort(rig.link);
  EXPECT_EQ(rig.run.SilenceCount, 1);
}

TEST_F(PollTest, FailedQueryAndReadAreSilentPolls) {
  com1->Queue(kRmc);
  com1->failQueueQuery = true;
  PollComPort(rig.link);
  EXPECT_EQ(rig.run.SilenceCount, 1);
  com1->failQueueQuery = false;
  com1->failRead = true;
  PollComPort(rig.link);
  EXPECT_EQ(rig.run.SilenceCount, 2);
  EXPECT_EQ(rig.run.LineBuffer, "");
}

TEST_F(PollTest, EveryPollReadsTheSettingsBack) {
  const int before = com1->settingsReads;
  com1->current.fInX = true;
  PollComPort(rig.link);
  EXPECT_EQ(com1->settingsReads, before + 1);
  EXPECT_TRUE(rig.run.DeviceControl.fInX);
  com1->failReadSettings = true;  // ignored
  com1->Queue(kRmc);
  PollComPort(rig.link);
  EXPECT_TRUE(rig.window.Checked(control::CheckBox4));
}

TEST_F(PollTest, MalformedFieldIsShownAndPollingGoesOn) {
  // A good checksum over a time that is not a number.
  const std::string bad =
      testing::WithChecksum("GPRMC,20x640.000,A,4404.1306,N,12118.8515,W,0.03,225.97,130415,,,D");
  com1->Queue(bad + kRmc);
  rig.timer1.SetEnabled(true);
  try {
    Timer1Timer(rig.link);
    ADD_FAILURE() << "no conversion error";
  } catch (const ConversionError& error) {
    EXPECT_EQ(std::string(error.what()), "'20x640.000' is not a valid floating point value");
  }
  EXPECT_TRUE(rig.timer1.Enabled());
  EXPECT_EQ(rig.timer1.Interval(), 100);
  EXPECT_TRUE(rig.window.Checked(control::CheckBox4));  // the good line after it was still handled
  EXPECT_EQ(rig.run.SilenceCount, 0);

  rig.window.SetChecked(control::CheckBox4, false);
  com1->Queue(kRmc);
  Timer1Timer(rig.link);
  EXPECT_TRUE(rig.window.Checked(control::CheckBox4));
}

TEST_F(PollTest, Timer1TimerSwitchesTheTimerOffAroundThePoll) {
  bool enabledDuringPoll = true;
  rig.window.onSetText = [&](std::string_view, std::string_view) {
    enabledDuringPoll = rig.timer1.Enabled();
  };
  rig.timer1.SetInterval(250);
  rig.timer1.SetEnabled(true);
  com1->Queue(kRmc);
  Timer1Timer(rig.link);
  EXPECT_FALSE(enabledDuringPoll);
  EXPECT_TRUE(rig.timer1.Enabled());
  EXPECT_EQ(rig.timer1.Interval(), 100);
}

// A device that says it has gone is let go of at once, the state staying "open", and tried
// again quietly every tenth poll (about once a second) until it is back or OFF is pressed.
TEST(PollVanishedFakeDevice, LetGoOfAtOnceAndTriedAgainEveryTenthPoll) {
  const struct {
    const char* name;
    bool returns;          // present again before the first try
    bool rejectsSettings;  // ... but refusing its settings
    bool offPressed;       // OFF right after it went
    std::size_t tries;     // reopen attempts in the 30 polls after it went
  } cases[] = {
      {"comes back", true, false, false, 1},
      {"comes back refusing its settings", true, true, false, 3},
      {"stays away", false, false, false, 3},
      {"OFF pressed", true, false, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSerialPorts ports;
    SerialRig rig(ports);
    std::shared_ptr<FakeDevice> com1 = ports.Add("COM1");
    rig.window.SetItemIndex(control::ComboBox1, 1);
    ButOpenGpsClick(rig.link);
    com1->current.fInX = true;  // read back into the record by the next poll
    com1->gone = true;
    Timer1Timer(rig.link);
    EXPECT_EQ(rig.run.PortHandle, nullptr);
    EXPECT_FALSE(com1->open);
    EXPECT_EQ(rig.window.Text(control::ButOpenGps), "OFF");
    EXPECT_TRUE(rig.timer1.Enabled());
    EXPECT_TRUE(rig.timer2.Enabled());
    SendClick(rig.link);
    EXPECT_TRUE(com1->written.empty());

    if (c.offPressed) ButOpenGpsClick(rig.link);
    com1->gone = !c.returns;
    com1->failApply = c.rejectsSettings;
    rig.window.SetText(control::EdTime, "12:00:00");
    for (int poll = 1; poll <= 9; ++poll) PollComPort(rig.link);
    EXPECT_TRUE(ports.reopened.empty());
    for (int poll = 10; poll <= 30; ++poll) PollComPort(rig.link);
    EXPECT_EQ(ports.reopened, std::vector<std::string>(c.tries, "COM1"));
    EXPECT_EQ(rig.window.Text(control::EdTime), "0");  // the silence rule went on meanwhile
    EXPECT_TRUE(rig.messages.shown.empty());

    const bool reading = c.returns && !c.rejectsSettings && !c.offPressed;
    com1->Queue(kRmc);
    PollComPort(rig.link);
    EXPECT_EQ(rig.window.Checked(control::CheckBox4), reading);
    if (reading) {
      // Set up as the open does, with the record as last read back: 9600, 8N1, XON/XOFF in.
      DeviceControlBlock expected;
      expected.BaudRate = 9600;
      expected.ByteSize = 8;
      expected.fInX = true;
      EXPECT_EQ(com1->applied, expected);
      EXPECT_EQ(com1->purges, (std::vector<unsigned>{15, 15}));
      EXPECT_EQ(rig.window.Text(control::ButOpenGps), "OFF");
    }
    if (c.offPressed) {
      ButOpenGpsClick(rig.link);  // a later "On" is an ordinary open
      EXPECT_NE(rig.run.PortHandle, nullptr);
      EXPECT_EQ(ports.opened, (std::vector<std::string>{"COM1", "COM1"}));
      EXPECT_TRUE(ports.reopened.empty());
    }
  }
}

// A receiver pulled out: the far side of the pseudo-terminal goes away.
TEST(PollVanishedDevice, SilentPollsResetTheDisplayAndOffClosesCleanly) {
  testing::PortLinkFolderForTest folder;
  testing::PseudoTerminal receiver;
  folder.Link(1, receiver.SlavePath());
  LinuxSerialPorts ports;
  SerialRig rig(ports);
  ButOpenGpsClick(rig.link);
  ASSERT_NE(rig.run.PortHandle, nullptr);

  receiver.Send(kRmc);
  for (int wait = 0; wait < 200 && !rig.window.Checked(control::CheckBox4); ++wait) {
    PollComPort(rig.link);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(rig.window.Checked(control::CheckBox4));
  ASSERT_EQ(rig.run.SilenceCount, 0);

  receiver.Send("$GPGGA,00");
  receiver.CloseMaster();
  rig.window.SetText(control::EdTime, "12:00:00");
  // The fragment may or may not be read before the hang-up: 15 silent polls within 16.
  for (int poll = 1; poll <= 16; ++poll) Timer1Timer(rig.link);
  EXPECT_EQ(rig.window.Text(control::EdTime), "0");
  EXPECT_EQ(rig.run.LineBuffer, "");
  EXPECT_TRUE(rig.timer1.Enabled());
  // The hang-up was noticed: the device is let go of, so commands have nothing to reach.
  EXPECT_EQ(rig.run.PortHandle, nullptr);
  EXPECT_EQ(rig.window.Text(control::ButOpenGps), "OFF");
  ButOpenGpsClick(rig.link);
  EXPECT_EQ(rig.window.Text(control::ButOpenGps), "On");
  EXPECT_EQ(rig.run.PortHandle, nullptr);
}

}  // namespace
}  // namespace sattrail
