// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/RecordFile.h"

namespace sattrail {

// Record files on Linux: plain descriptors, blocking writes of whole buffers.
class LinuxRecordFiles : public RecordFiles {
 public:
  std::unique_ptr<RecordFile> Open(const std::string& path, Mode mode,
                                   std::string& reason) override;
};

}  // namespace sattrail
