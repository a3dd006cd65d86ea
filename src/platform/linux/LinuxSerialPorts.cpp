// SPDX-License-Identifier: BSD-2-Clause
#include "platform/linux/LinuxSerialPorts.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "platform/linux/AccountNames.h"
#include "platform/linux/LinuxSerialHandle.h"
#include "platform/linux/PortHolder.h"
#include "platform/linux/PortResolution.h"
#include "platform/linux/ReopenTarget.h"

namespace sattrail {
namespace {

namespace fs = std::filesystem;
using serial_linux::ResolvedPort;

std::string ErrorText(int error) {
  return std::strerror(error);
}

// A user refused access is told to join the device's group (dialout for most serial ports,
// plugdev for some USB receivers), but only when that group may read and write it: joining
// root's group gains nothing on a device of mode 0600.
void AdviseOnPermission(const std::string& path, OpenFailure& why) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return;
  if ((info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP)) {
    why.group = serial_linux::NameOfGroup(info.st_gid);
    why.advice = "Join the group '" + why.group + "': sudo usermod -aG " + why.group +
                 " \"$USER\", then log out and in again.";
  } else {
    why.advice =
        "Only its owner '" + serial_linux::NameOfUser(info.st_uid) + "' may use this device.";
  }
}

// Whoever holds the port, this user is told so in the same words: a user who is not root
// meets TIOCEXCL at open(), root meets the flock.
void ReportBusy(const std::string& path, OpenFailure& why) {
  why.reason = ErrorText(EBUSY) + ": in use by another program";
  const std::string holders = serial_linux::DescribeHolders(serial_linux::FindPortHolders(path));
  if (holders.empty()) {
    why.advice =
        "Close the program that uses it (often ModemManager or brltty), then press On again.";
  } else {
    why.reason += ", " + holders;
    why.advice = "Close that program, then press On again.";
  }
}

// The path shown to the user: a link with the device it points to.
std::string ShownPath(const ResolvedPort& port) {
  if (port.linkPath.empty()) return port.path;
  if (port.linkTarget.empty()) return port.linkPath;
  return port.linkPath + " -> " + port.linkTarget;
}

// "COM1 links to /dev/ttyUSB9, which is not present"
std::string DeadLinkReason(const ResolvedPort& port) {
  const std::string target = port.linkTarget.empty() ? port.linkPath : port.linkTarget;
  return fs::path(port.linkPath).filename().string() + " links to " + target +
         ", which is not present";
}

// Not an errno value: what was to be opened is no character device, or no terminal.
constexpr int kNotASerialDevice = -1;

// "COM1 links to /home/x/file, which is not a serial device"
std::string NotASerialDeviceReason(const ResolvedPort& port) {
  if (port.linkPath.empty()) return port.path + " is not a serial device";
  const std::string target = port.linkTarget.empty() ? port.linkPath : port.linkTarget;
  return fs::path(port.linkPath).filename().string() + " links to " + target +
         ", which is not a serial device";
}

// What the user is told of a refused open: the reason and, for the usual two, what to do.
void DescribeOpenFailure(OpenFailure& why, const ResolvedPort& port, int error) {
  const std::string& path = port.path;
  if (error == kNotASerialDevice) {
    why.reason = NotASerialDeviceReason(port);
    if (!port.linkPath.empty()) {
      why.advice = "Point the link at the receiver: ln -sfn /dev/ttyUSB0 \"" + port.linkPath + "\"";
    }
  } else if (error == EBUSY) {
    ReportBusy(path, why);
  } else {
    why.reason = ErrorText(error);
    if (error == EACCES || error == EPERM) AdviseOnPermission(path, why);
  }
}

int Refused(int& error, int code, int fd) {
  if (fd >= 0) close(fd);
  error = code;
  return -1;
}

// Opens for exclusive use; on refusal -1 with the reason in `error`. Only a character device
// is opened at all: opening a file or a FIFO read-write may block, and opening some devices
// has effects of its own. Its type is asked before the open and again of the descriptor, so
// that a link changed in between cannot slip something else in. TIOCEXCL turns away later
// openers that are not root; the flock turns away everyone, root included, and is taken
// first so that a refused attempt leaves the holder's device as it was. A port held by
// another program counts as busy whichever of the two stopped us.
int OpenExclusive(const std::string& path, int& error) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return Refused(error, errno, -1);
  if (!S_ISCHR(info.st_mode)) return Refused(error, kNotASerialDevice, -1);
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Refused(error, errno, -1);
  if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode) || !isatty(fd)) {
    return Refused(error, kNotASerialDevice, fd);
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    return Refused(error, errno == EWOULDBLOCK ? EBUSY : errno, fd);
  }
  if (ioctl(fd, TIOCEXCL) != 0) return Refused(error, errno, fd);
  return fd;
}

}  // namespace

