// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// One pseudo-terminal: the simulator holds the master, the monitor opens the slave.

#include <string>

namespace sattrail::sim {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;
  ~PseudoTerminal() { Close(); }

  // Opens a new master (non-blocking) and puts its slave into raw mode. No slave descriptor
  // is kept: a kept one would keep the terminal's exclusive-use flag alive after the monitor
  // closed it, and the monitor could not open it again.
  bool Open(std::string* error);
  void Close();

  bool IsOpen() const { return master_ >= 0; }
  int master() const { return master_; }
  const std::string& slaveName() const { return slaveName_; }

 private:
  int master_ = -1;
  std::string slaveName_;
};

}  // namespace sattrail::sim
