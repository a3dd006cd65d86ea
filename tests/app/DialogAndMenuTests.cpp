// SPDX-License-Identifier: BSD-2-Clause
// Which control opens which pop-up menu, the default exception dialog, the message box,
// the timers and the text conversion between the logic's 8-bit texts and the screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <stdexcept>

#include "WindowTestSupport.h"
#include "platform/ControlNames.h"
#include "platform/Exception.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtTimer.h"

namespace sattrail::testing {
namespace {

using MenuTest = WindowTest;

// A right click at a point of the full layout, where the inventory puts each control.
TEST_F(MenuTest, RightClickOpensTheMenuOfTheControlUnderThePointer) {
  struct Click {
    const char* what;
    int x, y;
    const char* menu;
  };
  const Click clicks[] = {
      {"Image2", 7 + 43 + 20, 23 + 10 + 30, "PopupMenu1"},
      {"OutTextBox", 200 + 8 + 5 + 20, 22 + 8 + 11 + 20, "PopupMenu1"},
      {"Image1", 0 + 14 + 30, 159 + 8 + 20, "DbAndCheck"},
      {"Edit8", 200 + 37 + 10, 158 + 20 + 10, "DbAndCheck"},
      {"Edit9", 200 + 110 + 10, 158 + 20 + 10, "DbAndCheck"},
      {"Label4", 200 + 55 + 5, 158 + 7 + 5, "DbAndCheck"},
      {"Label15", 200 + 97 + 5, 158 + 66 + 5, "DbAndCheck"},
      {"GroupBox4 free area", 200 + 48, 158 + 60, "DbAndCheck"},
      {"CheckBox1 (disabled)", 200 + 78 + 8, 158 + 41 + 8, "DbAndCheck"},
      {"CheckBox6 (disabled)", 200 + 122 + 8, 158 + 63 + 8, "DbAndCheck"},
      {"Label2", 200 + 10 + 5, 22 + 99 + 5, "DbAndCheck"},
      {"Edit6", 200 + 7 + 10, 22 + 112 + 10, "DbAndCheck"},
      {"Edit7", 200 + 100 + 10, 22 + 112 + 10, "DbAndCheck"},
      {"EdSpeed", 200 + 3 + 10, 158 + 20 + 10, ""},
      {"EdHeight", 200 + 4 + 10, 158 + 56 + 10, ""},
      {"ComboBox1", 7 + 4 + 10, 0 + 8 + 10, ""},
      {"ButOpenGps", 7 + 112 + 10, 0 + 8 + 10, ""},
      {"Label11", 7 + 154 + 10, 0 + 12 + 6, ""},
      {"BuHS", 199 + 2 + 10, 1 + 8 + 6, ""},
      {"SetMsg", 199 + 104 + 20, 1 + 8 + 10, ""},
      {"EdTime", 7 + 134 + 20, 23 + 117 + 10, ""},
      {"EdDate", 7 + 0 + 20, 23 + 115 + 10, ""},
      {"Label1 (over the plot)", 7 + 89 + 3, 23 + 7 + 5, ""},
      {"sky panel free area", 7 + 20, 23 + 40, ""},
      {"NMEA panel free area", 200 + 4, 22 + 96, ""},
      {"EdCommand", 200 + 8 + 20, 22 + 72 + 10, ""},
      {"Send", 200 + 136 + 10, 22 + 72 + 10, ""},
      {"signal panel frame", 0 + 4, 159 + 40, ""},
  };
  for (const Click& click : clicks) {
    SCOPED_TRACE(click.what);
    QWidget* receiver = window.childAt(click.x, click.y);
    ASSERT_NE(receiver, nullptr);
    EXPECT_EQ(MenuOpenedBy(window, receiver, receiver->mapFrom(&window, QPoint(click.x, click.y))),
              click.menu);
  }
}

TEST_F(MenuTest, MenusHoldTheirItemsInOrderAndTheItemsRunTheLayouts) {
  struct Item {
    PopupMenu menu;
    const char* name;
    const char* caption;
  };
  const std::vector<std::vector<std::pair<std::string, std::string>>> expected = {
      {{"N1", "Satellites"}, {"N2", "NMEA"}, {"ALL1", "ALL"}},
      {{"DV1", "Signal"}, {"N3", "Information"}, {"ALL2", "ALL"}}};
  const PopupMenu menus[] = {PopupMenu::PopupMenu1, PopupMenu::DbAndCheck};
  for (int m = 0; m < 2; ++m) {
    const QList<QAction*> actions = window.Menu(menus[m]).actions();
    ASSERT_EQ(actions.size(), 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(actions[i]->objectName().toStdString(), expected[m][i].first);
      EXPECT_EQ(actions[i]->text().toStdString(), expected[m][i].second);
    }
  }
  window.Menu(PopupMenu::PopupMenu1).actions()[1]->trigger();  // "NMEA"
  QApplication::processEvents();
  EXPECT_FALSE(window.Visible(control::GroupBox3));
  EXPECT_EQ(window.Width(), 193);
  window.Menu(PopupMenu::DbAndCheck).actions()[2]->trigger();  // "ALL"
  QApplication::processEvents();
  EXPECT_EQ(window.ClientSize(), QSize(387, 239));
}

TEST(ExceptionDialogText, FullStopRule) {
  struct Case {
    std::string message;
    std::string shown;
  };
  const Case cases[] = {
      {"PurgeComm failed.", "PurgeComm failed."},
      {"GetCommState failed", "GetCommState failed."},
      {"", ""},
      {"'4x' is not a valid integer value", "'4x' is not a valid integer value."},
      {"Port open!", "Port open!"},  // '!' lies below '.'
      {"minus -", "minus -"},        // '-' lies below '.'
      {"slash /", "slash /."},       // '/' lies above '.'
      {"digit 7", "digit 7."},
      {"blank ", "blank "},
      {"degree 24\xA2X", "degree 24\xA2X."},
      {"high byte \xE9", "high byte \xE9."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(ExceptionDialogText(c.message), c.shown);
  }
}

// An object whose events raise, as a handler would.
class Raiser : public QObject {
 public:
  std::function<void()> raise;
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) raise();
    return QObject::event(event);
  }
};

using ExceptionDialogTest = WindowTest;

TEST_F(ExceptionDialogTest, HandlerExceptionIsShownAndTheWindowStaysUsable) {
  // A time-to-fix tick over a box that holds no number raises a conversion error.
  run.FixModeText = "0";
  window.SetText(control::Ed3Dt, "abc");
  bool windowUsableWhileOpen = false;
  BoxWatcher watcher;
  watcher.whileOpen = [&] {
    window.Timer2().SetEnabled(false);
    windowUsableWhileOpen = window.isEnabled() && QApplication::activeModalWidget() == nullptr;
  };
  window.Timer2().SetInterval(1);
  window.Timer2().SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return !watcher.seen.empty(); }));
  const BoxWatcher::Seen& box = watcher.seen.front();
  EXPECT_EQ(box.caption, "Sattrail");
  EXPECT_EQ(box.text, "'abc' is not a valid integer value.");
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_FALSE(box.hasParent);
  EXPECT_TRUE(windowUsableWhileOpen);

  ASSERT_TRUE(WaitUntil([&] { return !app.DialogOpen(); }));
  window.SetText(control::Ed3Dt, "0");
  window.Menu(PopupMenu::PopupMenu1).actions()[0]->trigger();  // "Satellites"
  QApplication::processEvents();
  EXPECT_EQ(window.Width(), 193);
  window.Timer2().SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return window.Text(control::Ed3Dt) != "0"; }));
  window.Timer2().SetEnabled(false);
}

