// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/Window.h"
#include "state/RunState.h"

namespace sattrail {

// One tick of the time-to-fix counter: while the latest GSA reported no fix (FixModeText
// "0"), Ed3Dt counts up by one.
void AdvanceTimeToFix(const RunState& run, Window& window);

}  // namespace sattrail
