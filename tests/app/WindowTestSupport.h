// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/MainWindow.h"

namespace sattrail::testing {

// The one application object of a test program, created on first use.
inline Application& App() {
  static int argc = 1;
  static char name[] = "sattrail-window-tests";
  static char* argv[] = {name, nullptr};
  static Application* application = new Application(argc, argv);
  return *application;
}

// Processes events until the condition holds or a generous bound passes; returns the
// condition. The bound only keeps a broken test from hanging.
inline bool WaitUntil(const std::function<bool()>& condition, int boundMilliseconds = 10000) {
  QDeadlineTimer deadline(boundMilliseconds);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// Watches for message boxes while it lives: records each one that opens and answers it
// with the given button, unless it has closed meanwhile. `whileOpen` runs once per box,
// before the answer, inside the box's nested loop.
class BoxWatcher {
 public:
  struct Seen {
    std::string caption;
    std::string text;
    std::string informative;
    std::string details;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    bool hasParent;
    Qt::WindowModality modality;
  };

  explicit BoxWatcher(QMessageBox::StandardButton answer = QMessageBox::Ok) : answer_(answer) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
    poll_.start(5);
  }

  std::vector<Seen> seen;
  std::function<void()> whileOpen;

  static std::vector<QMessageBox*> OpenBoxes() {
    std::vector<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
        boxes.push_back(box);
      }
    }
    return boxes;
  }

 private:
  void look() {
    if (busy_) return;
    for (QMessageBox* box : OpenBoxes()) {
      if (box->property("answered").toBool()) continue;
      busy_ = true;
      box->setProperty("answered", true);
      seen.push_back({box->windowTitle().toStdString(), box->text().toStdString(),
                      box->informativeText().toStdString(), box->detailedText().toStdString(),
                      box->icon(), box->standardButtons(), box->parentWidget() != nullptr,
                      box->windowModality()});
      if (whileOpen) whileOpen();
      if (!box->isVisible()) {
        // gone without an answer
      } else if (QAbstractButton* button = box->button(answer_)) {
        button->click();
      } else {
        box->close();
      }
      busy_ = false;
    }
  }

  QMessageBox::StandardButton answer_;
  QTimer poll_;
  bool busy_ = false;
};

// Closes every open pop-up menu.
inline void ClosePopups() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMenu*>(widget) && widget->isVisible()) widget->close();
  }
}

// Sends a right click's context-menu request to `receiver` at `at` (receiver coordinates)
// and names the window's pop-up menu that opened, or gives an empty name when none did.
inline std::string MenuOpenedBy(MainWindow& window, QWidget* receiver, QPoint at) {
  ClosePopups();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, receiver->mapToGlobal(at));
  QApplication::sendEvent(receiver, &event);
  QApplication::processEvents();
  std::string opened;
  if (window.Menu(PopupMenu::PopupMenu1).isVisible()) opened = "PopupMenu1";
  if (window.Menu(PopupMenu::DbAndCheck).isVisible()) opened += "DbAndCheck";
  ClosePopups();
  QApplication::processEvents();
  return opened;
}

// A fresh run and a fresh main window, shown, for each test.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    window.show();
    WaitUntil([this] { return window.isVisible(); });
  }
  ~WindowTest() override { ClosePopups(); }

  Application& app = App();
  RunState run;
  MainWindow window{run};
};

// Where a right click on the control lands: the viewport of a scrolling control, else the
// control itself.
inline QWidget* ClickTarget(QWidget* control) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) return area->viewport();
  return control;
}

}  // namespace sattrail::testing
