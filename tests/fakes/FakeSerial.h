// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/SerialDevice.h"

namespace sattrail::testing {

// What a fake device holds and records; shared between the test and the handle, so the
// test can still look after the handle has been closed.
struct FakeDevice {
  std::deque<std::uint8_t> input;         // queued bytes
  std::vector<std::uint8_t> written;      // everything written, in order
  std::vector<std::uint32_t> writeSizes;  // the size of each write
  std::vector<std::uint32_t> readSizes;   // the count asked for by each read
  std::vector<unsigned> purges;           // flags of each purge
  DeviceControlBlock applied{};           // what ApplySettings was last given
  DeviceControlBlock current{};           // what ReadSettings reports
  bool failApply = false, failRead = false, failPurge = false, failReadSettings = false;
  bool failQueueQuery = false;
  bool gone = false;  // pulled out: queries and reads fail, handles say Gone(), opens fail
  bool open = false;
  int settingsReads = 0;

  void Queue(std::string_view bytes) { input.insert(input.end(), bytes.begin(), bytes.end()); }
  std::string Written() const { return std::string(written.begin(), written.end()); }
};

class FakeSerialHandle : public SerialHandle {
 public:
  explicit FakeSerialHandle(std::shared_ptr<FakeDevice> device, std::string name = {});
  ~FakeSerialHandle() override;
  bool ApplySettings(const DeviceControlBlock& settings) override;
  bool ReadSettings(DeviceControlBlock& settings) override;
  bool Purge(unsigned flags) override;
  bool QueuedInputCount(std::uint32_t& count) override;
  bool Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& delivered) override;
  bool Write(const std::uint8_t* bytes, std::uint32_t count) override;
  std::string LastErrorText() const override { return "fake failure"; }
  bool Gone() const override { return device_->gone; }
  std::string ReopenTarget() const override { return name_; }

 private:
  std::shared_ptr<FakeDevice> device_;
  std::string name_;
};

// Ports by device name ("COM1", "\\.\COM10"); a name with no device, or one that is open
// or gone, fails to open. A handle's reopen target is the name it was opened by.
class FakeSerialPorts : public SerialPorts {
 public:
  std::shared_ptr<FakeDevice> Add(const std::string& deviceName);
  std::unique_ptr<SerialHandle> Open(std::string_view deviceName, OpenFailure& why) override;
  std::string DescribePort(int portNumber) const override;
  std::unique_ptr<SerialHandle> Reopen(const std::string& target) override;

  std::vector<std::string> opened;    // every name asked for, in order
  std::vector<std::string> reopened;  // every target asked for, in order
  std::map<std::string, std::shared_ptr<FakeDevice>, std::less<>> devices;
};

}  // namespace sattrail::testing
