#pragma once

// The port-link folder where the simulator names its pseudo-terminal "COMn", so that the
// monitor's port n resolves to it.

#include <filesystem>
#include <optional>
#include <string>

namespace sattrail::sim {

// $SATTRAIL_PORT_DIR when set and not empty, else $XDG_RUNTIME_DIR/sattrail/ports, else
// /tmp/sattrail-<uid>/ports. The environment values are passed in (nullptr when unset).
std::filesystem::path PortLinkFolder(const char* portDir, const char* runtimeDir, unsigned uid);
std::filesystem::path PortLinkFolderFromEnvironment();

std::filesystem::path PortLinkPath(const std::filesystem::path& folder, int port);

// Points the link at target, replacing a link of ours or a dangling one in one rename, so a
// monitor never sees the name missing while the simulator swaps terminals. Fails (and says
// why in error) when the name is a link to something that exists and replace is false.
bool PlacePortLink(const std::filesystem::path& link, const std::string& target, bool replace,
                   std::string* error);

// Removes the link if it still points at target.
void RemovePortLink(const std::filesystem::path& link, const std::string& target);

}  // namespace sattrail::sim
