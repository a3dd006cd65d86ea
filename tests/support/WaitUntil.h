// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <chrono>
#include <functional>

namespace sattrail::testing {

// Processes events until the condition holds or the bound passes; returns the condition. The
// bound only keeps a broken test from hanging, it is no statement about speed.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds bound = std::chrono::seconds(15)) {
  QDeadlineTimer deadline(bound);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

}  // namespace sattrail::testing
