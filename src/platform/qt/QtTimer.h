// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QTimer>

#include "platform/Timer.h"

namespace sattrail {

// A QTimer behind the Timer interface; the window connects its timeout to the handler.
// Enabling a disabled timer starts a fresh interval; enabling an enabled one changes
// nothing. A new interval restarts a running timer; the same interval again does not.
class QtTimer : public Timer {
 public:
  // No Qt parent: the owner's lifetime is the timer's.
  explicit QtTimer(int milliseconds);

  bool Enabled() const override { return timer_.isActive(); }
  void SetEnabled(bool enabled) override;
  int Interval() const override { return timer_.interval(); }
  void SetInterval(int milliseconds) override;
  QTimer& Qt() { return timer_; }

 private:
  QTimer timer_;
};

}  // namespace sattrail
