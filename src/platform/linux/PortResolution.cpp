// SPDX-License-Identifier: BSD-2-Clause
#include "platform/linux/PortResolution.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/linux/TerminalSettings.h"

namespace sattrail::serial_linux {
namespace {

namespace fs = std::filesystem;

// The number after `prefix` when the rest of the name is digits only ("ttyUSB12" -> 12).
bool NumberAfter(std::string_view name, std::string_view prefix, int& number) {
  if (!name.starts_with(prefix) || name.size() == prefix.size()) return false;
  const std::string_view digits = name.substr(prefix.size());
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return error == std::errc() && end == digits.data() + digits.size();
}

// /sys/class/tty/ttyS<n>/type holds the UART type, 0 for a placeholder with nothing behind
// it. Without sysfs the driver is asked directly.
bool IsRealUart(const std::string& devicePath, const std::string& ttyClassFolder,
                const std::string& name) {
  std::ifstream typeFile(ttyClassFolder + "/" + name + "/type");
  int type = 0;
  if (typeFile >> type) return type != 0;
  const int fd = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool real = HasUart(fd);
  close(fd);
  return real;
}

}  // namespace

int PortNumberFromName(std::string_view deviceName) {
  if (deviceName.starts_with("\\\\.\\")) deviceName.remove_prefix(4);
  int number = 0;
  if (!NumberAfter(deviceName, "COM", number) || number < 1) return 0;
  return number;
}

std::vector<std::string> ListSerialDevices(const std::string& devFolder,
                                           const std::string& ttyClassFolder) {
  constexpr std::string_view kGroups[] = {"ttyACM", "ttyUSB", "ttyS"};
  std::vector<std::vector<std::pair<int, std::string>>> found(std::size(kGroups));
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(devFolder, error)) {
    const std::string name = entry.path().filename().string();
    for (std::size_t group = 0; group < std::size(kGroups); ++group) {
      int number = 0;
      if (!NumberAfter(name, kGroups[group], number)) continue;
      const std::string path = entry.path().string();
      if (kGroups[group] == "ttyS" && !IsRealUart(path, ttyClassFolder, name)) continue;
      found[group].emplace_back(number, path);
    }
  }
  std::vector<std::string> devices;
  for (auto& group : found) {
    std::sort(group.begin(), group.end());
    for (auto& [number, path] : group) devices.push_back(std::move(path));
  }
  return devices;
}

ResolvedPort ResolvePort(int portNumber) {
  ResolvedPort port;
  if (portNumber < 1) return port;
  const std::string folder = PortLinkFolder();
  const FolderCheck check = CheckPortLinkFolder(folder);
  if (check.verdict == FolderCheck::Verdict::Refused) port.linksIgnored = check.problem;
  const std::string link = PortLinkPath(folder, portNumber);
  struct stat info {};
  if (check.verdict == FolderCheck::Verdict::Trusted && lstat(link.c_str(), &info) == 0) {
    port.linkPath = link;
    std::error_code error;
    if (S_ISLNK(info.st_mode)) port.linkTarget = fs::read_symlink(link, error).string();
    port.linkIsDead = stat(link.c_str(), &info) != 0;
    if (!port.linkIsDead) port.path = link;
    return port;
  }
  const std::vector<std::string> devices = ListSerialDevices();
  if (static_cast<std::size_t>(portNumber) <= devices.size()) {
    port.path = devices[static_cast<std::size_t>(portNumber) - 1];
  }
  return port;
}

}  // namespace sattrail::serial_linux