std::unique_ptr<SerialHandle> LinuxSerialPorts::Open(std::string_view deviceName,
                                                     OpenFailure& why) {
  const int number = serial_linux::PortNumberFromName(deviceName);
  if (number == 0) {
    why.reason = "'" + std::string(deviceName) + "' names no port";
    return nullptr;
  }
  const ResolvedPort port = Resolve(number);
  if (port.linkIsDead) {
    why.devicePath = ShownPath(port);
    why.reason = DeadLinkReason(port);
    why.advice = "Plug in that device, or remove the link: rm \"" + port.linkPath + "\"";
    return nullptr;
  }
  if (port.path.empty() && !port.linksIgnored.empty()) {
    why.reason = "Fewer than " + std::to_string(number) +
                 " serial devices present, and port links ignored: " + port.linksIgnored;
    why.advice =
        "Plug in the receiver, or keep port links in a folder of your own that only you may "
        "write to.";
    return nullptr;
  }
  if (port.path.empty()) {
    const std::string folder = serial_linux::PortLinkFolder();
    why.reason = "No link COM" + std::to_string(number) + " in " + folder + ", and fewer than " +
                 std::to_string(number) + " serial devices present";
    why.advice = "Plug in the receiver, or link its device: ln -s /dev/ttyUSB0 \"" +
                 serial_linux::PortLinkPath(folder, number) + "\"";
    return nullptr;
  }
  why.devicePath = ShownPath(port);
  int error = 0;
  const int fd = OpenExclusive(port.path, error);
  if (fd < 0) {
    DescribeOpenFailure(why, port, error);
    return nullptr;
  }
  return std::make_unique<serial_linux::LinuxSerialHandle>(
      fd, why.devicePath, serial_linux::FindReopenTarget(port.path, port.linkPath));
}

std::unique_ptr<SerialHandle> LinuxSerialPorts::Reopen(const std::string& target) {
  // A by-id name or a port link is followed by open() itself, so each try finds the device
  // the name leads to now. Never the device order: another device must not stand in. A
  // refusal only means "not back yet", so it is not described (no scan for a holder). A port
  // link is followed only while its folder is still to be trusted.
  const std::string folder = serial_linux::PortLinkFolder();
  if (fs::path(target).parent_path() == fs::path(folder) &&
      serial_linux::CheckPortLinkFolder(folder).verdict !=
          serial_linux::FolderCheck::Verdict::Trusted) {
    return nullptr;
  }
  int error = 0;
  const int fd = OpenExclusive(target, error);
  if (fd < 0) return nullptr;
  return std::make_unique<serial_linux::LinuxSerialHandle>(fd, target, target);
}

std::string LinuxSerialPorts::PortLinkFolderWarning() const {
  const serial_linux::FolderCheck check =
      serial_linux::CheckPortLinkFolder(serial_linux::PortLinkFolder());
  if (check.verdict != serial_linux::FolderCheck::Verdict::Refused) return {};
  return WarnOfIgnoredLinks(check.problem);
}

ResolvedPort LinuxSerialPorts::Resolve(int portNumber) const {
  ResolvedPort port = serial_linux::ResolvePort(portNumber);
  if (!port.linksIgnored.empty()) WarnOfIgnoredLinks(port.linksIgnored);
  return port;
}

std::string LinuxSerialPorts::WarnOfIgnoredLinks(const std::string& problem) const {
  std::string warning = "Port links ignored: " + problem + "; ports follow the device order.";
  if (!warned_) std::cerr << "sattrail: " << warning << std::endl;
  warned_ = true;
  return warning;
}

std::string LinuxSerialPorts::DescribePort(int portNumber) const {
  const ResolvedPort port = Resolve(portNumber);
  if (port.linkIsDead) return DeadLinkReason(port) + " (link " + port.linkPath + ")";
  if (port.path.empty()) return {};
  std::error_code error;
  const fs::path device = fs::canonical(port.path, error);
  std::string text = error ? port.path : device.string();
  // The stable name udev gives a USB receiver tells the user which one this is.
  if (const std::string byId = serial_linux::ByIdName(port.path); !byId.empty()) {
    text += " (" + byId + ")";
  }
  if (!port.linkPath.empty()) text += " (link " + port.linkPath + ")";
  return text;
}

}  // namespace sattrail
