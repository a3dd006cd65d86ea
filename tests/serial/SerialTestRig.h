// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string>

#include "fakes/FakeMessageBox.h"
#include "fakes/FakeRecordFile.h"
#include "fakes/FakeSerial.h"
#include "fakes/FakeTimer.h"
#include "nmea/RunState.h"
#include "serial/SerialLink.h"
#include "support/TestWindow.h"

namespace sattrail::testing {

// Everything a serial handler works on, fresh for each test; the ports are the test's choice.
struct SerialRig {
  explicit SerialRig(SerialPorts& ports)
      : link{run, window, timer1, timer2, messages, ports, files} {
    window.SetText("ButOpenGps", "On");
    window.SetText("EdCommand", "@GSV 1");
  }

  RunState run;
  TestWindow window;
  FakeTimer timer1{100};
  FakeTimer timer2{1000};
  FakeMessageBox messages;
  FakeRecordFiles files;
  SerialLink link;
};

// A sentence with its checksum and line end, from the text between "$" and "*".
inline std::string WithChecksum(const std::string& body) {
  unsigned sum = 0;
  for (char c : body) sum ^= static_cast<unsigned char>(c);
  static const char* digits = "0123456789ABCDEF";
  return "$" + body + "*" + digits[sum >> 4] + digits[sum & 15] + "\r\n";
}

}  // namespace sattrail::testing
