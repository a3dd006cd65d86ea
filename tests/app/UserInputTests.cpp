// SPDX-License-Identifier: BSD-2-Clause
// The real window driven by real key and mouse events, with COM1 a pseudo-terminal: what
// counts as a pick in a combo box (the index, the confirmation box, the speed the port opens
// at), and closing the window while a box is open.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <cstdint>
#include <string_view>

#include "WindowTestSupport.h"
#include "platform/ControlNames.h"
#include "platform/PtyTestSupport.h"
#include "platform/qt/QtControls.h"

namespace sattrail::testing {
namespace {

// A fresh window, shown and active, so that key events reach its focus widget.
class ActiveWindow {
 public:
  ActiveWindow() {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  Application& app = App();
  RunState run;
  MainWindow window{run};
};

void Click(QWidget* control) {
  QTest::mouseClick(control, Qt::LeftButton);
}

// Types the keys where the window system would deliver them: to the open list when there is
// one, else to the focus widget. "{down}", "{up}", "{home}", "{f4}" and "{return}" stand for
// keys, anything else is typed as text.
void Press(std::string_view keys) {
  static const std::pair<std::string_view, Qt::Key> kNamed[] = {{"{down}", Qt::Key_Down},
                                                                {"{up}", Qt::Key_Up},
                                                                {"{home}", Qt::Key_Home},
                                                                {"{f4}", Qt::Key_F4},
                                                                {"{return}", Qt::Key_Return}};
  while (!keys.empty()) {
    bool named = false;
    for (const auto& [name, key] : kNamed) {
      if (!keys.starts_with(name)) continue;
      QTest::keyClick(static_cast<QWidget*>(nullptr), key);
      keys.remove_prefix(name.size());
      named = true;
      break;
    }
    if (named) continue;
    QTest::keyClick(static_cast<QWidget*>(nullptr), keys.front());
    keys.remove_prefix(1);
  }
}

// Clicks entry `row` of the combo box's open list. The list ignores a release that comes
// within a double-click interval of its opening, as the release of the opening click.
void ClickListEntry(ComboControl& combo, int row) {
  QTest::qWait(QApplication::doubleClickInterval() + 100);
  QAbstractItemView* list = combo.view();
  ASSERT_TRUE(list->isVisible());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualRect(list->model()->index(row, 0)).center());
}

enum class Ending { None, Enter, Tab, ClickElsewhere, ListEntry };

TEST(ComboBoxPick, OnlyAChoiceInTheListOrAnArrowStepIsAPick) {
  PortLinkFolderForTest folder;
  PseudoTerminal receiver;
  folder.Link(1, receiver.SlavePath());
  struct Case {
    const char* combo;
    const char* keys;  // typed after a click into the text field and Ctrl+A
    Ending ending;
    int entry;            // the entry clicked in the open list, for Ending::ListEntry
    int itemIndex;        // after "On" was clicked
    const char* box;      // the text of the box that opened, "" for none
    std::uint32_t speed;  // the port's speed after "On"
  };
  const Case cases[] = {
      {"SetMsg", "SR", Ending::Enter, -1, -1, "", 4800},
      {"SetMsg", "SR", Ending::Tab, -1, -1, "", 4800},
      {"SetMsg", "SR", Ending::ClickElsewhere, -1, -1, "", 4800},
      {"ComboBox1", "9600", Ending::Tab, -1, -1, "", 4800},
      {"ComboBox1", "9600", Ending::Enter, -1, -1, "", 4800},
      // The click on "On" itself takes the focus from the field.
      {"ComboBox1", "19200", Ending::None, -1, -1, "", 4800},
      // COM2 has no link: opening it would fail, but COM1 opens.
      {"ComboBox2", "COM2", Ending::Enter, -1, -1, "", 4800},
      {"ComboBox1", "{down}{down}", Ending::None, -1, 1, "", 9600},
      {"ComboBox1", "{down}{down}{down}{down}{up}", Ending::Tab, -1, 2, "", 14400},
      {"ComboBox1", "{down}{down}1", Ending::Tab, -1, -1, "", 4800},
      // The open list highlights an entry of its own; Home goes to the first.
      {"ComboBox1", "{f4}{home}{down}{return}", Ending::None, -1, 1, "", 9600},
      {"ComboBox1", "{f4}", Ending::ListEntry, 4, 4, "", 38400},
      {"ComboBox1", "{f4}", Ending::ListEntry, 6, 6, "", 115200},
      {"SetMsg", "{down}", Ending::None, -1, 0, "OK To Send Command", 4800},
      {"SetMsg", "{f4}", Ending::ListEntry, 7, 7, "OK To Send Command", 4800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.combo) + " " + c.keys + " ending " +
                 std::to_string(static_cast<int>(c.ending)));
    ActiveWindow active;
    MainWindow& window = active.window;
    BoxWatcher boxes(QMessageBox::Cancel);
    auto* combo = window.ControlAs<ComboControl>(c.combo);
    Click(combo->lineEdit());
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_A, Qt::ControlModifier);
    Press(c.keys);
    switch (c.ending) {
      case Ending::None:
        break;
      case Ending::Enter:
        Press("{return}");
        break;
      case Ending::Tab:
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
        break;
      case Ending::ClickElsewhere:
        Click(window.Control(control::EdCommand));
        break;
      case Ending::ListEntry:
        ClickListEntry(*combo, c.entry);
        break;
    }
    Click(window.Control(control::ButOpenGps));
    ASSERT_NE(active.run.PortHandle, nullptr);
    EXPECT_EQ(window.ItemIndex(c.combo), c.itemIndex);
    EXPECT_EQ(boxes.seen.size(), std::string_view(c.box).empty() ? 0u : 1u);
    if (!boxes.seen.empty()) {
      EXPECT_EQ(boxes.seen[0].text, c.box);
    }
    EXPECT_EQ(receiver.Settings().speed, c.speed);
    Click(window.Control(control::ButOpenGps));
    EXPECT_EQ(active.run.PortHandle, nullptr);
    // Nothing was sent: every box was cancelled.
    EXPECT_EQ(receiver.Receive(1, 0), "");
  }
}

