// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/linux/FileDescriptor.h"

namespace sattrail::replay {

// A capture read piece by piece, so that memory stays the same whatever its length: a file,
// a device, or standard input for "-". A source without end (a receiver's device, a pipe
// that stays open, /dev/zero) is read for as long as it gives bytes.
class CaptureInput {
 public:
  // Opens path, or takes standard input for "-"; false with the reason in error.
  bool Open(const std::string& path, std::string& error);

  enum class Outcome { Bytes, End, Stopped, Failed };
  struct Piece {
    Outcome outcome;
    std::size_t size;  // bytes read into the buffer, for Outcome::Bytes
  };
  // Waits for the next bytes and reads as many as the buffer holds and the source has. Stops
  // instead when stop (a descriptor, or -1 for none) becomes readable first; on failure the
  // reason is in error.
  Piece Read(std::span<std::uint8_t> buffer, int stop, std::string& error);

 private:
  FileDescriptor opened_;  // the file opened here; standard input is never closed
  int fd_ = -1;            // what is read: the file opened, or standard input
};

}  // namespace sattrail::replay
