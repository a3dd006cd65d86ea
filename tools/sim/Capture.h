// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// A recorded receiver stream split into epochs: a new epoch begins at each RMC or GGA line
// whose time differs from the epoch's time so far. Lines starting with "#" and empty lines
// are skipped; every line is sent with CR LF, whatever line end the file had.

#include <istream>
#include <string>
#include <vector>

namespace sattrail::sim {

using CaptureEpoch = std::vector<std::string>;  // framed lines, each ending in CR LF

std::vector<CaptureEpoch> SplitCapture(std::istream& in);

// The time field of an RMC or GGA line of any talker ("$GPRMC,123519.00,..." gives
// "123519.00"), empty for other lines.
std::string EpochTimeOf(const std::string& line);

}  // namespace sattrail::sim
