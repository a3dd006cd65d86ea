#include "replay/CaptureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sattrail::replay {

namespace {

std::string SystemError(int code) {
  return std::strerror(code);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadCapture(const std::string& path, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = SystemError(errno);
    return std::nullopt;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    error = S_ISDIR(status.st_mode) ? SystemError(EISDIR) : SystemError(errno);
    ::close(fd);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  if (S_ISREG(status.st_mode)) bytes.reserve(static_cast<std::size_t>(status.st_size));
  std::uint8_t block[65536];
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      error = SystemError(errno);
      ::close(fd);
      return std::nullopt;
    }
    bytes.insert(bytes.end(), block, block + got);
  }
  ::close(fd);
  return bytes;
}

}  // namespace sattrail::replay
