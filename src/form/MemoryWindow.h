// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "form/Inventory.h"
#include "platform/ControlMap.h"
#include "platform/Window.h"

namespace sattrail {

// The main window without widgets, built from the same inventory as the real one: every
// named control with its text, check state, visibility, position and selected index, and the
// window's caption, size and layout flags, as plain values. It starts as the inventory
// describes the window; FormCreate is the front end's to run. The two images' surfaces come
// from the factory it is given, made on first use at their controls' sizes, so that the
// window itself draws nothing and needs no toolkit. Reaching a control that the inventory
// does not have is a programming error (std::logic_error), as in the real window. No layout
// rule applies: the size is the one last given.
class MemoryWindow : public Window {
 public:
  using SurfaceFactory = std::function<std::unique_ptr<Canvas>(int width, int height)>;
  explicit MemoryWindow(SurfaceFactory surfaces);

  std::string Text(std::string_view control) const override { return at(control).text; }
  void SetText(std::string_view control, std::string_view text) override;
  bool Checked(std::string_view box) const override { return at(box).checked; }
  void SetChecked(std::string_view box, bool ticked) override { changing(box).checked = ticked; }
  bool Visible(std::string_view control) const override { return at(control).visible; }
  void SetVisible(std::string_view control, bool on) override { changing(control).visible = on; }
  int Left(std::string_view control) const override { return at(control).left; }
  void SetLeft(std::string_view control, int left) override { changing(control).left = left; }
  int ItemIndex(std::string_view box) const override { return at(box).itemIndex; }
  void DeleteFirstLine(std::string_view memo) override;
  void Repaint(std::string_view control) override { ++at(control).repaints; }
  Canvas& Surface(std::string_view image) override;

  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  int Width() const override { return width_; }
  void SetWidth(int width) override { width_ = width; }
  int Height() const override { return height_; }
  void SetHeight(int height) override { height_ = height; }
  bool AutoSize() const override { return autoSize_; }
  void SetAutoSize(bool on) override { autoSize_ = on; }
  bool AutoScroll() const override { return autoScroll_; }
  void SetAutoScroll(bool on) override { autoScroll_ = on; }

  // For those who drive or watch the window from outside (tests, benchmarks): a pick from a
  // combo box's list, the number of repaints a control had, and observers called on every
  // SetText and on every change of any control through this interface.
  void SetItemIndex(std::string_view box, int index) { changing(box).itemIndex = index; }
  int Repaints(std::string_view control) const { return at(control).repaints; }
  std::function<void(std::string_view control, std::string_view text)> onSetText;
  std::function<void(std::string_view control)> onChange;

 private:
  struct Control {
    const ControlSpec* design;  // its row of the inventory
    std::string text;
    bool checked = false;
    bool visible = true;
    int left = 0;
    int itemIndex = -1;
    int repaints = 0;
    std::unique_ptr<Canvas> surface = nullptr;  // images only, once drawn on
  };

  const Control& at(std::string_view control) const;
  Control& at(std::string_view control);
  Control& changing(std::string_view control);  // tells onChange, then gives at()

  ControlMap<Control> controls_;
  SurfaceFactory surfaces_;
  std::string caption_{kWindowCaption};
  int width_ = kDesignedClientWidth;  // without a frame, the outer size is the client size
  int height_ = kDesignedClientHeight;
  bool autoSize_ = true;
  bool autoScroll_ = true;
};

}  // namespace sattrail
