// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/Window.h"
#include "state/RunState.h"

namespace sattrail {

// Returns the receiver state and the display to their empty look; reads and discards what
// waits at the open port (nothing of it reaches line assembly).
void ResetDisplay(RunState& run, Window& window);

}  // namespace sattrail
