// SPDX-License-Identifier: BSD-2-Clause
#include "platform/qt/QtControls.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>
#include <cstring>

#include "platform/DegreeSign.h"

namespace sattrail {

namespace {

constexpr char16_t kShownDegreeSign = u'\u00B0';

// The frame of a panel starts half a text line down; the window font's line is 13 pixels.
constexpr int kTextLineHeight = 13;

// The smallest rectangle holding every pixel in which two pictures differ; all of the new
// picture when their sizes or formats differ. Both hold 32-bit pixels.
QRect ChangedPixels(const QImage& before, const QImage& after) {
  if (before.size() != after.size() || before.format() != after.format()) return after.rect();
  const int width = after.width();
  const auto rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
  QRect changed;
  for (int y = 0; y < after.height(); ++y) {
    const auto* old = reinterpret_cast<const QRgb*>(before.constScanLine(y));
    const auto* now = reinterpret_cast<const QRgb*>(after.constScanLine(y));
    if (std::memcmp(old, now, rowBytes) == 0) continue;
    int left = 0;
    while (old[left] == now[left]) ++left;
    int right = width - 1;
    while (old[right] == now[right]) --right;
    changed |= QRect(QPoint(left, y), QPoint(right, y));
  }
  return changed;
}

// The logical rectangle that covers a rectangle of device pixels.
QRect LogicalCover(const QRect& pixels, qreal devicePixelRatio) {
  const auto floor = [devicePixelRatio](int at) {
    return static_cast<int>(std::floor(at / devicePixelRatio));
  };
  const auto ceil = [devicePixelRatio](int at) {
    return static_cast<int>(std::ceil(at / devicePixelRatio));
  };
  return QRect(QPoint(floor(pixels.left()), floor(pixels.top())),
               QPoint(ceil(pixels.right() + 1) - 1, ceil(pixels.bottom() + 1) - 1));
}

}  // namespace

QString ToQString(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (DegreeSignAt(bytes, i)) {
      text.append(QChar(kShownDegreeSign));
      ++i;
    } else {
      text.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]))));
    }
  }
  return text;
}

std::string FromQString(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar character : text) {
    const char16_t code = character.unicode();
    if (code == kShownDegreeSign) {
      bytes += kDegreeSign;
    } else {
      // Nothing beyond Latin-1 has an 8-bit code here.
      bytes.push_back(code < 0x100 ? static_cast<char>(code) : '?');
    }
  }
  return bytes;
}

PanelControl::PanelControl(QWidget* parent) : QWidget(parent) {}

// A control that paints every pixel of its rectangle says so: the toolkit then paints
// nothing of what lies beneath it when it changes, or when a box on it changes.
void PanelControl::SetColour(QColor colour) {
  colour_ = colour;
  setAttribute(Qt::WA_OpaquePaintEvent, colour_.isValid() && colour_.alpha() == 255);
}

void PanelControl::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (colour_.isValid()) painter.fillRect(rect(), colour_);
  // Etched frame: a highlight rectangle one pixel right and down of a shadow rectangle.
  const int top = kTextLineHeight / 2 - 1;
  const int w = width();
  const int h = height();
  painter.setPen(Qt::NoPen);
  auto frame = [&painter](int x1, int y1, int x2, int y2, const QColor& colour) {
    if (x2 <= x1 || y2 <= y1) return;
    painter.fillRect(x1, y1, x2 - x1, 1, colour);
    painter.fillRect(x1, y2 - 1, x2 - x1, 1, colour);
    painter.fillRect(x1, y1, 1, y2 - y1, colour);
    painter.fillRect(x2 - 1, y1, 1, y2 - y1, colour);
  };
  frame(1, top + 1, w, h, palette().color(QPalette::Light));
  frame(0, top, w - 1, h - 1, palette().color(QPalette::Dark));
}

ShapeControl::ShapeControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the black outline's fill covers it whole
}

void ShapeControl::paintEvent(QPaintEvent* /*event*/) {
  if (width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (width() > 2 && height() > 2) painter.fillRect(1, 1, width() - 2, height() - 2, brush_);
}

ImageControl::ImageControl(QWidget* parent, bool transparent)
    : QWidget(parent), transparent_(transparent) {}

ImageControl::~ImageControl() = default;

Canvas& ImageControl::Surface() {
  if (!canvas_) {
    canvas_ = std::make_unique<RepeatSkippingCanvas>(
        width(), height(), devicePixelRatioF(),
        // The window settles the drawing once the handler that draws it is done, rather than
        // through a posted event: a posted event wakes the loop with a system call.
        [this] { drawing_ = true; }, [this] { stale_ = changed_ = true; });
    // The picture covers the control whole, with opaque pixels unless some are keyed out.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
  }
  return *canvas_;
}

void ImageControl::Settle() {
  if (!drawing_) return;
  drawing_ = false;
  canvas_->Settle();
  if (!changed_) return;
  changed_ = false;
  // A cycle of satellites mostly moves a few bars and discs; the rest of the picture, and
  // with it most of what would be sent to the screen, stays as it was.
  const QImage& picture = canvas_->Image();
  QRect changed = ChangedPixels(settled_, picture);
  if (transparent_ && !changed.isEmpty() && !settled_.isNull() &&
      settled_.pixel(0, settled_.height() - 1) != picture.pixel(0, picture.height() - 1)) {
    changed = picture.rect();  // another transparent colour: other pixels show through
  }
  if (settled_.size() == picture.size() && settled_.format() == picture.format()) {
    std::memcpy(settled_.bits(), picture.constBits(),
                static_cast<std::size_t>(picture.sizeInBytes()));
  } else {
    settled_ = picture.copy();
  }
  if (!changed.isEmpty()) update(LogicalCover(changed, picture.devicePixelRatio()));
}

const QImage* ImageControl::Picture() {
  return canvas_ ? &canvas_->Image() : nullptr;
}

const QImage& ImageControl::shown() {
  const QImage& picture = canvas_->Image();
  if (!transparent_) return picture;
  if (stale_ || keyed_.isNull()) {
    // Once per change of the picture, not per paint.
    keyed_ = QImage(picture.size(), QImage::Format_ARGB32_Premultiplied);
    keyed_.setDevicePixelRatio(picture.devicePixelRatio());
    const QRgb key = picture.pixel(0, picture.height() - 1) | 0xFF000000u;
    for (int y = 0; y < picture.height(); ++y) {
      const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
      auto* to = reinterpret_cast<QRgb*>(keyed_.scanLine(y));
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb opaque = from[x] | 0xFF000000u;
        to[x] = opaque == key ? 0 : opaque;
      }
    }
  }
  stale_ = false;
  return keyed_;
}

