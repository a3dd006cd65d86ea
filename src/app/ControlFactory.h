// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QFont>
#include <QPalette>
#include <QWidget>

#include "form/Inventory.h"

namespace sattrail {

// The window's sans-serif face at a pixel height; Liberation Sans stands in for the designed
// faces, with the same metrics.
QFont ControlFont(int pixels);

// The widget of one inventory row inside its parent, with its kind's own properties, its
// geometry, font, enabled state and visibility. System colours come from the palette.
QWidget* CreateControl(const ControlSpec& entry, QWidget* parent, const QPalette& palette);

}  // namespace sattrail
