// SPDX-License-Identifier: BSD-2-Clause
#include "platform/qt/QtWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <algorithm>
#include <stdexcept>

#include "platform/qt/QtControls.h"

namespace sattrail {

namespace {

// The frame assumed where the platform reports none.
constexpr int kAssumedFrameWidth = 3;
constexpr int kAssumedFrameHeight = 25;

[[noreturn]] void WrongKind(std::string_view control, const char* what) {
  throw std::logic_error(std::string(control) + " is not " + what);
}

}  // namespace

QtWindow::QtWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      viewport_(new QWidget(this)),
      content_(new QWidget(viewport_)),
      scrollBar_(new QScrollBar(Qt::Horizontal, this)) {
  scrollBar_->hide();
  connect(scrollBar_, &QScrollBar::valueChanged, this,
          [this](int position) { content_->move(-position, 0); });
  applyGeometry();
}

void QtWindow::Register(const std::string& name, QWidget* control) {
  control->setObjectName(QString::fromStdString(name));
  controls_[name] = control;
  if (auto* image = qobject_cast<ImageControl*>(control)) images_.push_back(image);
}

QWidget* QtWindow::Control(std::string_view name) const {
  const auto it = controls_.find(name);
  if (it == controls_.end()) throw std::logic_error("no control " + std::string(name));
  return it->second;
}

QSize QtWindow::FrameExtent() const {
  if (isVisible()) {
    const QSize outer = frameGeometry().size();
    const QSize inner = geometry().size();
    if (outer != inner) return outer - inner;
  }
  return {kAssumedFrameWidth, kAssumedFrameHeight};
}

std::string QtWindow::Text(std::string_view control) const {
  QWidget* widget = Control(control);
  if (auto* memo = qobject_cast<MemoControl*>(widget)) return memo->Bytes();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return FromQString(edit->text());
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return FromQString(combo->currentText());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return FromQString(button->text());
  if (auto* label = qobject_cast<QLabel*>(widget)) return FromQString(label->text());
  WrongKind(control, "a control with a text");
}

void QtWindow::SetText(std::string_view control, std::string_view text) {
  QWidget* widget = Control(control);
  if (auto* memo = qobject_cast<MemoControl*>(widget)) return memo->SetBytes(text);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    // Most of the boxes a sentence fills keep their text from one epoch to the next; an
    // unchanged box is left alone rather than laid out and painted again.
    const QString shown = ToQString(text);
    if (shown == edit->text()) return;
    edit->setText(shown);
    edit->setCursorPosition(0);
    return;
  }
  if (auto* combo = qobject_cast<ComboControl*>(widget)) return combo->SetText(ToQString(text));
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    return button->setText(ToQString(text));
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->setText(ToQString(text));
  WrongKind(control, "a control with a text");
}

bool QtWindow::Checked(std::string_view checkBox) const {
  auto* box = qobject_cast<QCheckBox*>(Control(checkBox));
  if (box == nullptr) WrongKind(checkBox, "a check box");
  return box->isChecked();
}

void QtWindow::SetChecked(std::string_view checkBox, bool ticked) {
  auto* box = qobject_cast<QCheckBox*>(Control(checkBox));
  if (box == nullptr) WrongKind(checkBox, "a check box");
  box->setChecked(ticked);
}

bool QtWindow::Visible(std::string_view control) const {
  return !Control(control)->isHidden();
}

void QtWindow::SetVisible(std::string_view control, bool visible) {
  QWidget* widget = Control(control);
  if (widget->isHidden() == !visible) return;
  widget->setVisible(visible);
  if (isDirectChild(widget)) layoutChanged();
}

int QtWindow::Left(std::string_view control) const {
  return Control(control)->x();
}

void QtWindow::SetLeft(std::string_view control, int left) {
  QWidget* widget = Control(control);
  if (widget->x() == left) return;
  widget->move(left, widget->y());
  if (isDirectChild(widget)) layoutChanged();
}

int QtWindow::ItemIndex(std::string_view comboBox) const {
  auto* combo = qobject_cast<ComboControl*>(Control(comboBox));
  if (combo == nullptr) WrongKind(comboBox, "a combo box");
  return combo->SelectedIndex();
}

