// SPDX-License-Identifier: BSD-2-Clause
#include "replay/CaptureFile.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sattrail::replay {

bool CaptureInput::Open(const std::string& path, std::string& error) {
  const bool standardInput = path == "-";
  const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  struct stat status {};
  const bool known = ::fstat(fd, &status) == 0;
  if (!known || S_ISDIR(status.st_mode)) {
    error = std::strerror(known ? EISDIR : errno);
    if (!standardInput) ::close(fd);
    return false;
  }
  if (!standardInput) opened_.Reset(fd);
  fd_ = fd;
  return true;
}

CaptureInput::Piece CaptureInput::Read(std::span<std::uint8_t> buffer, int stop,
                                       std::string& error) {
  pollfd waits[2] = {{fd_, POLLIN, 0}, {stop, POLLIN, 0}};
  for (;;) {
    if (::poll(waits, stop >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      return {Outcome::Failed, 0};
    }
    if (waits[1].revents & POLLIN) return {Outcome::Stopped, 0};
    const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
    if (got > 0) return {Outcome::Bytes, static_cast<std::size_t>(got)};
    if (got == 0) return {Outcome::End, 0};
    if (errno == EINTR || errno == EAGAIN) continue;
    error = std::strerror(errno);
    return {Outcome::Failed, 0};
  }
}

}  // namespace sattrail::replay
