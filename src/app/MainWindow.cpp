// SPDX-License-Identifier: BSD-2-Clause
#include "app/MainWindow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <array>
#include <stdexcept>
#include <utility>

#include "app/Application.h"
#include "app/PanelLayouts.h"
#include "nmea/FixTimer.h"
#include "platform/qt/QtControls.h"
#include "serial/PortOpening.h"
#include "serial/ReceivePoll.h"
#include "serial/ReceiverCommands.h"

namespace sattrail {

namespace {

// Liberation Sans stands in for the designed faces, with the same metrics.
constexpr const char* kFontFamily = "Liberation Sans";

QFont ControlFont(int pixels) {
  QFont font(kFontFamily);
  font.setPixelSize(pixels);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QColor NamedColour(Colour colour, const QPalette& palette) {
  switch (colour) {
    case Colour::Parent:
      return {};
    case Colour::SystemWindow:
      return palette.color(QPalette::Base);
    case Colour::SystemScrollBar:
      return palette.color(QPalette::Button);
    case Colour::System3DLight:
      return palette.color(QPalette::Light);
    case Colour::MoneyGreen:
      return {192, 220, 192};
    case Colour::SkyBlue:
      return {166, 202, 240};
    case Colour::Silver:
      return {192, 192, 192};
    case Colour::Lime:
      return {0, 255, 0};
    case Colour::White:
      return {255, 255, 255};
  }
  return {};
}

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

MainWindow::MainWindow(RunState& run)
    : run_(run), timer1_(kPollInterval), timer2_(kTimer2Interval), link_{run_,      *this,
                                                                         timer1_,   timer2_,
                                                                         messages_, ports_,
                                                                         files_} {
  setWindowTitle(ToQString(kWindowCaption));
  setFont(ControlFont(11));
  setWindowIcon(ProgramIcon());
  popupMenu1_ = createMenu(PopupMenu::PopupMenu1);
  dbAndCheck_ = createMenu(PopupMenu::DbAndCheck);
  build();
  connect(&timer1_.Qt(), &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
  connect(&timer2_.Qt(), &QTimer::timeout, this, Guarded([this] { Timer2Timer(); }));
  if (auto* application = qobject_cast<Application*>(QCoreApplication::instance())) {
    application->BeginRun();
  }
  Guarded([this] { FormCreate(); })();
}

void MainWindow::build() {
  const auto inventory = MainWindowInventory();
  std::vector<std::pair<QWidget*, ControlKind>> created;
  created.reserve(inventory.size());
  for (const ControlSpec& entry : inventory) {
    QWidget* parent = entry.parent.empty() ? Client() : Control(entry.parent);
    QWidget* control = create(entry, parent);
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

QWidget* MainWindow::create(const ControlSpec& entry, QWidget* parent) {
  QWidget* control = nullptr;
  const QColor colour = NamedColour(entry.colour, palette());
  switch (entry.kind) {
    case ControlKind::GroupBox: {
      auto* panel = new PanelControl(parent);
      panel->SetColour(colour);
      control = panel;
      break;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(ToQString(entry.text), parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setMargin(0);
      label->setIndent(0);
      control = label;
      break;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(ToQString(entry.text), parent);
      edit->setReadOnly(entry.readOnly);
      edit->setCursorPosition(0);
      if (colour.isValid()) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, colour);
        edit->setPalette(palette);
      }
      control = edit;
      break;
    }
    case ControlKind::Memo: {
      auto* memo = new MemoControl(parent);
      memo->SetBytes(entry.text);
      control = memo;
      break;
    }
    case ControlKind::CheckBox:
      control = new QCheckBox(ToQString(entry.text), parent);
      break;
    case ControlKind::Button:
    case ControlKind::BitButton:
      control = new QPushButton(ToQString(entry.text), parent);
      break;
    case ControlKind::ComboBox: {
      auto* combo = new ComboControl(parent);
      for (const std::string_view item : entry.items) combo->addItem(ToQString(item));
      combo->SetText(ToQString(entry.text));
      control = combo;
      break;
    }
    case ControlKind::Image:
      control = new ImageControl(parent, entry.transparent);
      break;
    case ControlKind::Shape: {
      auto* shape = new ShapeControl(parent);
      shape->SetBrush(colour);
      control = shape;
      break;
    }
  }
  control->setGeometry(entry.left, entry.top, entry.width, entry.height);
  if (entry.fontPixels != 11) control->setFont(ControlFont(entry.fontPixels));
  control->setEnabled(entry.enabled);
  control->setVisible(entry.visible);
  return control;
}

void MainWindow::bind(const ControlSpec& entry, QWidget* control) {
  if (entry.menu != PopupMenu::None) {
    QMenu* menu = &Menu(entry.menu);
    QWidget* surface = control;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) surface = area->viewport();
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, menu,
            [menu, surface](const QPoint& at) { menu->popup(surface->mapToGlobal(at)); });
  }
  if (!entry.enabled) {
    // The toolkit gives a disabled control's right click to nobody; here it goes on to the
    // parent, so that a panel's menu opens over its disabled check boxes too.
    control->installEventFilter(this);
  }
  if (entry.name == "ComboBox2") {
    auto* combo = qobject_cast<ComboControl*>(control);
    combo->beforeListOpens = [this](ComboControl&) { refreshPortToolTips(); };
    combo->setToolTip(ToQString(ports_.PortLinkFolderWarning()));
  }
  if (entry.handler.empty()) return;
  const Handler handler = HandlerNamed(entry.handler);
  auto call = Guarded([this, handler] { (this->*handler)(); });
  switch (entry.kind) {
    case ControlKind::Button:
    case ControlKind::BitButton:
      connect(qobject_cast<QPushButton*>(control), &QPushButton::clicked, this, call);
      break;
    case ControlKind::ComboBox:
      connect(qobject_cast<ComboControl*>(control), &ComboControl::Changed, this, call);
      break;
    case ControlKind::Edit:
      focusHandlers_[control] = handler;
      control->installEventFilter(this);
      break;
    default:
      throw std::logic_error("no event for " + std::string(entry.name));
  }
}

QMenu* MainWindow::createMenu(PopupMenu which) {
  auto* menu = new QMenu(this);
  menu->setObjectName(which == PopupMenu::PopupMenu1 ? "PopupMenu1" : "DbAndCheck");
  for (const MenuItemSpec& item : MenuItems(which)) {
    QAction* action = menu->addAction(ToQString(item.caption));
    action->setObjectName(ToQString(item.name));
    const Handler handler = HandlerNamed(item.handler);
    connect(action, &QAction::triggered, this, Guarded([this, handler] { (this->*handler)(); }));
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
    if (it != focusHandlers_.end()) Guarded([this, handler = it->second] { (this->*handler)(); })();
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
  auto* ports = ControlAs<ComboControl>("ComboBox2");
  // Why the list may name other devices than the user's links say, over the closed box.
  ports->setToolTip(ToQString(ports_.PortLinkFolderWarning()));
  for (int index = 0; index < ports->count(); ++index) {
    const std::string device = ports_.DescribePort(index + 1);
    ports->setItemData(index, device.empty() ? QVariant() : QVariant(ToQString(device)),
                       Qt::ToolTipRole);
  }
}

MainWindow::Handler MainWindow::HandlerNamed(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, Handler>, 20> kHandlers = {{
      {"ButOpenGpsClick", &MainWindow::ButOpenGpsClick},
      {"Timer1Timer", &MainWindow::Timer1Timer},
      {"Timer2Timer", &MainWindow::Timer2Timer},
      {"BuHSClick", &MainWindow::BuHSClick},
      {"Com2BClick", &MainWindow::Com2BClick},
      {"Button1Click", &MainWindow::Button1Click},
      {"SendClick", &MainWindow::SendClick},
      {"SetMsgChange", &MainWindow::SetMsgChange},
      {"EdCommandEnter", &MainWindow::EdCommandEnter},
      {"N1Click", &MainWindow::N1Click},
      {"N2Click", &MainWindow::N2Click},
      {"ALL1Click", &MainWindow::ALL1Click},
      {"DV1Click", &MainWindow::DV1Click},
      {"N3Click", &MainWindow::N3Click},
      {"ALL2Click", &MainWindow::ALL2Click},
      {"BitBtn2Click", &MainWindow::BitBtn2Click},
      {"BitBtn3Click", &MainWindow::BitBtn3Click},
      {"BitBtn5Click", &MainWindow::BitBtn5Click},
      {"Button2Click", &MainWindow::Button2Click},
      {"Button3Click", &MainWindow::Button3Click},
  }};
  for (const auto& [handlerName, handler] : kHandlers) {
    if (handlerName == name) return handler;
  }
  throw std::logic_error("no handler " + std::string(name));
}

void MainWindow::FormCreate() {
  SetLeft("GroupBox2", 200);
  SetLeft("GroupBox4", 200);
  SetWidth(390);
  SetHeight(264);
  SetText("OutTextBox", "");
  SetText("Edit6", "");
  SetText("Edit7", "");
  SetText("Edit8", "");
  SetText("Edit9", "");
  SetText("Edit10", "0");
  SetText("EdHeight", "0");
}

void MainWindow::ButOpenGpsClick() {
  sattrail::ButOpenGpsClick(link_);
}
void MainWindow::Timer1Timer() {
  sattrail::Timer1Timer(link_);
}
void MainWindow::Timer2Timer() {
  AdvanceTimeToFix(run_, *this);
}
void MainWindow::BuHSClick() {
  SendStartCommand(link_, StartCommand::Hot);
}
void MainWindow::Com2BClick() {
  SendStartCommand(link_, StartCommand::Warm);
}
void MainWindow::Button1Click() {
  SendStartCommand(link_, StartCommand::Cold);
}
void MainWindow::SendClick() {
  sattrail::SendClick(link_);
}
void MainWindow::SetMsgChange() {
  sattrail::SetMsgChange(link_);
}
void MainWindow::EdCommandEnter() {}  // gaining the focus does nothing

void MainWindow::N1Click() {
  sattrail::N1Click(*this);
}
void MainWindow::N2Click() {
  sattrail::N2Click(*this);
}
void MainWindow::ALL1Click() {
  sattrail::ALL1Click(*this);
}
void MainWindow::DV1Click() {
  sattrail::DV1Click(*this);
}
void MainWindow::N3Click() {
  sattrail::N3Click(*this);
}
void MainWindow::ALL2Click() {
  sattrail::ALL2Click(*this);
}

void MainWindow::BitBtn2Click() {
  BitBtn2ShowAndStop(*this, timer1_, timer2_);
  CloseComPort(link_);
}

void MainWindow::BitBtn3Click() {
  sattrail::BitBtn3Click(*this);
}
void MainWindow::BitBtn5Click() {
  sattrail::BitBtn5Click(*this);
}
void MainWindow::Button2Click() {
  sattrail::Button2Click(*this);
}
void MainWindow::Button3Click() {
  sattrail::Button3Click(*this);
}

}  // namespace sattrail
