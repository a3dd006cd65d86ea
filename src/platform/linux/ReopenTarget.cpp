// SPDX-License-Identifier: BSD-2-Clause
#include "platform/linux/ReopenTarget.h"

#include <filesystem>
#include <system_error>

namespace sattrail::serial_linux {

namespace fs = std::filesystem;

std::string ByIdName(const std::string& devicePath, const std::string& byIdFolder) {
  std::error_code error;
  const fs::path device = fs::canonical(devicePath, error);
  if (error) return {};
  std::string byId;
  fs::directory_iterator entry(byIdFolder, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::error_code linkError;
    const fs::path target = fs::canonical(entry->path(), linkError);
    const std::string name = entry->path().string();
    if (!linkError && target == device && (byId.empty() || name < byId)) byId = name;
  }
  return byId;
}

std::string FindReopenTarget(const std::string& openedPath, const std::string& linkPath,
                             const std::string& byIdFolder) {
  if (std::string byId = ByIdName(openedPath, byIdFolder); !byId.empty()) return byId;
  if (!linkPath.empty()) return linkPath;
  return openedPath;
}

}  // namespace sattrail::serial_linux
