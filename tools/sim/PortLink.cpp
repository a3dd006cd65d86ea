#include "PortLink.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace sattrail::sim {

namespace fs = std::filesystem;

fs::path PortLinkFolder(const char* portDir, const char* runtimeDir, unsigned uid) {
  if (portDir != nullptr && *portDir != '\0') return portDir;
  if (runtimeDir != nullptr && *runtimeDir != '\0') return fs::path(runtimeDir) / "sattrail/ports";
  return fs::path("/tmp/sattrail-" + std::to_string(uid)) / "ports";
}

fs::path PortLinkFolderFromEnvironment() {
  return PortLinkFolder(std::getenv("SATTRAIL_PORT_DIR"), std::getenv("XDG_RUNTIME_DIR"), getuid());
}

fs::path PortLinkPath(const fs::path& folder, int port) {
  return folder / ("COM" + std::to_string(port));
}

bool PlacePortLink(const fs::path& link, const std::string& target, bool replace,
                   std::string* error) {
  std::error_code ec;
  fs::create_directories(link.parent_path(), ec);
  if (ec) {
    *error =
        "cannot create the port-link folder " + link.parent_path().string() + ": " + ec.message();
    return false;
  }
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
  if (fs::is_symlink(fs::symlink_status(link, ec)) && fs::read_symlink(link, ec) == target)
    fs::remove(link, ec);
}

}  // namespace sattrail::sim
