// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <stdexcept>
#include <string>

namespace sattrail {

// The error family that the default exception dialog shows: port failures during opening
// ("PurgeComm failed.") and conversion errors of received text.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace sattrail