void ImageControl::paintEvent(QPaintEvent* /*event*/) {
  if (!canvas_) return;  // an empty picture shows nothing
  const QImage& picture = shown();
  if (picture.isNull()) return;
  // The picture has the control's size at the screen's resolution: a copy, no scaling.
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), picture);
}

namespace {

// The memo's text starts this far in from its top-left corner.
constexpr int kMemoMargin = 1;

}  // namespace

MemoControl::MemoControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void MemoControl::SetBytes(std::string_view bytes) {
  bytes_ = bytes;
  changed();
}

void MemoControl::DeleteFirstLine() {
  const std::size_t lineFeed = bytes_.find('\n');
  bytes_.erase(0, lineFeed == std::string::npos ? bytes_.size() : lineFeed + 1);
  changed();
}

QString MemoControl::ShownText() const {
  // Line ends are CR LF; the screen needs only the LF.
  QString text = ToQString(bytes_);
  text.remove(QChar(u'\r'));
  return text;
}

void MemoControl::changed() {
  // A poll brings several lines, each a change; asking the toolkit for the same repaint
  // again for each of them costs more than the check.
  if (!repaintAsked_) update();
  repaintAsked_ = true;
  emit BytesChanged();
}

std::unique_ptr<QTextLayout> MemoControl::takeLayout(const QString& line) {
  for (ShownLine& shown : shown_) {
    if (shown.layout && shown.text == line) return std::move(shown.layout);
  }
  auto layout = std::make_unique<QTextLayout>(line, font(), this);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout->setTextOption(option);
  layout->setCacheEnabled(true);  // keeps the shaped glyphs past endLayout
  layout->beginLayout();
  layout->createLine();
  layout->endLayout();
  return layout;
}

qsizetype MemoControl::visibleLength(const QString& line) {
  if (advances_.empty()) {
    const QFontMetrics metrics(font(), this);
    for (char16_t code = 0; code < 256; ++code)
      advances_.push_back(metrics.horizontalAdvance(QChar(code)));
  }
  // Laying out a sentence of 70 characters costs more than showing the 30 that fit. The
  // advances here ignore kerning, which moves glyphs by a pixel or so: half a width more
  // than the control keeps everything that can show.
  const int wanted = width() + width() / 2;
  int advance = 0;
  qsizetype length = 0;
  while (length < line.size() && advance <= wanted) {
    const char16_t code = line[length].unicode();
    advance += code < advances_.size() ? advances_[code]
                                       : QFontMetrics(font(), this).horizontalAdvance(line[length]);
    ++length;
  }
  return length;
}

void MemoControl::paintEvent(QPaintEvent* /*event*/) {
  repaintAsked_ = false;
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  painter.setPen(palette().color(QPalette::Text));
  std::vector<ShownLine> inView;
  qreal top = kMemoMargin;
  for (QString& line : ShownText().split(QChar(u'\n'))) {
    if (top >= height()) break;
    line.truncate(visibleLength(line));
    std::unique_ptr<QTextLayout> layout = takeLayout(line);
    if (layout->lineCount() == 0) break;
    layout->draw(&painter, QPointF(kMemoMargin, top));
    top += layout->lineAt(0).height();
    inView.push_back({std::move(line), std::move(layout)});
  }
  shown_ = std::move(inView);
}

void MemoControl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    shown_.clear();
    advances_.clear();
  }
  QWidget::changeEvent(event);
}

ComboControl::ComboControl(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(8);
  setCompleter(nullptr);
  // Only a real pick selects: a choice in the open list, or a step through the entries with
  // the arrow keys or the wheel. The toolkit would also make the entry that equals the typed
  // text current, and report it as activated, when Enter is pressed or the field loses the
  // focus; that path is cut here. (Enter does nothing else while nothing is inserted.)
  if (!disconnect(lineEdit(), SIGNAL(editingFinished()), this, SLOT(_q_editingFinished()))) {
    qWarning("ComboControl: typed text could still select an entry");
  }
  // An entry chosen by the program counts as selected too.
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) { selected_ = index; });
  connect(this, &QComboBox::activated, this, [this](int index) {
    selected_ = index;
    emit Changed();
  });
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
    selected_ = -1;
    emit Changed();
  });
}

void ComboControl::SetText(const QString& text) {
  selected_ = -1;
  setCurrentIndex(-1);
  setEditText(text);
}

void ComboControl::showPopup() {
  if (beforeListOpens) beforeListOpens(*this);
  QComboBox::showPopup();
}

}  // namespace sattrail
