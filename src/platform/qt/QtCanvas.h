// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QFont>
#include <QImage>
#include <optional>
#include <string>

#include "platform/Canvas.h"

namespace sattrail {

// A drawing surface over a QImage of the image control's size, drawn without antialiasing
// so that figures land on whole pixels as the classic GDI puts them: a figure from (x1, y1)
// to (x2, y2) covers the pixels x1 to x2 - 1 and y1 to y2 - 1, its 1-pixel outline on the
// outermost of them. The picture starts white, pen and font black, brush white; the font
// starts as Liberation Sans of 11 pixels. Font sizes in points become pixel heights at 96
// pixels per inch whatever the screen, so pictures are the same on every display.
class QtCanvas : public Canvas {
 public:
  QtCanvas(int width, int height);

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  void SetPenColor(Color color) override;
  void SetBrushColor(Color color) override;
  void SetFontColor(Color color) override;
  void SetFontName(std::string_view face) override;
  void SetFontSize(int points) override;
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, std::string_view text) override;

  const QImage& Image() const { return image_; }

 private:
  QImage image_;
  Color pen_{0, 0, 0};
  Color brush_{255, 255, 255};
  Color fontColor_{0, 0, 0};
  std::string fontName_ = "Liberation Sans";
  int fontPixels_ = 11;
  std::optional<QFont> font_;  // built from the name and size on the first text after a change
};

}  // namespace sattrail
