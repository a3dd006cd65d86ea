// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include "platform/Timer.h"
#include "platform/Window.h"

namespace sattrail {

// The layouts of the main window: folding it to one column that shows a chosen upper and
// lower panel under the port panel, and unfolding it. Each handler sets the panels'
// visibility and Left, the window's Width and its AutoSize flag in exactly its order; the
// window's auto-size and auto-scroll rules do the rest.

// PopupMenu1 folds to its upper panel ("Satellites", "NMEA"), DbAndCheck to its lower panel
// ("Signal", "Information"); the "ALL" of either menu unfolds.
enum class UpperPanel { Sky, Nmea };
enum class LowerPanel { Signal, Information };
void FoldToUpperPanel(Window& window, UpperPanel panel);
void FoldToLowerPanel(Window& window, LowerPanel panel);
void ShowAllPanels(Window& window);

// The hidden buttons, which nothing in a running window can press.
void BitBtn3Click(Window& window);
void BitBtn5Click(Window& window);
void Button2Click(Window& window);
void Button3Click(Window& window);
// The steps of BitBtn2 before the device is closed: auto-scroll off, BitBtn1 shown,
// BitBtn2 hidden, both timers disabled.
void BitBtn2ShowAndStop(Window& window, Timer& timer1, Timer& timer2);

}  // namespace sattrail
