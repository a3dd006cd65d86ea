// SPDX-License-Identifier: BSD-2-Clause
#include "replay/OffscreenGui.h"

#include <cstdlib>

namespace sattrail::replay {

OffscreenGui::OffscreenGui() {
  if (QCoreApplication::instance() != nullptr) return;
  ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

OffscreenGui::~OffscreenGui() = default;

}  // namespace sattrail::replay
