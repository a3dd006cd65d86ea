// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "form/Handler.h"
#include "serial/SerialLink.h"

namespace sattrail {

// Runs one of the main window's handlers on what the handlers work on: the run's state, the
// window, its timers, the message boxes, the ports and the recording files. An exception of
// the handler goes to the caller.
void RunHandler(Handler handler, SerialLink& link);

}  // namespace sattrail
