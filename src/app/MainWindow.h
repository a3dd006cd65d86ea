// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QMenu>
#include <map>

#include "app/Inventory.h"
#include "platform/linux/LinuxRecordFile.h"
#include "platform/linux/LinuxSerialPorts.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtTimer.h"
#include "platform/qt/QtWindow.h"
#include "serial/SerialLink.h"
#include "state/RunState.h"

namespace sattrail {

// Form3, the one main window: every control of the inventory by its component name, the
// two timers, the two pop-up menus and the event handlers. Handlers ignore their sender.
class MainWindow : public QtWindow {
  Q_OBJECT
 public:
  // Builds the window from its inventory and runs FormCreate; an exception of FormCreate is
  // shown in the default exception dialog and creation goes on.
  explicit MainWindow(RunState& run);

  void FormCreate();
  void ButOpenGpsClick();
  void Timer1Timer();
  void Timer2Timer();
  void BuHSClick();
  void Com2BClick();
  void Button1Click();
  void SendClick();
  void SetMsgChange();
  void EdCommandEnter();
  void N1Click();
  void N2Click();
  void ALL1Click();
  void DV1Click();
  void N3Click();
  void ALL2Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void BitBtn5Click();
  void Button2Click();
  void Button3Click();

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
  using Handler = void (MainWindow::*)();
  static Handler HandlerNamed(std::string_view name);

  void build();
  QWidget* create(const ControlSpec& entry, QWidget* parent);
  void bind(const ControlSpec& entry, QWidget* control);
  QMenu* createMenu(PopupMenu menu);
  void refreshPortToolTips();

  RunState& run_;  // borrowed: main owns the run's state
  QtTimer timer1_;
  QtTimer timer2_;
  QtMessageBox messages_;
  LinuxSerialPorts ports_;
  LinuxRecordFiles files_;
  SerialLink link_;
  QMenu* popupMenu1_ = nullptr;
  QMenu* dbAndCheck_ = nullptr;
  std::map<QObject*, Handler> focusHandlers_;
};

}  // namespace sattrail
