// SPDX-License-Identifier: BSD-2-Clause
#include "platform/linux/AccountNames.h"

#include <grp.h>
#include <pwd.h>

#include <array>

namespace sattrail::serial_linux {
namespace {

// An entry of the user or the group database by number (getpwuid_r, getgrgid_r), its name
// member read; the number when the lookup fails or finds nothing.
template <typename Entry, typename Id, typename Lookup>
std::string NameInDatabase(Id id, Lookup lookup, char* Entry::*name) {
  Entry entry{};
  Entry* found = nullptr;
  std::array<char, 4096> scratch{};
  if (lookup(id, &entry, scratch.data(), scratch.size(), &found) != 0 || found == nullptr) {
    return std::to_string(id);
  }
  return found->*name;
}

}  // namespace

std::string NameOfUser(uid_t id) {
  return NameInDatabase<passwd>(id, getpwuid_r, &passwd::pw_name);
}

std::string NameOfGroup(gid_t id) {
  return NameInDatabase<group>(id, getgrgid_r, &group::gr_name);
}

}  // namespace sattrail::serial_linux
