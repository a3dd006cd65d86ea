// SPDX-License-Identifier: BSD-2-Clause
#include "Pty.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sattrail::sim {

bool PseudoTerminal::Open(std::string* error) {
  Close();
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (master < 0) {
    *error = std::string("posix_openpt: ") + std::strerror(errno);
    return false;
  }
  char name[128];
  termios mode{};
  if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0 ||
      tcgetattr(master, &mode) != 0) {
    *error = std::string("pseudo-terminal: ") + std::strerror(errno);
    ::close(master);
    return false;
  }
  // Terminal modes set through the master apply to the slave: raw, 8N1, no echo, so that
  // neither side translates line ends or echoes the monitor's commands back.
  cfmakeraw(&mode);
  if (tcsetattr(master, TCSANOW, &mode) != 0) {
    *error = std::string("tcsetattr: ") + std::strerror(errno);
    ::close(master);
    return false;
  }
  master_ = master;
  slaveName_ = name;
  return true;
}

void PseudoTerminal::Close() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

}  // namespace sattrail::sim
