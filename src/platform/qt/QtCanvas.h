// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPainter>
#include <map>
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
//
// On a scaled desktop the picture has the screen's resolution: with a device pixel ratio r
// the image holds width * r by height * r pixels and every figure is the same drawing step in
// the same logical coordinates, so rings, discs and digits come out sharp rather than
// enlarged pixel by pixel. Width and Height stay the logical size.
//
// One painter, opened with the first figure, serves every figure for the picture's life:
// opening one costs more than most figures, and the raster engine writes each figure
// straight into the image's pixels, so the picture may be read between any two figures.
class QtCanvas : public Canvas {
 public:
  QtCanvas(int width, int height, qreal devicePixelRatio = 1.0);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPenColor(Color color) override;
  void SetBrushColor(Color color) override;
  void SetFontColor(Color color) override;
  void SetFontName(std::string_view face) override;
  void SetFontSize(int points) override;
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, std::string_view text) override;

  // The picture at its device resolution, with every figure so far.
  const QImage& Image() const { return image_; }

 private:
  // A text shaped in the current font. The same few numbers come with every redraw, so each
  // is shaped once and its glyphs are then drawn straight, past the text engine's set-up.
  struct ShapedText {
    QList<QGlyphRun> glyphs;  // placed on a line whose top is at 0
    qreal lineAscent = 0;
    int width = 0;
  };

  QPainter& painter(Color pen, Color brush);
  const ShapedText& shaped(std::string_view text);

  int width_;
  int height_;
  QImage image_;
  QPainter painter_;  // declared after the image it paints on, so it ends first
  Color pen_{0, 0, 0};
  Color brush_{255, 255, 255};
  Color fontColor_{0, 0, 0};
  std::string fontName_ = "Liberation Sans";
  int fontPixels_ = 11;
  // Built from the name and size on the first text after a change.
  std::optional<QFont> font_;
  std::optional<QFontMetrics> metrics_;
  std::map<std::string, ShapedText, std::less<>> shaped_;
};

}  // namespace sattrail
