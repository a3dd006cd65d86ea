// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <signal.h>
#include <sys/signalfd.h>

#include <initializer_list>

#include "platform/linux/FileDescriptor.h"

namespace sattrail {

// Signals that stop a program, as a descriptor that becomes readable when one arrives, so
// that its loop sees the stop between two steps and nothing runs inside a signal handler.
// The signals are blocked for the whole process: make this before any other thread starts,
// so that none of them takes the signals instead. Not open when the system refused the
// descriptor; errno then says why.
class StopSignals {
 public:
  explicit StopSignals(std::initializer_list<int> signals) {
    sigset_t stopping;
    sigemptyset(&stopping);
    for (const int signal : signals) sigaddset(&stopping, signal);
    sigprocmask(SIG_BLOCK, &stopping, nullptr);
    fd_.Reset(signalfd(-1, &stopping, SFD_CLOEXEC));
  }

  bool IsOpen() const { return fd_.IsOpen(); }
  int fd() const { return fd_.get(); }

 private:
  FileDescriptor fd_;
};

}  // namespace sattrail
