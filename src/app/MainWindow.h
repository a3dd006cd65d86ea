// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QMenu>
#include <map>

#include "form/Handler.h"
#include "form/Inventory.h"
#include "platform/linux/LinuxRecordFile.h"
#include "platform/linux/LinuxSerialPorts.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtTimer.h"
#include "platform/qt/QtWindow.h"
#include "serial/SerialLink.h"
#include "state/RunState.h"

namespace sattrail {

// Form3, the one main window: every control of the inventory by its component name, the
// two timers and the two pop-up menus, each event bound to its handler.
class MainWindow : public QtWindow {
  Q_OBJECT
 public:
  // Builds the window from its inventory and runs FormCreate; an exception of FormCreate is
  // shown in the default exception dialog and creation goes on.
  explicit MainWindow(RunState& run);

  // Runs a handler as its event does, but lets its exception reach the caller.
  void Run(Handler handler);

  QtTimer& Timer1() { return timer1_; }
  QtTimer& Timer2() { return timer2_; }
  QMenu& Menu(PopupMenu menu) {
    return menu == PopupMenu::PopupMenu1 ? *popupMenu1_ : *dbAndCheck_;
  }
  SerialLink& Link() { return link_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Closing the window ends the run, whatever box is open.
  void closeEvent(QCloseEvent* event) override;

 private:
  // The handler wrapped so that its exception reaches the default exception dialog.
  auto guarded(Handler handler);
  void build();
  void bind(const ControlSpec& entry, QWidget* control);
  void bindMenu(PopupMenu menu, QWidget* control);
  void bindEvent(const ControlSpec& entry, QWidget* control);
  QMenu* createMenu(PopupMenu menu);
  void refreshPortToolTips();

  QtTimer timer1_;
  QtTimer timer2_;
  QtMessageBox messages_;
  LinuxSerialPorts ports_;
  LinuxRecordFiles files_;
  SerialLink link_;  // borrows the run's state, which main owns
  QMenu* popupMenu1_ = nullptr;
  QMenu* dbAndCheck_ = nullptr;
  std::map<QObject*, Handler> focusHandlers_;
};

}  // namespace sattrail