TEST_F(ExceptionDialogTest, MessageWithItsFullStopKeepsOneAndNonExceptionsShowEmpty) {
  BoxWatcher watcher;
  Raiser raiser;
  raiser.raise = [] { throw Exception("PurgeComm failed."); };
  QCoreApplication::postEvent(&raiser, new QEvent(QEvent::User));
  ASSERT_TRUE(WaitUntil([&] { return watcher.seen.size() == 1 && !app.DialogOpen(); }));
  EXPECT_EQ(watcher.seen[0].text, "PurgeComm failed.");
  EXPECT_EQ(watcher.seen[0].caption, "Sattrail");

  QTimer::singleShot(0, &window, Guarded([] { throw 42; }));
  ASSERT_TRUE(WaitUntil([&] { return watcher.seen.size() == 2 && !app.DialogOpen(); }));
  EXPECT_EQ(watcher.seen[1].text, "");

  QTimer::singleShot(0, &window, Guarded([] { throw std::runtime_error("plain error"); }));
  ASSERT_TRUE(WaitUntil([&] { return watcher.seen.size() == 3 && !app.DialogOpen(); }));
  EXPECT_EQ(watcher.seen[2].text, "plain error.");
}

TEST_F(ExceptionDialogTest, ExceptionsWhileTheDialogIsOpenAreDroppedNotStacked) {
  Raiser raiser;
  raiser.raise = [] { throw Exception("first"); };
  int boxesOpenAtOnce = 0;
  BoxWatcher watcher;
  watcher.whileOpen = [&] {
    raiser.raise = [] { throw Exception("second"); };
    QCoreApplication::postEvent(&raiser, new QEvent(QEvent::User));
    QTimer::singleShot(0, &window, Guarded([] { throw Exception("third"); }));
    QApplication::processEvents();
    QApplication::processEvents();
    boxesOpenAtOnce = static_cast<int>(BoxWatcher::OpenBoxes().size());
  };
  const int before = app.ExceptionsShown();
  QCoreApplication::postEvent(&raiser, new QEvent(QEvent::User));
  ASSERT_TRUE(WaitUntil([&] { return watcher.seen.size() == 1 && !app.DialogOpen(); }));
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EXPECT_EQ(boxesOpenAtOnce, 1);
  ASSERT_EQ(watcher.seen.size(), 1u);
  EXPECT_EQ(watcher.seen[0].text, "first.");
  EXPECT_EQ(app.ExceptionsShown(), before + 1);
}

