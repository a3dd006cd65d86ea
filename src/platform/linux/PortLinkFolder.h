// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The port-link folder: where links named COM1 to COM30 choose the device a port number
// opens. The monitor reads it, the simulator writes its links there; both keep to the same
// rule of where it is and when it is trusted. Linux only, no Qt.

#include <sys/types.h>
#include <unistd.h>

#include <string>

namespace sattrail::serial_linux {

// $SATTRAIL_PORT_DIR when set and not empty, else $XDG_RUNTIME_DIR/sattrail/ports, else
// /tmp/sattrail-<uid>/ports. The environment values are passed in (nullptr when unset).
std::string PortLinkFolder(const char* portDir, const char* runtimeDir, unsigned uid);
// The same, from this process's environment and user.
std::string PortLinkFolder();

// The link that chooses the device of port n: "COMn" in the folder. The simulator puts its
// link there under this name, and the monitor opens port n through it.
std::string PortLinkPath(const std::string& folder, int port);

// Whether the links in a folder may choose devices. A link there decides what the monitor
// opens, sets raw and writes receiver commands to, so only a folder that nobody else can
// change is trusted: a real directory (not a link) owned by `user`, writable by nobody else,
// under folders that are `user`'s or root's and that others cannot write to, unless sticky
// (as /tmp is: there nobody may rename or remove a folder of someone else).
struct FolderCheck {
  enum class Verdict { Trusted, Missing, Refused };
  Verdict verdict = Verdict::Missing;
  // Why a refused folder is not used, e.g. "/tmp/sattrail-1000/ports (owner mallory, mode
  // 0777) is writable by group or others".
  std::string problem;
};
FolderCheck CheckPortLinkFolder(const std::string& folder, uid_t user = geteuid());

// Creates the folder and every missing folder above it with mode 0700, so that what this
// program makes is its user's alone, then checks it. False, with a one-line problem, when a
// folder cannot be made or the folder is not to be trusted.
bool MakePortLinkFolder(const std::string& folder, std::string& problem, uid_t user = geteuid());

}  // namespace sattrail::serial_linux
