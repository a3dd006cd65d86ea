// SPDX-License-Identifier: BSD-2-Clause
#include "PortLink.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace sattrail::sim {

namespace fs = std::filesystem;

bool PlacePortLink(const fs::path& link, const std::string& target, bool replace,
                   std::string* error) {
  if (!serial_linux::MakePortLinkFolder(link.parent_path(), *error)) return false;
  std::error_code ec;
  if (!replace && fs::is_symlink(fs::symlink_status(link, ec)) && fs::exists(link, ec)) {
    *error = link.string() + " already points at " + fs::read_symlink(link, ec).string() +
             " (another receiver or simulator on this port?)";
    return false;
  }
  const fs::path temporary =
      link.parent_path() / ("." + link.filename().string() + "." + std::to_string(getpid()));
  fs::remove(temporary, ec);
  fs::create_symlink(target, temporary, ec);
  if (!ec) fs::rename(temporary, link, ec);
  if (ec) {
    fs::remove(temporary, ec);
    *error = "cannot create the link " + link.string() + ": " + ec.message();
    return false;
  }
  return true;
}

void RemovePortLink(const fs::path& link, const std::string& target) {
  std::error_code ec;
  if (PortLinkTarget(link) == target) fs::remove(link, ec);
}

std::string PortLinkTarget(const fs::path& link) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(link, ec))) return {};
  return fs::read_symlink(link, ec).string();
}

fs::path PortLockPath(const fs::path& link) {
  return link.parent_path() / (link.filename().string() + ".lock");
}

namespace {

// A record holds a few terminal names; anything longer is not one of ours.
constexpr std::size_t kLongestRecord = 4096;

std::vector<std::string> ReadRecord(int fd) {
  std::string text(kLongestRecord, '\0');
  const ssize_t n = ::pread(fd, text.data(), text.size(), 0);
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  std::vector<std::string> targets;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos;
       start = end + 1, end = text.find('\n', start)) {
    if (end > start) targets.push_back(text.substr(start, end - start));
  }
  return targets;
}

}  // namespace

bool PortClaim::Take(const fs::path& link, std::string* error) {
  if (!serial_linux::MakePortLinkFolder(link.parent_path(), *error)) return false;
  const fs::path lock = PortLockPath(link);
  const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    *error = "cannot open the lock " + lock.string() + ": " + std::strerror(errno);
    return false;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int reason = errno;
    ::close(fd);
    if (reason != EWOULDBLOCK) {
      *error = "cannot lock " + lock.string() + ": " + std::strerror(reason);
      return false;
    }
    const std::string target = PortLinkTarget(link);
    *error = target.empty() ? lock.string() + " is held by another simulator on this port"
                            : link.string() + " already points at " + target +
                                  " (another receiver or simulator on this port?)";
    return false;
  }
  lock_.Reset(fd);
  targets_ = ReadRecord(fd);
  return true;
}

bool PortClaim::Recorded(const std::string& target) const {
  return std::find(targets_.begin(), targets_.end(), target) != targets_.end();
}

bool PortClaim::Record(std::vector<std::string> targets) {
  targets_ = std::move(targets);
  std::string text;
  for (const std::string& target : targets_) text += target + '\n';
  // One write over the whole old record, padded with empty lines, then cut to length: a
  // kill in between leaves the new names and blank lines, never a piece of an old name.
  const std::size_t length = text.size();
  struct stat status {};
  if (::fstat(lock_.get(), &status) == 0 && static_cast<std::size_t>(status.st_size) > length)
    text.append(static_cast<std::size_t>(status.st_size) - length, '\n');
  const ssize_t n = ::pwrite(lock_.get(), text.data(), text.size(), 0);
  return n == static_cast<ssize_t>(text.size()) &&
         ::ftruncate(lock_.get(), static_cast<off_t>(length)) == 0;
}

}  // namespace sattrail::sim
