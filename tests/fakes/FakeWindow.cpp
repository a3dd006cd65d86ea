// SPDX-License-Identifier: BSD-2-Clause
#include "fakes/FakeWindow.h"

#include <stdexcept>

namespace sattrail::testing {

FakeWindow::FakeWindow() {
  canvases_.emplace("Image1", std::make_unique<RecordingCanvas>(164, 64));
  canvases_.emplace("Image2", std::make_unique<RecordingCanvas>(94, 98));
}

FakeWindow::Control& FakeWindow::At(std::string_view control) {
  auto it = controls_.find(control);
  if (it == controls_.end()) it = controls_.emplace(std::string(control), Control{}).first;
  return it->second;
}

std::string FakeWindow::Text(std::string_view control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? std::string() : it->second.text;
}

void FakeWindow::SetText(std::string_view control, std::string_view text) {
  At(control).text = text;
  if (onSetText) onSetText(control, text);
}

bool FakeWindow::Checked(std::string_view checkBox) const {
  auto it = controls_.find(checkBox);
  return it != controls_.end() && it->second.checked;
}

void FakeWindow::SetChecked(std::string_view checkBox, bool ticked) { At(checkBox).checked = ticked; }

bool FakeWindow::Visible(std::string_view control) const {
  auto it = controls_.find(control);
  return it == controls_.end() || it->second.visible;
}

void FakeWindow::SetVisible(std::string_view control, bool visible) { At(control).visible = visible; }

int FakeWindow::Left(std::string_view control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? 0 : it->second.left;
}

void FakeWindow::SetLeft(std::string_view control, int left) { At(control).left = left; }

int FakeWindow::ItemIndex(std::string_view comboBox) const {
  auto it = controls_.find(comboBox);
  return it == controls_.end() ? -1 : it->second.itemIndex;
}

void FakeWindow::DeleteFirstLine(std::string_view memo) {
  std::string& text = At(memo).text;
  const std::size_t lineFeed = text.find('\n');
  text.erase(0, lineFeed == std::string::npos ? text.size() : lineFeed + 1);
}

void FakeWindow::Repaint(std::string_view control) { ++At(control).repaints; }

Canvas& FakeWindow::Surface(std::string_view image) { return canvas(image); }

RecordingCanvas& FakeWindow::canvas(std::string_view image) {
  auto it = canvases_.find(image);
  if (it == canvases_.end()) throw std::logic_error("no image control " + std::string(image));
  return *it->second;
}

}  // namespace sattrail::testing
