// SPDX-License-Identifier: BSD-2-Clause
#include "fakes/RecordingCanvas.h"

namespace sattrail::testing {

RecordingCanvas::Operation RecordingCanvas::Begin(Kind kind) const {
  Operation op;
  op.kind = kind;
  op.pen = pen_;
  op.brush = brush_;
  op.fontColor = fontColor_;
  op.fontName = fontName_;
  op.fontPoints = fontPoints_;
  return op;
}

void RecordingCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth,
                                int cornerHeight) {
  Operation op = Begin(Kind::RoundRect);
  op.x1 = x1;
  op.y1 = y1;
  op.x2 = x2;
  op.y2 = y2;
  op.cornerWidth = cornerWidth;
  op.cornerHeight = cornerHeight;
  operations_.push_back(std::move(op));
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Operation op = Begin(Kind::Ellipse);
  op.x1 = x1;
  op.y1 = y1;
  op.x2 = x2;
  op.y2 = y2;
  operations_.push_back(std::move(op));
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
  Operation op = Begin(Kind::Text);
  op.x1 = x;
  op.y1 = y;
  op.text = text;
  operations_.push_back(std::move(op));
}

std::vector<RecordingCanvas::Operation> RecordingCanvas::OperationsOf(Kind kind) const {
  std::vector<Operation> result;
  for (const Operation& op : operations_) {
    if (op.kind == kind) result.push_back(op);
  }
  return result;
}

}  // namespace sattrail::testing
