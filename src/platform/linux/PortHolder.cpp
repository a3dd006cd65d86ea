// SPDX-License-Identifier: BSD-2-Clause
#include "platform/linux/PortHolder.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

namespace sattrail::serial_linux {
namespace {

namespace fs = std::filesystem;

bool ParseNumber(std::string_view text, unsigned long& value, int base = 10) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

// A process folder's name is its id; everything else in /proc is skipped.
int ProcessId(const fs::path& folder) {
  unsigned long pid = 0;
  if (!ParseNumber(folder.filename().string(), pid) || pid == 0 || pid > 0x7fffffff) return 0;
  return static_cast<int>(pid);
}

// Whether a process has the device open. Only links to /dev are followed with stat(): a
// link to a file on a network or user-space file system could make stat() wait on it.
bool HasOpen(const fs::path& processFolder, const std::string& devicePath, dev_t device) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(processFolder / "fd", error)) {
    std::error_code linkError;
    const std::string target = fs::read_symlink(entry.path(), linkError).string();
    if (linkError || (target != devicePath && !target.starts_with("/dev/"))) continue;
    struct stat info {};
    if (stat(entry.path().c_str(), &info) == 0 && S_ISCHR(info.st_mode) && info.st_rdev == device) {
      return true;
    }
  }
  return false;
}

// /proc/locks names a locked file by the device of its file system, in hexadecimal, and its
// inode: "1: FLOCK  ADVISORY  WRITE 812 00:18:3 0 EOF". A line with "->" is a waiter.
void AddLockHolders(const std::string& procFolder, const struct stat& file, std::set<int>& pids) {
  std::ifstream locks(procFolder + "/locks");
  std::string line;
  while (std::getline(locks, line)) {
    if (line.find("->") != std::string::npos) continue;
    std::istringstream words(line);
    std::string previous;
    std::string word;
    while (words >> word) {
      const std::size_t first = word.find(':');
      const std::size_t second = word.find(':', first + 1);
      const std::string_view text(word);
      unsigned long systemMajor = 0, systemMinor = 0, inode = 0, pid = 0;
      if (first != std::string::npos && second != std::string::npos &&
          ParseNumber(text.substr(0, first), systemMajor, 16) &&
          ParseNumber(text.substr(first + 1, second - first - 1), systemMinor, 16) &&
          ParseNumber(text.substr(second + 1), inode) && ParseNumber(previous, pid)) {
        if (systemMajor == major(file.st_dev) && systemMinor == minor(file.st_dev) &&
            inode == file.st_ino && pid > 0 && pid <= 0x7fffffff) {
          pids.insert(static_cast<int>(pid));
        }
        break;
      }
      previous = word;
    }
  }
}

}  // namespace

std::vector<PortHolder> FindPortHolders(const std::string& devicePath,
                                        const std::string& procFolder) {
  struct stat file {};
  if (stat(devicePath.c_str(), &file) != 0 || !S_ISCHR(file.st_mode)) return {};
  std::error_code error;
  const fs::path canonical = fs::canonical(devicePath, error);
  const std::string shownPath = error ? devicePath : canonical.string();

  std::set<int> pids;
  for (const fs::directory_entry& entry : fs::directory_iterator(procFolder, error)) {
    const int pid = ProcessId(entry.path());
    if (pid != 0 && HasOpen(entry.path(), shownPath, file.st_rdev)) pids.insert(pid);
  }
  AddLockHolders(procFolder, file, pids);
  pids.erase(static_cast<int>(getpid()));

  std::vector<PortHolder> holders;
  for (int pid : pids) {
    PortHolder holder{pid, {}};
    std::ifstream comm(procFolder + "/" + std::to_string(pid) + "/comm");
    std::getline(comm, holder.name);
    holders.push_back(std::move(holder));
  }
  return holders;
}

std::string DescribeHolders(const std::vector<PortHolder>& holders) {
  std::string text;
  for (const PortHolder& holder : holders) {
    text += text.empty() ? "held by " : ", ";
    if (!holder.name.empty()) text += holder.name + " ";
    text += "(process " + std::to_string(holder.pid) + ")";
  }
  return text;
}

}  // namespace sattrail::serial_linux
