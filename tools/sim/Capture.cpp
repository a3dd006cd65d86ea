// SPDX-License-Identifier: BSD-2-Clause
#include "Capture.h"

namespace sattrail::sim {

std::string EpochTimeOf(const std::string& line) {
  // "$ttRMC," or "$ttGGA," then the time up to the next comma.
  if (line.size() < 7 || line[0] != '$' || line[6] != ',') return {};
  const std::string type = line.substr(3, 3);
  if (type != "RMC" && type != "GGA") return {};
  const std::size_t end = line.find_first_of(",*", 7);
  return line.substr(7, end == std::string::npos ? std::string::npos : end - 7);
}

std::vector<CaptureEpoch> SplitCapture(std::istream& in) {
  std::vector<CaptureEpoch> epochs;
  std::string epochTime;
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::string time = EpochTimeOf(line);
    if (epochs.empty() || (!time.empty() && !epochTime.empty() && time != epochTime))
      epochs.emplace_back();
    if (!time.empty()) epochTime = time;
    epochs.back().push_back(line + "\r\n");
  }
  return epochs;
}

}  // namespace sattrail::sim
