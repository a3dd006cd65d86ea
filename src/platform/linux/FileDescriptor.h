// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <unistd.h>

#include <utility>

namespace sattrail {

// A file descriptor that is closed when its owner ends or takes another. Moves, never copies,
// so that a descriptor has one owner and is closed once.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    Reset(std::exchange(other.fd_, -1));
    return *this;
  }
  ~FileDescriptor() { Reset(); }

  int get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  // Closes the descriptor held, if any, and holds fd instead.
  void Reset(int fd = -1) {
    if (fd_ >= 0 && fd_ != fd) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_ = -1;
};

}  // namespace sattrail
