// SPDX-License-Identifier: BSD-2-Clause
#include "replay/RecordingWindow.h"

#include <stdexcept>

#include "app/Inventory.h"
#include "replay/BlankCanvas.h"

namespace sattrail::replay {

namespace {

[[noreturn]] void NoSuchControl(std::string_view control) {
  throw std::logic_error("the window has no control " + std::string(control));
}

}  // namespace

RecordingWindow::RecordingWindow(Pictures pictures) : pictureKind_(pictures) {
  for (const ControlSpec& entry : MainWindowInventory()) {
    if (entry.name.empty()) continue;
    Control control;
    control.text = entry.text;
    control.left = entry.left;
    control.visible = entry.visible;
    controls_.emplace(std::string(entry.name), control);
  }
  // What the window's creation handler changes before the window is first shown.
  SetLeft("GroupBox2", 200);
  SetLeft("GroupBox4", 200);
  for (std::string_view emptied : {"OutTextBox", "Edit6", "Edit7", "Edit8", "Edit9"}) {
    SetText(emptied, "");
  }
  SetText("Edit10", "0");
  SetText("EdHeight", "0");
}

RecordingWindow::Control& RecordingWindow::At(std::string_view control) {
  auto it = controls_.find(control);
  if (it == controls_.end()) NoSuchControl(control);
  return it->second;
}

const RecordingWindow::Control& RecordingWindow::At(std::string_view control) const {
  auto it = controls_.find(control);
  if (it == controls_.end()) NoSuchControl(control);
  return it->second;
}

std::string RecordingWindow::Text(std::string_view control) const {
  return At(control).text;
}
void RecordingWindow::SetText(std::string_view control, std::string_view text) {
  At(control).text = text;
}
bool RecordingWindow::Checked(std::string_view checkBox) const {
  return At(checkBox).checked;
}
void RecordingWindow::SetChecked(std::string_view checkBox, bool ticked) {
  At(checkBox).checked = ticked;
}
bool RecordingWindow::Visible(std::string_view control) const {
  return At(control).visible;
}
void RecordingWindow::SetVisible(std::string_view control, bool visible) {
  At(control).visible = visible;
}
int RecordingWindow::Left(std::string_view control) const {
  return At(control).left;
}
void RecordingWindow::SetLeft(std::string_view control, int left) {
  At(control).left = left;
}
int RecordingWindow::ItemIndex(std::string_view comboBox) const {
  return At(comboBox).itemIndex;
}

void RecordingWindow::DeleteFirstLine(std::string_view memo) {
  std::string& text = At(memo).text;
  const std::size_t lineFeed = text.find('\n');
  text.erase(0, lineFeed == std::string::npos ? text.size() : lineFeed + 1);
}

void RecordingWindow::Repaint(std::string_view control) {
  At(control);
}

Canvas& RecordingWindow::Surface(std::string_view image) {
  auto it = pictures_.find(image);
  if (it != pictures_.end()) return *it->second;
  for (const ControlSpec& entry : MainWindowInventory()) {
    if (entry.kind == ControlKind::Image && entry.name == image) {
      std::unique_ptr<Canvas> picture;
      if (pictureKind_ == Pictures::Drawn) {
        picture = std::make_unique<QtCanvas>(entry.width, entry.height);
      } else {
        picture = std::make_unique<BlankCanvas>(entry.width, entry.height);
      }
      return *pictures_.emplace(std::string(image), std::move(picture)).first->second;
    }
  }
  NoSuchControl(image);
}

const QtCanvas* RecordingWindow::Picture(std::string_view image) {
  return dynamic_cast<const QtCanvas*>(&Surface(image));
}

}  // namespace sattrail::replay
