// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The simulator's link "COMn" to its pseudo-terminal, in the port-link folder, so that the
// monitor's port n resolves to it. Where that folder is, what the link is named and when the
// folder is trusted are the monitor's own rules (platform/linux/PortLinkFolder.h); every
// folder made here is 0700.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/FileDescriptor.h"
#include "platform/linux/PortLinkFolder.h"

namespace sattrail::sim {

// Points the link at target, replacing a link of ours or a dangling one in one rename, so a
// monitor never sees the name missing while the simulator swaps terminals. Fails (and says
// why in error) when the name is a link to something that exists and replace is false.
bool PlacePortLink(const std::filesystem::path& link, const std::string& target, bool replace,
                   std::string* error);

// Removes the link if it still points at target.
void RemovePortLink(const std::filesystem::path& link, const std::string& target);

// Where the link points, or empty when the name is not a link.
std::string PortLinkTarget(const std::filesystem::path& link);

// "COMn.lock" beside the link "COMn".
std::filesystem::path PortLockPath(const std::filesystem::path& link);

// A simulator's hold on its port while it runs: an exclusive flock on the lock file beside the
// link, taken without waiting. The system drops it when the process ends, however it ends, so
// a free lock means that no simulator serves the port any more. The file also records the
// terminals the link may point at. A link is a simulator's own only when it points at a
// recorded terminal: a link that a user made (to /dev/ttyUSB0, say) is never recorded, and
// it is not replaced while it leads somewhere. The file is never deleted; deleting it would
// let one simulator lock the old file while another creates and locks a new one of that name.
class PortClaim {
 public:
  // Locks the lock file of link and reads its record. False, with the reason in error, when
  // another simulator holds the port or the file cannot be made.
  bool Take(const std::filesystem::path& link, std::string* error);

  // Whether target is a terminal that a simulator of this port recorded: this one, or one
  // that was killed before it could remove its link.
  bool Recorded(const std::string& target) const;

  // Replaces the record: the terminals the link may point at from now on, none once it is
  // gone. Written before the link changes, so that a simulator killed at any moment leaves
  // every terminal its link may point at on record.
  bool Record(std::vector<std::string> targets);
  const std::vector<std::string>& targets() const { return targets_; }

 private:
  FileDescriptor lock_;
  std::vector<std::string> targets_;
};

}  // namespace sattrail::sim
