// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string>

#include "fakes/FakeMessageBox.h"
#include "fakes/FakeRecordFile.h"
#include "fakes/FakeSerial.h"
#include "fakes/FakeTimer.h"
#include "fakes/TestWindow.h"
#include "platform/ControlNames.h"
#include "serial/SerialLink.h"
#include "state/RunState.h"
#include "support/NmeaChecksum.h"

namespace sattrail::testing {

// Everything a serial handler works on, fresh for each test; the ports are the test's choice.
struct SerialRig {
  explicit SerialRig(SerialPorts& ports)
      : link{run, window, timer1, timer2, messages, ports, files} {
    window.SetText(control::ButOpenGps, "On");
    window.SetText(control::EdCommand, "@GSV 1");
  }

  RunState run;
  TestWindow window;
  FakeTimer timer1{100};
  FakeTimer timer2{1000};
  FakeMessageBox messages;
  FakeRecordFiles files;
  SerialLink link;
};

}  // namespace sattrail::testing
