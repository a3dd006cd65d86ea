#pragma once

#include <QImage>

#include "platform/Canvas.h"

namespace sattrail {

// A drawing surface over a QImage of the image control's size.
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
  std::string fontName_;
  int fontPoints_ = 8;
};

}  // namespace sattrail
