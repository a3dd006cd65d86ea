// SPDX-License-Identifier: BSD-2-Clause
#include "platform/linux/LinuxRecordFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sattrail {
namespace {

class LinuxRecordFile : public RecordFile {
 public:
  explicit LinuxRecordFile(int fd) : fd_(fd) {}
  ~LinuxRecordFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  LinuxRecordFile(const LinuxRecordFile&) = delete;
  LinuxRecordFile& operator=(const LinuxRecordFile&) = delete;

  bool Write(const std::uint8_t* bytes, std::size_t count) override {
    if (fd_ < 0) return Fail(EBADF);
    // A write may take fewer bytes than offered (a pipe, a signal): the rest follows in order.
    while (count > 0) {
      const ssize_t written = ::write(fd_, bytes, count);
      if (written < 0) {
        if (errno == EINTR) continue;
        return Fail(errno);
      }
      if (written == 0) return Fail(EIO);
      bytes += written;
      count -= static_cast<std::size_t>(written);
    }
    return true;
  }

  bool Close() override {
    if (fd_ < 0) return true;
    // Some file systems report a failed write only here.
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 || Fail(errno);
  }

  std::string LastErrorText() const override { return std::strerror(error_); }

 private:
  bool Fail(int error) {
    error_ = error;
    return false;
  }

  int fd_;
  int error_ = 0;
};

}  // namespace

std::unique_ptr<RecordFile> LinuxRecordFiles::Open(const std::string& path, Mode mode,
                                                   std::string& reason) {
  const int how = mode == Mode::Append ? O_APPEND : O_TRUNC;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | how, 0666);
  if (fd < 0) {
    reason = std::strerror(errno);
    return nullptr;
  }
  return std::make_unique<LinuxRecordFile>(fd);
}

}  // namespace sattrail
