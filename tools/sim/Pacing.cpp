// SPDX-License-Identifier: BSD-2-Clause
#include "Pacing.h"

#include <cmath>

namespace sattrail::sim {

std::size_t Pacer::Allowance(double now) const {
  if (now <= start_) return 0;
  // A tiny margin keeps 0.1 s at 4800 bit/s from coming out as 47.999... bytes.
  const auto due = static_cast<std::size_t>(std::floor((now - start_) * rate() + 1e-9));
  return due > sent_ ? due - sent_ : 0;
}

}  // namespace sattrail::sim
