#pragma once

#include <QTimer>

#include "platform/Timer.h"

namespace sattrail {

// A QTimer behind the Timer interface; the window connects its timeout to the handler.
class QtTimer : public Timer {
 public:
  explicit QtTimer(QObject* parent) : timer_(parent) {}
  bool Enabled() const override { return timer_.isActive(); }
  void SetEnabled(bool enabled) override {
    if (enabled) {
      timer_.start();
    } else {
      timer_.stop();
    }
  }
  int Interval() const override { return timer_.interval(); }
  void SetInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
  QTimer& Qt() { return timer_; }

 private:
  QTimer timer_;
};

}  // namespace sattrail
