// SPDX-License-Identifier: BSD-2-Clause
#include "app/ControlFactory.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

#include "platform/qt/QtControls.h"

namespace sattrail {

namespace {

constexpr const char* kFontFamily = "Liberation Sans";

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

// One factory per kind of control; each gets the row, the parent and the row's colour.
using Factory = QWidget* (*)(const ControlSpec&, QWidget*, QColor);

QWidget* CreatePanel(const ControlSpec&, QWidget* parent, QColor colour) {
  auto* panel = new PanelControl(parent);
  panel->SetColour(colour);
  return panel;
}

QWidget* CreateLabel(const ControlSpec& entry, QWidget* parent, QColor) {
  auto* label = new QLabel(ToQString(entry.text), parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setMargin(0);
  label->setIndent(0);
  return label;
}

QWidget* CreateEdit(const ControlSpec& entry, QWidget* parent, QColor colour) {
  auto* edit = new QLineEdit(ToQString(entry.text), parent);
  edit->setReadOnly(entry.readOnly);
  edit->setCursorPosition(0);
  if (colour.isValid()) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, colour);
    edit->setPalette(palette);
  }
  return edit;
}

QWidget* CreateMemo(const ControlSpec& entry, QWidget* parent, QColor) {
  auto* memo = new MemoControl(parent);
  memo->SetBytes(entry.text);
  return memo;
}

QWidget* CreateCheckBox(const ControlSpec& entry, QWidget* parent, QColor) {
  return new QCheckBox(ToQString(entry.text), parent);
}

QWidget* CreateButton(const ControlSpec& entry, QWidget* parent, QColor) {
  return new QPushButton(ToQString(entry.text), parent);
}

QWidget* CreateComboBox(const ControlSpec& entry, QWidget* parent, QColor) {
  auto* combo = new ComboControl(parent);
  for (const std::string_view item : entry.items) combo->addItem(ToQString(item));
  combo->SetText(ToQString(entry.text));
  return combo;
}

QWidget* CreateImage(const ControlSpec& entry, QWidget* parent, QColor) {
  return new ImageControl(parent, entry.transparent);
}

QWidget* CreateShape(const ControlSpec&, QWidget* parent, QColor colour) {
  auto* shape = new ShapeControl(parent);
  shape->SetBrush(colour);
  return shape;
}

struct KindFactory {
  ControlKind kind;
  Factory create;
};

constexpr KindFactory kFactories[] = {
    {ControlKind::GroupBox, CreatePanel},    {ControlKind::Label, CreateLabel},
    {ControlKind::Edit, CreateEdit},         {ControlKind::Memo, CreateMemo},
    {ControlKind::CheckBox, CreateCheckBox}, {ControlKind::Button, CreateButton},
    {ControlKind::BitButton, CreateButton},  {ControlKind::ComboBox, CreateComboBox},
    {ControlKind::Image, CreateImage},       {ControlKind::Shape, CreateShape},
};

Factory FactoryFor(ControlKind kind) {
  for (const KindFactory& row : kFactories) {
    if (row.kind == kind) return row.create;
  }
  throw std::logic_error("no factory for a kind of control");
}

}  // namespace

QFont ControlFont(int pixels) {
  QFont font(kFontFamily);
  font.setPixelSize(pixels);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QWidget* CreateControl(const ControlSpec& entry, QWidget* parent, const QPalette& palette) {
  QWidget* control = FactoryFor(entry.kind)(entry, parent, NamedColour(entry.colour, palette));
  control->setGeometry(entry.left, entry.top, entry.width, entry.height);
  if (entry.fontPixels != kWindowFontPixels) control->setFont(ControlFont(entry.fontPixels));
  control->setEnabled(entry.enabled);
  control->setVisible(entry.visible);
  return control;
}

}  // namespace sattrail
