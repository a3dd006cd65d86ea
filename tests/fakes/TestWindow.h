// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <memory>

#include "fakes/RecordingCanvas.h"
#include "form/FormCreate.h"
#include "form/MemoryWindow.h"
#include "platform/ControlNames.h"

namespace sattrail::testing {

// The in-memory window as the monitor starts it (FormCreate has run), its two images drawn
// on pictures of the given kind: recording canvases for the logic's tests, Qt canvases where
// a test looks at the pixels.
template <typename Picture>
class StartedWindow : public MemoryWindow {
 public:
  StartedWindow()
      : MemoryWindow(
            [](int width, int height) { return std::make_unique<Picture>(width, height); }) {
    FormCreate(*this);
  }

  Picture& Chart() { return picture(control::Image1); }  // the signal chart
  Picture& Sky() { return picture(control::Image2); }    // the sky plot

 private:
  Picture& picture(std::string_view image) { return static_cast<Picture&>(Surface(image)); }
};

using TestWindow = StartedWindow<RecordingCanvas>;

}  // namespace sattrail::testing
