// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/Window.h"

namespace sattrail {

// What the window's creation handler changes before the window is first shown: the two
// right-hand panels to their column at 200, the outer size, the boxes emptied or set to "0".
// Every front end runs it on its freshly built window, so that each starts the same.
void FormCreate(Window& window);

// Where the right-hand panels stand while both columns show (GroupBox2 is designed one pixel
// further left).
inline constexpr int kRightColumnLeft = 200;

}  // namespace sattrail
