// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The simulator's end of its port: a pseudo-terminal that the link COMn in the port-link
// folder names, and the claim that keeps a second simulator off the port.

#include <filesystem>
#include <ostream>
#include <string>

#include "PortLink.h"
#include "Pty.h"

namespace sattrail::sim {

class SimulatedPort {
 public:
  explicit SimulatedPort(std::ostream& log) : log_(log) {}

  // Makes the port-link folder and claims port n in it. 0 when claimed, else the exit status:
  // 2 when the folder is not to be trusted (a monitor would ignore a link there, so a
  // simulator would serve nobody), 1 when another simulator holds the port.
  int Claim(int port);
  // A new terminal under the link, swapped in one rename so that the name never goes
  // missing; false, and said why, when there is none to be had.
  bool Plug();
  // Removes the link if it still points at the terminal, and closes the terminal.
  void Unplug();
  // Removes the link if it still points at the last terminal plugged in.
  void RemoveLink();
  // Leaves no terminal on record: called last, once the link is gone.
  void Release();

  bool IsOpen() const { return terminal_.IsOpen(); }
  int master() const { return terminal_.master(); }
  const std::filesystem::path& link() const { return link_; }
  const std::string& target() const { return linkTarget_; }

 private:
  void Complain(const std::string& problem);

  std::ostream& log_;
  PseudoTerminal terminal_;
  PortClaim claim_;
  std::filesystem::path link_;
  std::string linkTarget_;
};

}  // namespace sattrail::sim
