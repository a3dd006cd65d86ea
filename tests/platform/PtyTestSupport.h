// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sattrail::testing {

// A pseudo-terminal pair standing in for a receiver: the test talks through the master,
// the code under test opens the slave through a port link.
class PseudoTerminal {
 public:
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  const std::string& SlavePath() const { return slavePath_; }
  int Master() const { return master_; }
  // The receiver sends these bytes.
  void Send(std::string_view bytes);
  // What reached the receiver: reads until `count` bytes have come or the line stays quiet
  // for `quietMilliseconds`.
  std::string Receive(std::size_t count, int quietMilliseconds = 2000);
  // The receiver is unplugged: the slave side hangs up.
  void CloseMaster();

  // The slave's line settings as the kernel holds them, read through the master.
  struct LineSettings {
    std::uint32_t speed = 0;
    int dataBits = 0;
    bool parity = false;
    bool twoStopBits = false;
    bool rtsCts = false;
    bool xonOut = false;
    bool xonIn = false;
    bool raw = false;  // no canonical input, echo, signals or output processing
  };
  LineSettings Settings() const;
  // Changes the slave's settings behind the program's back, as another tool could.
  void SetSettings(const LineSettings& settings);

 private:
  int master_ = -1;
  std::string slavePath_;
};

// A temporary port-link folder, named to the code under test by SATTRAIL_PORT_DIR.
class PortLinkFolderForTest {
 public:
  PortLinkFolderForTest();
  ~PortLinkFolderForTest();
  PortLinkFolderForTest(const PortLinkFolderForTest&) = delete;
  PortLinkFolderForTest& operator=(const PortLinkFolderForTest&) = delete;

  const std::string& Path() const { return path_; }
  // COMn -> target.
  void Link(int portNumber, const std::string& target);

 private:
  std::string path_;
  std::string previous_;
  bool hadPrevious_ = false;
};

}  // namespace sattrail::testing
