// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string>
#include <string_view>

#include "platform/Canvas.h"

namespace sattrail {

// The main window as the logic sees it: its controls, reached by their component names (the
// constants of platform/ControlNames.h), and the window's own properties.
// Texts are 8-bit byte strings; the degree sign is the two bytes 0xA2 0x58.
// A name that is not in the inventory is a programming error (std::logic_error).
class Window {
 public:
  virtual ~Window() = default;

  // Text of an edit box, combo box or memo; caption of a button. The memo's text is kept
  // byte for byte as written, line ends included.
  virtual std::string Text(std::string_view control) const = 0;
  virtual void SetText(std::string_view control, std::string_view text) = 0;

  virtual bool Checked(std::string_view checkBox) const = 0;
  virtual void SetChecked(std::string_view checkBox, bool ticked) = 0;

  virtual bool Visible(std::string_view control) const = 0;
  virtual void SetVisible(std::string_view control, bool visible) = 0;

  virtual int Left(std::string_view control) const = 0;
  virtual void SetLeft(std::string_view control, int left) = 0;

  // Selected index of a combo box's list; -1 while no entry is selected.
  virtual int ItemIndex(std::string_view comboBox) const = 0;

  // The memo's first line, its line end included, is removed.
  virtual void DeleteFirstLine(std::string_view memo) = 0;
  virtual void Repaint(std::string_view control) = 0;

  // Drawing surface of an image control, created on first use at the control's own size.
  virtual Canvas& Surface(std::string_view image) = 0;

  // The main window itself.
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual int Width() const = 0;
  virtual void SetWidth(int width) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int height) = 0;
  virtual bool AutoSize() const = 0;
  virtual void SetAutoSize(bool on) = 0;
  virtual bool AutoScroll() const = 0;
  virtual void SetAutoScroll(bool on) = 0;
};

}  // namespace sattrail
