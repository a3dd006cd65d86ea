// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string_view>

#include "state/RunState.h"

namespace sattrail {

// Each takes the whole verified line as held in LineBuffer ("$" to the line end), picks
// fields by counting delimiters and stores only its own fields. A malformed number raises
// ConversionError; fields stored before it keep their new values.
void ParseGga(CoMPort& state, std::string_view line);
void ParseRmc(CoMPort& state, std::string_view line);
// The GSA's satellites are flagged in the slot of their system: the talker speaks for
// talkerSystemId (GP for GPS, 1) unless the sentence names its system itself.
void ParseGsa(CoMPort& state, std::string_view line, int talkerSystemId = 1);

}  // namespace sattrail
