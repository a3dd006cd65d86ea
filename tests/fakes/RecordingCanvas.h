// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace sattrail::testing {

// Records every drawing operation with the settings in force when it ran.
class RecordingCanvas : public Canvas {
 public:
  enum class Kind { RoundRect, Ellipse, Text };
  struct Operation {
    Kind kind = Kind::Text;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // text: (x1, y1) is the cell's corner
    int cornerWidth = 0, cornerHeight = 0;
    std::string text;
    Color pen, brush, fontColor;
    std::string fontName;
    int fontPoints = 0;
  };

  RecordingCanvas(int width, int height) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPenColor(Color color) override { pen_ = color; }
  void SetBrushColor(Color color) override { brush_ = color; }
  void SetFontColor(Color color) override { fontColor_ = color; }
  void SetFontName(std::string_view face) override { fontName_ = face; }
  void SetFontSize(int points) override { fontPoints_ = points; }
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, std::string_view text) override;

  const std::vector<Operation>& Operations() const { return operations_; }
  std::vector<Operation> OperationsOf(Kind kind) const;
  void Clear() { operations_.clear(); }

  Color pen() const { return pen_; }
  Color brush() const { return brush_; }
  Color fontColor() const { return fontColor_; }

 private:
  Operation Begin(Kind kind) const;

  int width_;
  int height_;
  Color pen_{0, 0, 0};
  Color brush_{255, 255, 255};
  Color fontColor_{0, 0, 0};
  std::string fontName_;
  int fontPoints_ = 8;
  std::vector<Operation> operations_;
};

}  // namespace sattrail::testing
