// SPDX-License-Identifier: BSD-2-Clause
#include "platform/qt/QtCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <utility>

namespace sattrail {

namespace {

QColor ToQColor(Color color) {
  return QColor(color.red, color.green, color.blue);
}

// The pixels a figure covers: the right and bottom bounds are exclusive, and corners may
// come in either order.
QRect CoveredPixels(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
}

constexpr std::size_t kShapedTextsKept = 256;

// The window toolkit's names for its sans faces are served by their metric twin.
QString FontFamily(const std::string& face) {
  if (face == "Arial" || face == "MS Sans Serif") return QStringLiteral("Liberation Sans");
  return QString::fromLatin1(face.data(), static_cast<qsizetype>(face.size()));
}

}  // namespace

QtCanvas::QtCanvas(int width, int height, qreal devicePixelRatio)
    : width_(width),
      height_(height),
      image_(static_cast<int>(std::ceil(width * devicePixelRatio)),
             static_cast<int>(std::ceil(height * devicePixelRatio)), QImage::Format_RGB32) {
  image_.setDevicePixelRatio(devicePixelRatio);
  image_.fill(Qt::white);
}

// Drawing whole pixels: a 1-pixel pen on a rectangle of width w - 1 paints w columns, which
// is what makes the bounds exclusive.
QPainter& QtCanvas::painter(Color pen, Color brush) {
  if (!painter_.isActive()) {
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
  }
  painter_.setPen(QPen(ToQColor(pen), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter_.setBrush(ToQColor(brush));
  return painter_;
}

void QtCanvas::SetPenColor(Color color) {
  pen_ = color;
}
void QtCanvas::SetBrushColor(Color color) {
  brush_ = color;
}
void QtCanvas::SetFontColor(Color color) {
  fontColor_ = color;
}
void QtCanvas::SetFontName(std::string_view face) {
  if (face != fontName_) font_.reset();
  fontName_ = face;
}

void QtCanvas::SetFontSize(int points) {
  const int pixels = std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
  if (pixels != fontPixels_) font_.reset();
  fontPixels_ = pixels;
}

void QtCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  const QRect pixels = CoveredPixels(x1, y1, x2, y2);
  if (pixels.isEmpty()) return;  // a bar of height 0 draws nothing
  QPainter& painter = this->painter(pen_, brush_);
  if (pixels.width() <= 2 || pixels.height() <= 2) {
    // Nothing but outline.
    painter.fillRect(pixels, ToQColor(pen_));
    return;
  }
  cornerWidth = std::abs(cornerWidth);
  cornerHeight = std::abs(cornerHeight);
  if (cornerWidth > 3 || cornerHeight > 3) {
    painter.drawRoundedRect(pixels.adjusted(0, 0, -1, -1), cornerWidth / 2.0, cornerHeight / 2.0,
                            Qt::AbsoluteSize);
    return;
  }
  // A rounding of 3 x 3 pixels or less has a radius of at most 1.5 pixels: the centre of
  // the corner pixel, sqrt(2) from the arc's centre, still lies inside the figure, so the
  // figure is the plain rectangle. (Qt's own rounding of so small a radius is lopsided.)
  painter.fillRect(pixels, ToQColor(pen_));
  painter.fillRect(pixels.adjusted(1, 1, -1, -1), ToQColor(brush_));
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const QRect pixels = CoveredPixels(x1, y1, x2, y2);
  if (pixels.isEmpty()) return;
  QPainter& painter = this->painter(pen_, brush_);
  if (pixels.width() <= 2 || pixels.height() <= 2) {
    painter.fillRect(pixels, ToQColor(pen_));
    return;
  }
  painter.drawEllipse(pixels.adjusted(0, 0, -1, -1));
}

const QtCanvas::ShapedText& QtCanvas::shaped(std::string_view text) {
  if (!font_) {
    font_.emplace(FontFamily(fontName_));
    font_->setPixelSize(fontPixels_);
    // Plain pixels in the font colour, no blending with the cell.
    font_->setStyleStrategy(QFont::NoAntialias);
    metrics_.emplace(*font_);
    shaped_.clear();
  }
  if (const auto known = shaped_.find(text); known != shaped_.end()) return known->second;
  // Numbers out of a broken stream could be endless; what is kept stays small.
  if (shaped_.size() >= kShapedTextsKept) shaped_.clear();
  const QString characters = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  QTextLayout layout(characters, *font_);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  ShapedText entry{layout.glyphRuns(), line.ascent(), metrics_->horizontalAdvance(characters)};
  return shaped_.emplace(std::string(text), std::move(entry)).first->second;
}

void QtCanvas::TextOut(int x, int y, std::string_view text) {
  const ShapedText& cell = shaped(text);
  const QFontMetrics& metrics = *metrics_;
  QPainter& painter = this->painter(fontColor_, brush_);
  painter.fillRect(QRect(x, y, cell.width, metrics.height()), ToQColor(brush_));
  // The glyphs stand on the line's baseline; the cell's lies the font's ascent below its top.
  const QPointF origin(x, y + metrics.ascent() - cell.lineAscent);
  for (const QGlyphRun& run : cell.glyphs) painter.drawGlyphRun(origin, run);
}

}  // namespace sattrail
