// SPDX-License-Identifier: BSD-2-Clause
#include "fakes/FakeSerial.h"

#include <algorithm>

namespace sattrail::testing {

FakeSerialHandle::FakeSerialHandle(std::shared_ptr<FakeDevice> device, std::string name)
    : device_(std::move(device)), name_(std::move(name)) {
  device_->open = true;
}

FakeSerialHandle::~FakeSerialHandle() {
  device_->open = false;
}

bool FakeSerialHandle::ApplySettings(const DeviceControlBlock& settings) {
  if (device_->failApply) return false;
  device_->applied = settings;
  device_->current = settings;
  return true;
}

bool FakeSerialHandle::ReadSettings(DeviceControlBlock& settings) {
  ++device_->settingsReads;
  if (device_->failReadSettings) return false;
  settings = device_->current;
  return true;
}

bool FakeSerialHandle::Purge(unsigned flags) {
  if (device_->failPurge) return false;
  device_->purges.push_back(flags);
  if (flags & PurgeRxClear) device_->input.clear();
  return true;
}

bool FakeSerialHandle::QueuedInputCount(std::uint32_t& count) {
  if (device_->failQueueQuery || device_->gone) return false;
  count = static_cast<std::uint32_t>(device_->input.size());
  return true;
}

bool FakeSerialHandle::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& delivered) {
  device_->readSizes.push_back(count);
  delivered = 0;
  if (device_->failRead || device_->gone) return false;
  const auto n = std::min<std::size_t>(count, device_->input.size());
  std::copy_n(device_->input.begin(), n, buffer);
  device_->input.erase(device_->input.begin(), device_->input.begin() + static_cast<long>(n));
  delivered = static_cast<std::uint32_t>(n);
  return true;
}

bool FakeSerialHandle::Write(const std::uint8_t* bytes, std::uint32_t count) {
  device_->written.insert(device_->written.end(), bytes, bytes + count);
  device_->writeSizes.push_back(count);
  return true;
}

std::shared_ptr<FakeDevice> FakeSerialPorts::Add(const std::string& deviceName) {
  auto device = std::make_shared<FakeDevice>();
  devices[deviceName] = device;
  return device;
}

std::unique_ptr<SerialHandle> FakeSerialPorts::Open(std::string_view deviceName, OpenFailure& why) {
  opened.emplace_back(deviceName);
  auto it = devices.find(deviceName);
  if (it == devices.end() || it->second->open || it->second->gone) {
    why.devicePath = std::string(deviceName);
    why.reason = it == devices.end() || it->second->gone ? "No such file or directory"
                                                         : "Device or resource busy";
    return nullptr;
  }
  return std::make_unique<FakeSerialHandle>(it->second, std::string(deviceName));
}

std::unique_ptr<SerialHandle> FakeSerialPorts::Reopen(const std::string& target) {
  reopened.push_back(target);
  auto it = devices.find(target);
  if (it == devices.end() || it->second->open || it->second->gone) return nullptr;
  return std::make_unique<FakeSerialHandle>(it->second, target);
}

std::string FakeSerialPorts::DescribePort(int portNumber) const {
  return "fake port " + std::to_string(portNumber);
}

}  // namespace sattrail::testing
