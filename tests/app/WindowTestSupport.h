// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <string>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "platform/ControlNames.h"
#include "support/BoxWatcher.h"
#include "support/WaitUntil.h"

namespace sattrail::testing {

// The one application object of a test program, created on first use.
inline Application& App() {
  static int argc = 1;
  static char name[] = "sattrail-window-tests";
  static char* argv[] = {name, nullptr};
  static Application* application = new Application(argc, argv);
  return *application;
}

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
  if (window.Menu(PopupMenu::PopupMenu1).isVisible()) opened = control::PopupMenu1;
  if (window.Menu(PopupMenu::DbAndCheck).isVisible()) opened += control::DbAndCheck;
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
