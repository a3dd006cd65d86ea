// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// Byte pacing of a serial line: a byte takes ten bit times (start bit, eight data bits, stop
// bit), so a line at 4800 bit/s carries 480 bytes a second.

#include <cstddef>

namespace sattrail::sim {

constexpr double BytesPerSecond(int bitsPerSecond) {
  return bitsPerSecond / 10.0;
}
constexpr double SecondsPerByte(int bitsPerSecond) {
  return 10.0 / bitsPerSecond;
}

// What one epoch may hold: nine tenths of a second's bytes, so that it has gone out before
// the next epoch starts.
constexpr std::size_t EpochByteBudget(int bitsPerSecond) {
  return static_cast<std::size_t>(BytesPerSecond(bitsPerSecond) * 0.9);
}

// Counts the bytes a line at the given speed may have sent since the pacer was started.
class Pacer {
 public:
  explicit Pacer(int bitsPerSecond) : bitsPerSecond_(bitsPerSecond) {}

  // Begins a run of bytes at time now (seconds, any origin).
  void Start(double now) {
    start_ = now;
    sent_ = 0;
  }

  // How many further bytes are due at time now.
  std::size_t Allowance(double now) const;

  void Sent(std::size_t bytes) { sent_ += bytes; }

  // When the next byte is due.
  double NextByteTime() const { return start_ + static_cast<double>(sent_ + 1) / rate(); }

 private:
  double rate() const { return BytesPerSecond(bitsPerSecond_); }

  int bitsPerSecond_;
  double start_ = 0;
  std::size_t sent_ = 0;
};

}  // namespace sattrail::sim
