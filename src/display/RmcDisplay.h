// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/Window.h"
#include "state/RunState.h"

namespace sattrail {

// Writes Edit8, Edit9, EdSpeed, EdTime and EdDate, in that order, from the stored RMC values.
void ShowRmcValues(CoMPort& state, Window& window);

}  // namespace sattrail
