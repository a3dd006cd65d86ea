// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <sys/types.h>

#include <string>

namespace sattrail::serial_linux {

// The login name of a user, or the number when it has none.
std::string NameOfUser(uid_t id);
// The name of a group, or the number when it has none.
std::string NameOfGroup(gid_t id);

}  // namespace sattrail::serial_linux
