// SPDX-License-Identifier: BSD-2-Clause
#include "SimulatedPort.h"

#include <vector>

namespace sattrail::sim {

void SimulatedPort::Complain(const std::string& problem) {
  log_ << "sattrail-sim: " << problem << std::endl;
}

int SimulatedPort::Claim(int port) {
  const std::string folder = serial_linux::PortLinkFolder();
  link_ = serial_linux::PortLinkPath(folder, port);
  std::string error;
  if (!serial_linux::MakePortLinkFolder(folder, error)) {
    Complain(error);
    return 2;
  }
  if (!claim_.Take(link_, &error)) {
    Complain(error);
    return 1;
  }
  return 0;
}

bool SimulatedPort::Plug() {
  std::string error;
  if (!terminal_.Open(&error)) {
    Complain(error);
    return false;
  }
  // A link to a recorded terminal is this simulator's own, or was left by one that was
  // killed; either may be replaced. Any other link is left alone unless it leads nowhere.
  const std::vector<std::string> recorded = claim_.targets();
  const std::string previous = PortLinkTarget(link_);
  const bool replace = !previous.empty() && claim_.Recorded(previous);
  std::vector<std::string> targets = recorded;
  targets.push_back(terminal_.slaveName());
  if (!claim_.Record(targets)) Complain("cannot write " + PortLockPath(link_).string());
  if (!PlacePortLink(link_, terminal_.slaveName(), replace, &error)) {
    Complain(error);
    terminal_.Close();
    claim_.Record(recorded);
    return false;
  }
  linkTarget_ = terminal_.slaveName();
  claim_.Record({linkTarget_});
  return true;
}

void SimulatedPort::Unplug() {
  RemoveLink();
  terminal_.Close();
}

void SimulatedPort::RemoveLink() {
  RemovePortLink(link_, linkTarget_);
}

void SimulatedPort::Release() {
  claim_.Record({});
}

}  // namespace sattrail::sim
