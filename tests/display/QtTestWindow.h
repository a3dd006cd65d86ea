// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "fakes/FakeWindow.h"
#include "platform/qt/QtCanvas.h"

namespace sattrail::testing {

// A fake window whose two images are real Qt canvases of their inventory sizes, for tests
// that look at the drawn pixels.
class QtTestWindow : public FakeWindow {
 public:
  Canvas& Surface(std::string_view image) override {
    if (image == "Image1") return chart;
    if (image == "Image2") return sky;
    return FakeWindow::Surface(image);
  }

  QtCanvas chart{164, 64};
  QtCanvas sky{94, 98};
};

}  // namespace sattrail::testing
