// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QGuiApplication>
#include <memory>

namespace sattrail::replay {

// The Qt application that the pictures' fonts need, on the offscreen platform unless the
// caller chose another one: the tool runs without a display.
class OffscreenGui {
 public:
  OffscreenGui();
  ~OffscreenGui();
  OffscreenGui(const OffscreenGui&) = delete;
  OffscreenGui& operator=(const OffscreenGui&) = delete;

 private:
  int argc_ = 1;
  char name_[16] = "sattrail-replay";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

}  // namespace sattrail::replay