TEST(QtMessageBoxTest, ShowsTextCaptionInformativeTextAndReturnsTheAnswer) {
  App();
  QtMessageBox messages;
  struct Case {
    MessageButtons buttons;
    QMessageBox::StandardButton answer;
    MessageResult result;
    QMessageBox::StandardButtons shown;
  };
  const Case cases[] = {
      {MessageButtons::OkCancel, QMessageBox::Ok, MessageResult::Ok,
       QMessageBox::Ok | QMessageBox::Cancel},
      {MessageButtons::OkCancel, QMessageBox::Cancel, MessageResult::Cancel,
       QMessageBox::Ok | QMessageBox::Cancel},
      {MessageButtons::Ok, QMessageBox::Ok, MessageResult::Ok, QMessageBox::Ok},
  };
  for (const Case& c : cases) {
    BoxWatcher watcher(c.answer);
    int ticksWhileOpen = 0;
    watcher.whileOpen = [&] {
      // Timers go on firing while the box waits.
      QTimer ticker;
      QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticksWhileOpen; });
      ticker.start(1);
      WaitUntil([&] { return ticksWhileOpen >= 3; });
    };
    const MessageResult result =
        messages.Show("OK To Send Command", "@CB 1 4800\r", c.buttons, "Device: /dev/null");
    EXPECT_EQ(result, c.result);
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].text, "OK To Send Command");
    EXPECT_EQ(watcher.seen[0].caption, "@CB 1 4800\r");
    // On the box's face; nothing is left behind "Show Details...".
    EXPECT_EQ(watcher.seen[0].informative, "Device: /dev/null");
    EXPECT_EQ(watcher.seen[0].details, "");
    EXPECT_EQ(watcher.seen[0].buttons, c.shown);
    EXPECT_FALSE(watcher.seen[0].hasParent);
    EXPECT_EQ(watcher.seen[0].modality, Qt::NonModal);
    EXPECT_GE(ticksWhileOpen, 3);
  }
  BoxWatcher watcher;
  messages.Show("24\xA2X", "error", MessageButtons::Ok);
  ASSERT_EQ(watcher.seen.size(), 1u);
  EXPECT_EQ(QString::fromStdString(watcher.seen[0].text), QString::fromUtf8("24\u00B0"));
  EXPECT_EQ(watcher.seen[0].details, "");
  EXPECT_EQ(watcher.seen[0].informative, "");
}

TEST(QtTimerTest, StartsDisabledAndFiresOnlyWhileEnabled) {
  App();
  QtTimer timer(250);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 250);
  int ticks = 0;
  QObject::connect(&timer.Qt(), &QTimer::timeout, [&] { ++ticks; });
  timer.SetInterval(1);
  EXPECT_EQ(timer.Interval(), 1);
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Enabled());
  ASSERT_TRUE(WaitUntil([&] { return ticks >= 2; }));
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Enabled());
  const int stopped = ticks;
  QApplication::processEvents();
  EXPECT_EQ(ticks, stopped);
}

TEST(TextConversion, LatinOneWithTheTwoByteDegreeSign) {
  EXPECT_EQ(ToQString("24\xA2X12'"), QString::fromUtf8("24\u00B012'"));
  EXPECT_EQ(FromQString(QString::fromUtf8("24\u00B012'")), "24\xA2X12'");
  // 0xA2 not followed by 0x58 is Latin-1's cent sign.
  EXPECT_EQ(ToQString("\xA2Y"), QString::fromUtf8("\u00A2Y"));
  EXPECT_EQ(ToQString("end\xA2"), QString::fromUtf8("end\u00A2"));
  EXPECT_EQ(FromQString(QString::fromUtf8("\u20AC")), "?");
  for (int byte = 1; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    const std::string text(1, static_cast<char>(byte));
    const QString shown = ToQString(text);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.at(0).unicode(), byte);
    // Latin-1's own degree sign reads back as the program's two-byte one.
    EXPECT_EQ(FromQString(shown), byte == 0xB0 ? std::string("\xA2X") : text);
  }
}

TEST_F(MenuTest, CaptionAndEditTextsConvertBothWays) {
  window.SetCaption("[GPS \xA2X]");
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("[GPS \u00B0]"));
  EXPECT_EQ(window.Caption(), "[GPS \xA2X]");
  window.SetText(control::Edit8, "N24\xA2X58'");
  EXPECT_EQ(window.ControlAs<QLineEdit>(control::Edit8)->text(), QString::fromUtf8("N24\u00B058'"));
  EXPECT_EQ(window.Text(control::Edit8), "N24\xA2X58'");
  EXPECT_THROW(window.Text("NoSuchControl"), std::logic_error);
  EXPECT_THROW(window.Surface(control::EdTime), std::logic_error);
}

}  // namespace
}  // namespace sattrail::testing
