// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string>
#include <string_view>

#include "platform/Window.h"

namespace sattrail {

// A trimmed version value mapped through the receiver's version table ("001090" -> "V 20").
std::string MapReceiverVersion(std::string_view trimmed);

// A line that failed the checksum, looked at as other output of the receiver: a line
// starting with "[" becomes the window caption; "Version" at positions 12 to 18 fills Edit7.
void HandleReceiverReply(std::string_view line, Window& window);

}  // namespace sattrail
