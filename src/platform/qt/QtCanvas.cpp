#include "platform/qt/QtCanvas.h"

namespace sattrail {

QtCanvas::QtCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(Qt::white);
}
void QtCanvas::SetPenColor(Color color) { pen_ = color; }
void QtCanvas::SetBrushColor(Color color) { brush_ = color; }
void QtCanvas::SetFontColor(Color color) { fontColor_ = color; }
void QtCanvas::SetFontName(std::string_view face) { fontName_ = face; }
void QtCanvas::SetFontSize(int points) { fontPoints_ = points; }
void QtCanvas::RoundRect(int, int, int, int, int, int) {}
void QtCanvas::Ellipse(int, int, int, int) {}
void QtCanvas::TextOut(int, int, std::string_view) {}

}  // namespace sattrail
