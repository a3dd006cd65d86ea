// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <string_view>

namespace sattrail {

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

// The drawing surface of an image control. Pen, brush and font settings persist between
// calls until set again. In both figures the right and bottom bounds are exclusive, and
// corners given in either order describe the same figure.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetPenColor(Color color) = 0;
  virtual void SetBrushColor(Color color) = 0;
  virtual void SetFontColor(Color color) = 0;
  virtual void SetFontName(std::string_view face) = 0;
  // Character height in pixels is points * 96 / 72, rounded to nearest.
  virtual void SetFontSize(int points) = 0;

  // Outline in the pen colour, inside filled with the brush colour.
  virtual void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  // The text cell's top-left corner at (x, y); the cell is filled with the brush colour and
  // the characters drawn in the font colour. The text is 8-bit (Latin-1).
  virtual void TextOut(int x, int y, std::string_view text) = 0;
};

}  // namespace sattrail
