// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string_view>

#include "state/DrawnSatellites.h"

namespace sattrail {

// Watches what line assembly does, for front ends that report on the stream (the replay
// tool, tests). Every callback is optional; the monitor passes none.
class StreamObserver {
 public:
  virtual ~StreamObserver() = default;
  // A line ended, at a line feed or (with no line end of its own) before the "$" of the next
  // sentence; called before it is dispatched or handled as a reply.
  virtual void LineEnded(std::string_view /*line*/, bool /*checksumGood*/) {}
  // A good line has been through DispatchSentence (also when a parser raised).
  virtual void Dispatched(std::string_view /*sentenceId*/) {}
  virtual void ConversionFailed(std::string_view /*message*/) {}
  virtual void SatellitesDrawn(const DrawnSatellites& /*drawn*/) {}
};

}  // namespace sattrail