// Closing the window while a box is open ends the run: the box finishes as cancelled, the
// port is closed, nothing is written and no further box opens.
TEST(ClosingTheWindow, WithABoxOpenClosesThePortAndSendsNothing) {
  struct Case {
    const char* what;
    bool linked;             // COM1 leads to the pseudo-terminal, else to a folder
    const char* setMsgKeys;  // typed in SetMsg after "On"; "" for none
    bool badCounter;         // Ed3Dt holds no number: the time-to-fix tick raises
    const char* box;         // the one box that opens
  };
  const Case cases[] = {
      {"confirmation of a list command", true, "{down}", false, "OK To Send Command"},
      // The second box of a failed open, "OPEN COM ERROR", never opens.
      {"error box of a failed open", false, "", false, "Open Com Port ERROR"},
      {"default exception dialog", true, "", true, "'abc' is not a valid integer value."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PortLinkFolderForTest folder;
    PseudoTerminal receiver;
    folder.Link(1, c.linked ? receiver.SlavePath() : folder.Path());
    ActiveWindow active;
    MainWindow& window = active.window;
    BoxWatcher boxes(QMessageBox::Ok);
    bool boxGone = false;
    boxes.whileOpen = [&] {
      // As the window system delivers a click on the close button.
      QCloseEvent close;
      QApplication::sendEvent(window.windowHandle(), &close);
      boxGone = BoxWatcher::OpenBoxes().empty();
    };
    if (c.badCounter) {
      active.run.FixModeText = "0";  // no fix: the counter runs
      window.SetText(control::Ed3Dt, "abc");
    }
    Click(window.Control(control::ButOpenGps));
    if (*c.setMsgKeys != '\0') {
      Click(window.ControlAs<ComboControl>(control::SetMsg)->lineEdit());
      Press(c.setMsgKeys);
    }
    WaitUntil([&] { return !boxes.seen.empty(); }, std::chrono::milliseconds(3000));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, c.box);
    EXPECT_TRUE(boxGone);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(active.run.PortHandle, nullptr);
    EXPECT_FALSE(window.Timer1().Enabled());
    EXPECT_TRUE(BoxWatcher::OpenBoxes().empty());
    EXPECT_FALSE(active.app.DialogOpen());
    QApplication::processEvents();
    EXPECT_EQ(receiver.Receive(1, 300), "");
  }
}

}  // namespace
}  // namespace sattrail::testing
