// SPDX-License-Identifier: BSD-2-Clause
#pragma once

namespace sattrail {

// A disabled timer raises no events; enabling it starts a fresh interval.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual int Interval() const = 0;
  virtual void SetInterval(int milliseconds) = 0;
};

}  // namespace sattrail
