// SPDX-License-Identifier: BSD-2-Clause
#include "app/MainWindow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <stdexcept>
#include <utility>

#include "app/Application.h"
#include "app/ControlFactory.h"
#include "app/HandlerTable.h"
#include "platform/ControlNames.h"
#include "platform/qt/QtControls.h"
#include "serial/PortOpening.h"
#include "serial/ReceivePoll.h"

namespace sattrail {

namespace {

// The program's icon: a small sky plot, a money-green disc with its cross-hair.
QIcon ProgramIcon() {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(192, 220, 192));
  painter.drawEllipse(1, 1, 29, 29);
  painter.drawLine(16, 4, 16, 28);
  painter.drawLine(4, 16, 28, 16);
  painter.setBrush(QColor(0, 0, 255));
  painter.drawEllipse(20, 7, 5, 5);
  return QIcon(picture);
}

bool IsInputControl(ControlKind kind) {
  return kind != ControlKind::Label && kind != ControlKind::Shape && kind != ControlKind::Image;
}

}  // namespace

auto MainWindow::guarded(Handler handler) {
  return Guarded([this, handler] { Run(handler); });
}

MainWindow::MainWindow(RunState& run)
    : timer1_(kPollInterval),
      timer2_(kTimer2Interval),
      link_(SerialLink{run, *this, timer1_, timer2_, messages_, ports_, files_}) {
  setWindowTitle(ToQString(kWindowCaption));
  setFont(ControlFont(kWindowFontPixels));
  setWindowIcon(ProgramIcon());
  popupMenu1_ = createMenu(PopupMenu::PopupMenu1);
  dbAndCheck_ = createMenu(PopupMenu::DbAndCheck);
  build();
  messages_.beforeShowing = [this] { SettleSurfaces(); };
  connect(&timer1_.Qt(), &QTimer::timeout, this, guarded(Handler::Timer1Timer));
  connect(&timer2_.Qt(), &QTimer::timeout, this, guarded(Handler::Timer2Timer));
  if (auto* application = qobject_cast<Application*>(QCoreApplication::instance())) {
    application->BeginRun();
  }
  guarded(Handler::FormCreate)();
}

void MainWindow::Run(Handler handler) {
  // However the handler ends, the pictures it drew are complete.
  struct Settler {
    QtWindow& window;
    ~Settler() { window.SettleSurfaces(); }
  } settler{*this};
  RunHandler(handler, link_);
}

void MainWindow::build() {
  const auto inventory = MainWindowInventory();
  std::vector<std::pair<QWidget*, ControlKind>> created;
  created.reserve(inventory.size());
  for (const ControlSpec& entry : inventory) {
    QWidget* parent = entry.parent.empty() ? Client() : Control(entry.parent);
    QWidget* control = CreateControl(entry, parent, palette());
    if (!entry.name.empty()) Register(std::string(entry.name), control);
    bind(entry, control);
    created.emplace_back(control, entry.kind);
  }
  // Labels, shapes and images lie on their parent's surface, under all of the parent's
  // input controls; each group keeps the inventory's order, later above earlier.
  for (const auto& [control, kind] : created) {
    if (IsInputControl(kind)) control->raise();
  }
}

void MainWindow::bind(const ControlSpec& entry, QWidget* control) {
  if (entry.menu != PopupMenu::None) bindMenu(entry.menu, control);
  if (!entry.enabled) {
    // The toolkit gives a disabled control's right click to nobody; here it goes on to the
    // parent, so that a panel's menu opens over its disabled check boxes too.
    control->installEventFilter(this);
  }
  if (entry.name == control::ComboBox2) {
    auto* combo = qobject_cast<ComboControl*>(control);
    combo->beforeListOpens = [this](ComboControl&) { refreshPortToolTips(); };
    combo->setToolTip(ToQString(ports_.PortLinkFolderWarning()));
  }
  if (entry.handler != Handler::None) bindEvent(entry, control);
}

void MainWindow::bindMenu(PopupMenu which, QWidget* control) {
  QMenu* menu = &Menu(which);
  QWidget* surface = control;
  if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) surface = area->viewport();
  control->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(control, &QWidget::customContextMenuRequested, menu,
          [menu, surface](const QPoint& at) { menu->popup(surface->mapToGlobal(at)); });
}

void MainWindow::bindEvent(const ControlSpec& entry, QWidget* control) {
  switch (entry.kind) {
    case ControlKind::Button:
    case ControlKind::BitButton:
      connect(qobject_cast<QPushButton*>(control), &QPushButton::clicked, this,
              guarded(entry.handler));
      break;
    case ControlKind::ComboBox:
      connect(qobject_cast<ComboControl*>(control), &ComboControl::Changed, this,
              guarded(entry.handler));
      break;
    case ControlKind::Edit:
      focusHandlers_[control] = entry.handler;
      control->installEventFilter(this);
      break;
    default:
      throw std::logic_error("no event for " + std::string(entry.name));
  }
}

QMenu* MainWindow::createMenu(PopupMenu which) {
  const PopupMenuSpec design = MenuSpec(which);
  auto* menu = new QMenu(this);
  menu->setObjectName(ToQString(design.name));
  for (const MenuItemSpec& item : design.items) {
    QAction* action = menu->addAction(ToQString(item.caption));
    action->setObjectName(ToQString(item.name));
    connect(action, &QAction::triggered, this, guarded(item.handler));
  }
  return menu;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ContextMenu && watched->isWidgetType()) {
    auto* control = static_cast<QWidget*>(watched);
    if (!control->isEnabled() && control->parentWidget() != nullptr) {
      const auto* request = static_cast<QContextMenuEvent*>(event);
      QContextMenuEvent forwarded(request->reason(), control->mapToParent(request->pos()),
                                  request->globalPos(), request->modifiers());
      QApplication::sendEvent(control->parentWidget(), &forwarded);
      return true;
    }
  }
  if (event->type() == QEvent::FocusIn) {
    const auto it = focusHandlers_.find(watched);
    if (it != focusHandlers_.end()) guarded(it->second)();
  }
  return QtWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The port closes first, so that nothing more reaches the receiver; then every open box
  // finishes as if cancelled and no other opens, so the handlers waiting on a box return
  // without sending and the nested loops unwind. With the last window gone the application
  // leaves its loop.
  CloseComPort(link_);
  messages_.EndAll();
  if (auto* application = qobject_cast<Application*>(QCoreApplication::instance())) {
    application->EndRun();
  }
  QtWindow::closeEvent(event);
}

void MainWindow::refreshPortToolTips() {
  auto* ports = ControlAs<ComboControl>(control::ComboBox2);
  // Why the list may name other devices than the user's links say, over the closed box.
  ports->setToolTip(ToQString(ports_.PortLinkFolderWarning()));
  for (int index = 0; index < ports->count(); ++index) {
    const std::string device = ports_.DescribePort(index + 1);
    ports->setItemData(index, device.empty() ? QVariant() : QVariant(ToQString(device)),
                       Qt::ToolTipRole);
  }
}

}  // namespace sattrail
