// SPDX-License-Identifier: BSD-2-Clause
#include "platform/qt/RepeatSkippingCanvas.h"

#include <utility>

namespace sattrail {

RepeatSkippingCanvas::RepeatSkippingCanvas(int width, int height, qreal devicePixelRatio,
                                           std::function<void()> started,
                                           std::function<void()> changed)
    : canvas_(width, height, devicePixelRatio),
      started_(std::move(started)),
      changed_(std::move(changed)) {}

void RepeatSkippingCanvas::take(Kind kind, std::array<int, 6> numbers, Color color,
                                std::string_view text) {
  if (drawing_.empty()) started_();
  drawing_.push_back(Step{kind, numbers, color, std::string(text)});
  if (repeating_) {
    const std::size_t at = drawing_.size() - 1;
    if (at < drawn_.size() && drawn_[at] == drawing_.back()) return;
    // The steps skipped so far paint over what the last drawing left after them.
    repeating_ = false;
    for (std::size_t earlier = 0; earlier < at; ++earlier) draw(drawing_[earlier]);
  }
  draw(drawing_.back());
}

void RepeatSkippingCanvas::draw(const Step& step) {
  const auto& n = step.numbers;
  switch (step.kind) {
    case Kind::PenColor:
      return canvas_.SetPenColor(step.color);
    case Kind::BrushColor:
      return canvas_.SetBrushColor(step.color);
    case Kind::FontColor:
      return canvas_.SetFontColor(step.color);
    case Kind::FontName:
      return canvas_.SetFontName(step.text);
    case Kind::FontSize:
      return canvas_.SetFontSize(n[0]);
    case Kind::RoundRect:
      canvas_.RoundRect(n[0], n[1], n[2], n[3], n[4], n[5]);
      break;
    case Kind::Ellipse:
      canvas_.Ellipse(n[0], n[1], n[2], n[3]);
      break;
    case Kind::Text:
      canvas_.TextOut(n[0], n[1], step.text);
      break;
  }
  // Once per drawing: at the settle the owner compares the whole picture with the last one.
  if (!reported_) changed_();
  reported_ = true;
}

void RepeatSkippingCanvas::Settle() {
  if (drawing_.empty()) return;
  if (repeating_ && drawing_.size() < drawn_.size()) {
    // Fewer steps than last time: what the missing steps drew must go.
    for (const Step& step : drawing_) draw(step);
  }
  if (!repeating_ || drawing_.size() != drawn_.size()) drawn_ = std::move(drawing_);
  drawing_.clear();
  repeating_ = true;
  reported_ = false;
}

const QImage& RepeatSkippingCanvas::Image() {
  Settle();
  return canvas_.Image();
}

}  // namespace sattrail
