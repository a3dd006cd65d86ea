// SPDX-License-Identifier: BSD-2-Clause
#include "platform/linux/PortLinkFolder.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/AccountNames.h"

namespace sattrail::serial_linux {
namespace {

namespace fs = std::filesystem;

constexpr mode_t kWritableByOthers = S_IWGRP | S_IWOTH;

// "0700", "1777": the permission bits as chmod takes them.
std::string ModeText(mode_t mode) {
  std::array<char, 8> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), mode & 07777, 8).ptr;
  const std::string text(digits.data(), end);  // 07777 has at most four digits
  return std::string(4 - text.size(), '0') + text;
}

// Absolute, without "." or ".." or a trailing "/", so that its parents are the folders above.
fs::path Normalised(const std::string& folder) {
  std::error_code ignored;
  fs::path path = fs::absolute(folder, ignored).lexically_normal();
  if (!path.has_filename() && path != path.root_path()) path = path.parent_path();
  return path;
}

// Someone other than `user` and root who may rename a folder may put another in its place.
std::string CheckFoldersAbove(const fs::path& folder, uid_t user) {
  const std::string below = ", above " + folder.string() + ", ";
  for (fs::path above = folder.parent_path();; above = above.parent_path()) {
    struct stat info {};
    if (lstat(above.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && info.st_uid != user &&
        info.st_uid != 0) {
      return above.string() + below + "is a link that is neither yours nor root's";
    }
    if (stat(above.c_str(), &info) != 0) return above.string() + ": " + std::strerror(errno);
    if (info.st_uid != user && info.st_uid != 0) {
      return above.string() + below + "is neither yours nor root's";
    }
    if ((info.st_mode & kWritableByOthers) != 0 && (info.st_mode & S_ISVTX) == 0) {
      return above.string() + below + "is writable by group or others";
    }
    if (above == above.parent_path()) return {};
  }
}

}  // namespace

std::string PortLinkFolder(const char* portDir, const char* runtimeDir, unsigned uid) {
  if (portDir != nullptr && *portDir != '\0') return portDir;
  if (runtimeDir != nullptr && *runtimeDir != '\0')
    return std::string(runtimeDir) + "/sattrail/ports";
  return "/tmp/sattrail-" + std::to_string(uid) + "/ports";
}

std::string PortLinkFolder() {
  return PortLinkFolder(std::getenv("SATTRAIL_PORT_DIR"), std::getenv("XDG_RUNTIME_DIR"), getuid());
}

std::string PortLinkPath(const std::string& folder, int port) {
  // A folder given as "dir/" names the link "dir/COMn", as the user would write it.
  const std::string_view separator = folder.ends_with('/') ? "" : "/";
  return folder + std::string(separator) + "COM" + std::to_string(port);
}

FolderCheck CheckPortLinkFolder(const std::string& folder, uid_t user) {
  using Verdict = FolderCheck::Verdict;
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0) {
    if (errno == ENOENT) return {Verdict::Missing, {}};
    return {Verdict::Refused, folder + ": " + std::strerror(errno)};
  }
  if (S_ISLNK(info.st_mode))
    return {Verdict::Refused, folder + " is a symbolic link, not a folder"};
  if (!S_ISDIR(info.st_mode)) return {Verdict::Refused, folder + " is not a folder"};
  const std::string seen =
      folder + " (owner " + NameOfUser(info.st_uid) + ", mode " + ModeText(info.st_mode) + ")";
  if (info.st_uid != user) return {Verdict::Refused, seen + " is not yours"};
  if ((info.st_mode & kWritableByOthers) != 0) {
    return {Verdict::Refused, seen + " is writable by group or others"};
  }
  if (std::string above = CheckFoldersAbove(Normalised(folder), user); !above.empty()) {
    return {Verdict::Refused, std::move(above)};
  }
  return {Verdict::Trusted, {}};
}

bool MakePortLinkFolder(const std::string& folder, std::string& problem, uid_t user) {
  // From the top down, each one that is missing; one made meanwhile by someone else is caught
  // by the check below.
  std::vector<fs::path> missing;
  struct stat info {};
  for (fs::path at = Normalised(folder); lstat(at.c_str(), &info) != 0 && errno == ENOENT;
       at = at.parent_path()) {
    missing.push_back(at);
  }
  for (auto at = missing.rbegin(); at != missing.rend(); ++at) {
    if (mkdir(at->c_str(), 0700) != 0 && errno != EEXIST) {
      problem = "cannot create the port-link folder " + at->string() + ": " + std::strerror(errno);
      return false;
    }
  }
  const FolderCheck check = CheckPortLinkFolder(folder, user);
  if (check.verdict == FolderCheck::Verdict::Trusted) return true;
  problem = "port-link folder refused: " +
            (check.problem.empty() ? folder + " is missing" : check.problem);
  return false;
}

}  // namespace sattrail::serial_linux
