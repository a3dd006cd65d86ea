// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "fakes/TestWindow.h"
#include "platform/qt/QtCanvas.h"

namespace sattrail::testing {

// The started window whose two images are real Qt canvases of their inventory sizes, for
// tests that look at the drawn pixels.
using QtTestWindow = StartedWindow<QtCanvas>;

}  // namespace sattrail::testing
