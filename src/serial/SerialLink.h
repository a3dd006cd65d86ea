// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/MessageBox.h"
#include "platform/RecordFile.h"
#include "platform/SerialDevice.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "state/RunState.h"

namespace sattrail {

// What the serial handlers work on: the run's state and, borrowed, the window, its two
// timers, the message boxes, the system's serial ports and the files a recording goes to.
struct SerialLink {
  RunState& run;
  Window& window;
  Timer& timer1;  // the 100 ms receive poll
  Timer& timer2;  // the one-second time-to-fix counter
  MessageBox& messages;
  SerialPorts& ports;
  RecordFiles& files;
};

}  // namespace sattrail