void QtWindow::DeleteFirstLine(std::string_view memo) {
  auto* control = qobject_cast<MemoControl*>(Control(memo));
  if (control == nullptr) WrongKind(memo, "a memo");
  control->DeleteFirstLine();
}

void QtWindow::Repaint(std::string_view control) {
  // Marks the control for the next paint, which comes when the poll hands back to the event
  // loop. The pieces of one poll are read within a fraction of a millisecond, so painting
  // each at once would show the screen nothing a paint per poll does not, at twice the cost;
  // and what else changed in the poll is painted in the same pass.
  Control(control)->update();
}

Canvas& QtWindow::Surface(std::string_view image) {
  auto* control = qobject_cast<ImageControl*>(Control(image));
  if (control == nullptr) WrongKind(image, "an image");
  return control->Surface();
}

void QtWindow::SettleSurfaces() {
  for (ImageControl* image : images_) image->Settle();
}

std::string QtWindow::Caption() const {
  return FromQString(windowTitle());
}

void QtWindow::SetCaption(std::string_view caption) {
  setWindowTitle(ToQString(caption));
}

int QtWindow::Width() const {
  return client_.width() + FrameExtent().width();
}

void QtWindow::SetWidth(int width) {
  if (!autoSize_) client_.setWidth(std::max(0, width - FrameExtent().width()));
  layoutChanged();
}

int QtWindow::Height() const {
  return client_.height() + FrameExtent().height();
}

void QtWindow::SetHeight(int height) {
  if (!autoSize_) client_.setHeight(std::max(0, height - FrameExtent().height()));
  layoutChanged();
}

void QtWindow::SetAutoSize(bool on) {
  if (autoSize_ == on) return;
  autoSize_ = on;
  layoutChanged();
}

void QtWindow::SetAutoScroll(bool on) {
  if (autoScroll_ == on) return;
  autoScroll_ = on;
  layoutChanged();
}

void QtWindow::showEvent(QShowEvent* event) {
  // The platform window exists now: fit it.
  layoutChanged();
  QWidget::showEvent(event);
}

bool QtWindow::isDirectChild(const QWidget* control) const {
  return control->parentWidget() == content_;
}

void QtWindow::layoutChanged() {
  if (fitting_) return;
  fitting_ = true;
  if (autoSize_) fit();
  applyGeometry();
  fitting_ = false;
}

void QtWindow::fit() {
  QRect bounds;
  std::vector<QWidget*> shown;
  for (QObject* child : content_->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget == nullptr || widget->isHidden()) continue;
    shown.push_back(widget);
    bounds = bounds.united(widget->geometry());
  }
  if (shown.empty()) {
    client_ = {0, 0};
    return;
  }
  const QPoint shift = -bounds.topLeft();
  if (!shift.isNull()) {
    for (QWidget* widget : shown) widget->move(widget->pos() + shift);
  }
  client_ = bounds.size();
}

void QtWindow::applyGeometry() {
  int range = 0;
  int contentHeight = 0;
  for (QObject* child : content_->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget == nullptr) continue;
    contentHeight = std::max(contentHeight, widget->geometry().bottom() + 1);
    if (!widget->isHidden()) range = std::max(range, widget->geometry().right() + 1);
  }
  const bool scrolling = autoScroll_ && !autoSize_ && range > client_.width();
  int viewportHeight = client_.height();
  if (scrolling) {
    const int barHeight =
        std::min(client_.height(), style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    viewportHeight = client_.height() - barHeight;
    scrollBar_->setGeometry(0, viewportHeight, client_.width(), barHeight);
    scrollBar_->setRange(0, range - client_.width());
    scrollBar_->setPageStep(std::max(1, client_.width()));
    scrollBar_->setSingleStep(8);
    scrollBar_->show();
  } else {
    scrollBar_->hide();
    scrollBar_->setValue(0);
    scrollBar_->setRange(0, 0);
  }
  viewport_->setGeometry(0, 0, client_.width(), viewportHeight);
  content_->setGeometry(-scrollBar_->value(), 0, std::max(range, client_.width()),
                        std::max(contentHeight, viewportHeight));
  setFixedSize(client_);
}

}  // namespace sattrail
