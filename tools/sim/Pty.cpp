// SPDX-License-Identifier: BSD-2-Clause
#include "Pty.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace sattrail::sim {

bool PseudoTerminal::Open(std::string* error) {
  Close();
  FileDescriptor master(posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK));
  if (!master.IsOpen()) {
    *error = std::string("posix_openpt: ") + std::strerror(errno);
    return false;
  }
  char name[128];
  termios mode{};
  const int fd = master.get();
  if (grantpt(fd) != 0 || unlockpt(fd) != 0 || ptsname_r(fd, name, sizeof name) != 0 ||
      tcgetattr(fd, &mode) != 0) {
    *error = std::string("pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  // Terminal modes set through the master apply to the slave: raw, 8N1, no echo, so that
  // neither side translates line ends or echoes the monitor's commands back.
  cfmakeraw(&mode);
  if (tcsetattr(fd, TCSANOW, &mode) != 0) {
    *error = std::string("tcsetattr: ") + std::strerror(errno);
    return false;
  }
  master_ = std::move(master);
  slaveName_ = name;
  return true;
}

}  // namespace sattrail::sim
