// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/Inventory.h"
#include "platform/ControlMap.h"
#include "platform/Window.h"
#include "platform/qt/QtCanvas.h"

namespace sattrail::replay {

// The main window without widgets: every control of the inventory with its initial text (as
// the window shows it after start-up), check state, visibility and position, and for the two
// image controls either real Qt pictures or blank surfaces that draw nothing. Reaching a
// control that the window does not have is a programming error, as in the real window.
class RecordingWindow : public Window {
 public:
  enum class Pictures { Blank, Drawn };
  explicit RecordingWindow(Pictures pictures = Pictures::Blank);

  std::string Text(std::string_view control) const override;
  void SetText(std::string_view control, std::string_view text) override;
  bool Checked(std::string_view checkBox) const override;
  void SetChecked(std::string_view checkBox, bool ticked) override;
  bool Visible(std::string_view control) const override;
  void SetVisible(std::string_view control, bool visible) override;
  int Left(std::string_view control) const override;
  void SetLeft(std::string_view control, int left) override;
  int ItemIndex(std::string_view comboBox) const override;
  void DeleteFirstLine(std::string_view memo) override;
  void Repaint(std::string_view control) override;
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

  // The picture of "Image1" or "Image2", created at its control's size if nothing drew yet;
  // null with blank surfaces.
  const QtCanvas* Picture(std::string_view image);

 private:
  struct Control {
    std::string text;
    bool checked = false;
    bool visible = true;
    int left = 0;
    int itemIndex = -1;
  };

  Control& At(std::string_view control);
  const Control& At(std::string_view control) const;

  ControlMap<Control> controls_;
  Pictures pictureKind_;
  std::map<std::string, std::unique_ptr<Canvas>, std::less<>> pictures_;
  std::string caption_ = std::string(kWindowCaption);
  int width_ = 390;
  int height_ = 264;
  bool autoSize_ = true;
  bool autoScroll_ = true;
};

}  // namespace sattrail::replay
