// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/Timer.h"

namespace sattrail::testing {

class FakeTimer : public Timer {
 public:
  explicit FakeTimer(int interval) : interval_(interval) {}
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    if (enabled) ++starts;
  }
  int Interval() const override { return interval_; }
  void SetInterval(int milliseconds) override { interval_ = milliseconds; }

  int starts = 0;  // how often it was enabled

 private:
  bool enabled_ = false;
  int interval_;
};

}  // namespace sattrail::testing
