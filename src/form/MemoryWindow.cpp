// SPDX-License-Identifier: BSD-2-Clause
#include "form/MemoryWindow.h"

#include <stdexcept>
#include <utility>

namespace sattrail {

MemoryWindow::MemoryWindow(SurfaceFactory surfaces) : surfaces_(std::move(surfaces)) {
  for (const ControlSpec& entry : MainWindowInventory()) {
    if (entry.name.empty()) continue;
    controls_.emplace(std::string(entry.name), Control{.design = &entry,
                                                       .text = std::string(entry.text),
                                                       .visible = entry.visible,
                                                       .left = entry.left});
  }
}

const MemoryWindow::Control& MemoryWindow::at(std::string_view control) const {
  const auto found = controls_.find(control);
  if (found == controls_.end()) {
    throw std::logic_error("the window has no control " + std::string(control));
  }
  return found->second;
}

MemoryWindow::Control& MemoryWindow::at(std::string_view control) {
  return const_cast<Control&>(std::as_const(*this).at(control));
}

MemoryWindow::Control& MemoryWindow::changing(std::string_view control) {
  Control& found = at(control);
  if (onChange) onChange(control);
  return found;
}

void MemoryWindow::SetText(std::string_view control, std::string_view text) {
  changing(control).text = text;
  if (onSetText) onSetText(control, text);
}

void MemoryWindow::DeleteFirstLine(std::string_view memo) {
  std::string& text = changing(memo).text;
  const std::size_t lineFeed = text.find('\n');
  text.erase(0, lineFeed == std::string::npos ? text.size() : lineFeed + 1);
}

Canvas& MemoryWindow::Surface(std::string_view image) {
  Control& control = at(image);
  if (control.design->kind != ControlKind::Image) {
    throw std::logic_error(std::string(image) + " is not an image");
  }
  if (!control.surface) control.surface = surfaces_(control.design->width, control.design->height);
  return *control.surface;
}

}  // namespace sattrail
