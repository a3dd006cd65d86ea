// SPDX-License-Identifier: BSD-2-Clause
// Kernel terminal headers only, as in the device code: the slave's settings are read with
// termios2 so that rates without a constant (14400) read back as they are.
#include "platform/PtyTestSupport.h"

#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace sattrail::testing {

PseudoTerminal::PseudoTerminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    throw std::runtime_error("no pseudo-terminal");
  }
  char name[128] = {};
  if (ptsname_r(master_, name, sizeof name) != 0) throw std::runtime_error("no slave name");
  slavePath_ = name;
  const int flags = fcntl(master_, F_GETFL);
  fcntl(master_, F_SETFL, flags | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
  CloseMaster();
}

void PseudoTerminal::CloseMaster() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

void PseudoTerminal::Send(std::string_view bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = write(master_, bytes.data() + sent, bytes.size() - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else {
      pollfd room{master_, POLLOUT, 0};
      if (poll(&room, 1, 2000) <= 0) throw std::runtime_error("pseudo-terminal full");
    }
  }
}

std::string PseudoTerminal::Receive(std::size_t count, int quietMilliseconds) {
  std::string got;
  char buffer[512];
  while (got.size() < count) {
    pollfd ready{master_, POLLIN, 0};
    if (poll(&ready, 1, quietMilliseconds) <= 0) break;
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

PseudoTerminal::LineSettings PseudoTerminal::Settings() const {
  struct termios2 tio {};
  if (ioctl(master_, TCGETS2, &tio) != 0) throw std::runtime_error("TCGETS2 failed");
  LineSettings s;
  s.speed = tio.c_ospeed;  // the kernel keeps it in step with the rate bits
  switch (tio.c_cflag & CSIZE) {
    case CS5:
      s.dataBits = 5;
      break;
    case CS6:
      s.dataBits = 6;
      break;
    case CS7:
      s.dataBits = 7;
      break;
    default:
      s.dataBits = 8;
      break;
  }
  s.parity = (tio.c_cflag & PARENB) != 0;
  s.twoStopBits = (tio.c_cflag & CSTOPB) != 0;
  s.rtsCts = (tio.c_cflag & CRTSCTS) != 0;
  s.xonOut = (tio.c_iflag & IXON) != 0;
  s.xonIn = (tio.c_iflag & IXOFF) != 0;
  s.raw = (tio.c_lflag & (ICANON | ECHO | ISIG)) == 0 && (tio.c_oflag & OPOST) == 0 &&
          (tio.c_iflag & (ICRNL | INLCR | IGNCR)) == 0;
  return s;
}

void PseudoTerminal::SetSettings(const LineSettings& s) {
  struct termios2 tio {};
  if (ioctl(master_, TCGETS2, &tio) != 0) throw std::runtime_error("TCGETS2 failed");
  tio.c_cflag &= ~static_cast<unsigned>(CSIZE | PARENB | CSTOPB | CRTSCTS | CBAUD | CIBAUD);
  tio.c_cflag |= s.dataBits == 7 ? CS7 : CS8;
  if (s.parity) tio.c_cflag |= PARENB;
  if (s.twoStopBits) tio.c_cflag |= CSTOPB;
  if (s.rtsCts) tio.c_cflag |= CRTSCTS;
  tio.c_iflag &= ~static_cast<unsigned>(IXON | IXOFF);
  if (s.xonOut) tio.c_iflag |= IXON;
  if (s.xonIn) tio.c_iflag |= IXOFF;
  tio.c_cflag |= BOTHER;
  tio.c_ospeed = tio.c_ispeed = s.speed;
  if (ioctl(master_, TCSETS2, &tio) != 0) throw std::runtime_error("TCSETS2 failed");
}

PortLinkFolderForTest::PortLinkFolderForTest() {
  char pattern[] = "/tmp/sattrail-ports-XXXXXX";
  if (mkdtemp(pattern) == nullptr) throw std::runtime_error("no temporary folder");
  path_ = pattern;
  if (const char* old = std::getenv("SATTRAIL_PORT_DIR")) {
    hadPrevious_ = true;
    previous_ = old;
  }
  setenv("SATTRAIL_PORT_DIR", path_.c_str(), 1);
}

PortLinkFolderForTest::~PortLinkFolderForTest() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
  if (hadPrevious_) {
    setenv("SATTRAIL_PORT_DIR", previous_.c_str(), 1);
  } else {
    unsetenv("SATTRAIL_PORT_DIR");
  }
}

void PortLinkFolderForTest::Link(int portNumber, const std::string& target) {
  std::filesystem::create_symlink(target, path_ + "/COM" + std::to_string(portNumber));
}

}  // namespace sattrail::testing
