// SPDX-License-Identifier: BSD-2-Clause
#include "platform/qt/QtTimer.h"

namespace sattrail {

QtTimer::QtTimer(int milliseconds) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(milliseconds);
}

void QtTimer::SetEnabled(bool enabled) {
  if (enabled == timer_.isActive()) return;
  if (enabled) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

void QtTimer::SetInterval(int milliseconds) {
  if (milliseconds == timer_.interval()) return;
  timer_.setInterval(milliseconds);  // a running QTimer restarts with the new interval
}

}  // namespace sattrail
