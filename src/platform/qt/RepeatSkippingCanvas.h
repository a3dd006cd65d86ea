// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QImage>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "platform/qt/QtCanvas.h"

namespace sattrail {

// A picture that is redrawn with every cycle of satellites, although from one cycle to the
// next the sky mostly stays as it was. The steps of a drawing are compared with those of the
// drawing already on the picture and drawn only from the first step that differs, the steps
// before it included; a drawing that repeats the last one step for step draws nothing.
// Every step paints its pixels over whatever was there, so drawing the same steps again
// could not change a pixel.
//
// A drawing is the steps between two calls of Settle: the owner settles before it reads the
// picture and once the steps of a drawing are all in.
class RepeatSkippingCanvas : public Canvas {
 public:
  // started: the first step of a drawing has come. changed: the drawing under way has
  // changed the picture (once per drawing).
  RepeatSkippingCanvas(int width, int height, qreal devicePixelRatio, std::function<void()> started,
                       std::function<void()> changed);

  int Width() const override { return canvas_.Width(); }
  int Height() const override { return canvas_.Height(); }
  // Every call is taken as one step of the drawing.
  void SetPenColor(Color color) override { take(Kind::PenColor, {}, color); }
  void SetBrushColor(Color color) override { take(Kind::BrushColor, {}, color); }
  void SetFontColor(Color color) override { take(Kind::FontColor, {}, color); }
  void SetFontName(std::string_view face) override { take(Kind::FontName, {}, {}, face); }
  void SetFontSize(int points) override { take(Kind::FontSize, {points}); }
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) override {
    take(Kind::RoundRect, {x1, y1, x2, y2, cornerWidth, cornerHeight});
  }
  void Ellipse(int x1, int y1, int x2, int y2) override { take(Kind::Ellipse, {x1, y1, x2, y2}); }
  void TextOut(int x, int y, std::string_view text) override { take(Kind::Text, {x, y}, {}, text); }

  // Ends the drawing under way: one that repeated only the first steps of the last one
  // draws them now.
  void Settle();
  // The picture with every step so far.
  const QImage& Image();

 private:
  enum class Kind { PenColor, BrushColor, FontColor, FontName, FontSize, RoundRect, Ellipse, Text };
  struct Step {
    Kind kind;
    std::array<int, 6> numbers{};
    Color color{};
    std::string text;
    friend bool operator==(const Step&, const Step&) = default;
  };

  void take(Kind kind, std::array<int, 6> numbers = {}, Color color = {},
            std::string_view text = {});
  void draw(const Step& step);

  QtCanvas canvas_;
  std::vector<Step> drawn_;    // the last settled drawing, which the picture shows
  std::vector<Step> drawing_;  // the drawing under way
  bool repeating_ = true;      // every step so far repeats the one of drawn_ at its place
  bool reported_ = false;      // the drawing under way has changed the picture already
  std::function<void()> started_;
  std::function<void()> changed_;
};

}  // namespace sattrail
