// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace sattrail {

// One file that received bytes are recorded into. Destroying it closes the file without
// asking whether that worked; Close says.
class RecordFile {
 public:
  virtual ~RecordFile() = default;
  // Writes all of the bytes, in order, after those written before.
  virtual bool Write(const std::uint8_t* bytes, std::size_t count) = 0;
  virtual bool Close() = 0;
  // The system's reason for the last failed call ("No space left on device").
  virtual std::string LastErrorText() const = 0;
};

class RecordFiles {
 public:
  virtual ~RecordFiles() = default;
  enum class Mode { Replace, Append };
  // Creates the file when it is missing; Replace empties one that is there. Null on failure,
  // with the system's reason in `reason`.
  virtual std::unique_ptr<RecordFile> Open(const std::string& path, Mode mode,
                                           std::string& reason) = 0;
};

}  // namespace sattrail
