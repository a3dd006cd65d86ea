// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/Canvas.h"

namespace sattrail::replay {

// A drawing surface of the right size that draws nothing: the report needs only what a
// drawing drew from, and real pictures cost far more than the rest of a replay together.
class BlankCanvas : public Canvas {
 public:
  BlankCanvas(int width, int height) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPenColor(Color) override {}
  void SetBrushColor(Color) override {}
  void SetFontColor(Color) override {}
  void SetFontName(std::string_view) override {}
  void SetFontSize(int) override {}
  void RoundRect(int, int, int, int, int, int) override {}
  void Ellipse(int, int, int, int) override {}
  void TextOut(int, int, std::string_view) override {}

 private:
  int width_;
  int height_;
};

}  // namespace sattrail::replay
