// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "fakes/RecordingCanvas.h"
#include "platform/Window.h"

namespace sattrail::testing {

// A window of plain values: every control springs into being on first use with empty text,
// unticked, visible, Left 0 and ItemIndex -1. Image1 and Image2 get recording canvases of
// their inventory sizes. The memo keeps its text byte for byte.
class FakeWindow : public Window {
 public:
  struct Control {
    std::string text;
    bool checked = false;
    bool visible = true;
    int left = 0;
    int itemIndex = -1;
    int repaints = 0;
  };

  FakeWindow();

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

  // Test set-up and inspection.
  Control& At(std::string_view control);
  void SetItemIndex(std::string_view comboBox, int index) { At(comboBox).itemIndex = index; }
  RecordingCanvas& Chart() { return canvas("Image1"); }  // the signal chart
  RecordingCanvas& Sky() { return canvas("Image2"); }    // the sky plot
  const std::map<std::string, Control, std::less<>>& Controls() const { return controls_; }
  // Called on every SetText, for tests that watch the order of writes.
  std::function<void(std::string_view control, std::string_view text)> onSetText;

 private:
  RecordingCanvas& canvas(std::string_view image);

  mutable std::map<std::string, Control, std::less<>> controls_;
  std::map<std::string, std::unique_ptr<RecordingCanvas>, std::less<>> canvases_;
  std::string caption_ = "GPS 1.4A";
  int width_ = 390;
  int height_ = 264;
  bool autoSize_ = true;
  bool autoScroll_ = true;
};

}  // namespace sattrail::testing
