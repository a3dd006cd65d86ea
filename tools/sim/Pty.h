// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// One pseudo-terminal: the simulator holds the master, the monitor opens the slave.

#include <string>

#include "platform/linux/FileDescriptor.h"

namespace sattrail::sim {

class PseudoTerminal {
 public:
  // Opens a new master (non-blocking) and puts its slave into raw mode. No slave descriptor
  // is kept: a kept one would keep the terminal's exclusive-use flag alive after the monitor
  // closed it, and the monitor could not open it again.
  bool Open(std::string* error);
  void Close() { master_.Reset(); }

  bool IsOpen() const { return master_.IsOpen(); }
  int master() const { return master_.get(); }
  const std::string& slaveName() const { return slaveName_; }

 private:
  FileDescriptor master_;
  std::string slaveName_;
};

}  // namespace sattrail::sim
