// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QColor>
#include <QComboBox>
#include <QImage>
#include <QString>
#include <QTextLayout>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "platform/qt/RepeatSkippingCanvas.h"

namespace sattrail {

// Texts of the logic are 8-bit strings: Latin-1, except the degree sign, which the logic
// holds as the two bytes 0xA2 0x58 and the screen shows as U+00B0.
QString ToQString(std::string_view bytes);
std::string FromQString(const QString& text);

// A framed panel without caption: an etched frame whose top edge lies half a text line
// below the panel's top, over the panel's own colour or, without one, its parent's.
class PanelControl : public QWidget {
  Q_OBJECT
 public:
  explicit PanelControl(QWidget* parent);
  void SetColour(QColor colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;  // invalid: the parent's colour shows through
};

// A rectangle shape: filled with its brush colour inside a one-pixel black outline.
class ShapeControl : public QWidget {
  Q_OBJECT
 public:
  explicit ShapeControl(QWidget* parent);
  void SetBrush(QColor colour) { brush_ = colour; }
  QColor Brush() const { return brush_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor brush_ = Qt::white;
};

// An image control: shows the picture of its drawing surface, which comes into being on
// first use at the control's own size and the screen's resolution. A transparent image lets
// its parent show through wherever the picture has the colour of its bottom-left pixel.
// Drawing changes the picture only; its owner settles the drawing once it is complete, and
// the control then asks for a repaint of the pixels the drawing changed. The picture as
// shown (with its transparent pixels cleared) is made once after each change, so a paint is
// a plain copy.
class ImageControl : public QWidget {
  Q_OBJECT
 public:
  ImageControl(QWidget* parent, bool transparent);
  ~ImageControl() override;

  Canvas& Surface();
  // Ends the drawing under way, if a drawing has started since the last settle, and marks
  // the smallest rectangle that holds every pixel it changed for the next paint.
  void Settle();
  // The picture at its device resolution; null until the surface is first used.
  const QImage* Picture();
  bool Transparent() const { return transparent_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QImage& shown();

  std::unique_ptr<RepeatSkippingCanvas> canvas_;
  bool transparent_;
  bool drawing_ = false;  // a drawing has started and is not settled yet
  bool changed_ = false;  // the drawing under way has changed the picture
  bool stale_ = true;     // the picture changed since keyed_ was made
  QImage keyed_;          // the transparent picture as shown
  QImage settled_;        // the picture as it was at the last settle
};

// The memo of the raw stream. Its text is kept byte for byte as written, line ends
// included; the screen shows it from the first line, without wrapping or scroll bars, on
// an opaque background. The text may change line by line many times between two paints:
// a change costs nothing on screen until the next paint, which lays out the few lines in
// view. The mouse neither focuses it nor selects text in it.
class MemoControl : public QWidget {
  Q_OBJECT
 public:
  explicit MemoControl(QWidget* parent);
  const std::string& Bytes() const { return bytes_; }
  void SetBytes(std::string_view bytes);
  // Removes the first line with its line feed; without a line feed, the whole text.
  void DeleteFirstLine();
  // The text as the screen shows it: the degree sign as such, lines ended by LF alone.
  QString ShownText() const;

 signals:
  // After every change of the bytes, for observers that follow the stream line by line.
  void BytesChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // A line in view, laid out once: most lines stay in view for several paints, moving up.
  struct ShownLine {
    QString text;
    std::unique_ptr<QTextLayout> layout;
  };

  void changed();
  std::unique_ptr<QTextLayout> takeLayout(const QString& line);
  // How many of the line's characters can reach into view.
  qsizetype visibleLength(const QString& line);

  std::string bytes_;
  std::vector<ShownLine> shown_;  // the lines of the last paint
  std::vector<int> advances_;     // of the characters 0 to 255 in the memo's font
  bool repaintAsked_ = false;     // a paint of the whole memo is on its way
};

// A drop-down combo box with an editable text. The selected index is the entry last picked
// from the list (or set as current by the program), -1 before any pick and again after the
// user edits the text. A pick is a choice in the open list (mouse or keyboard) or a step
// through the entries with the arrow keys or the wheel on the closed box; a text that merely
// equals an entry selects nothing, whether Enter, Tab or a click elsewhere follows it.
class ComboControl : public QComboBox {
  Q_OBJECT
 public:
  explicit ComboControl(QWidget* parent);
  int SelectedIndex() const { return selected_; }
  void SetText(const QString& text);
  // Runs just before the list opens, e.g. to refresh the entries' tool tips.
  std::function<void(ComboControl&)> beforeListOpens;

  void showPopup() override;

 signals:
  // The user picked an entry or edited the text.
  void Changed();

 private:
  int selected_ = -1;
};

}  // namespace sattrail
