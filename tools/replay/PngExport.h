// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QImage>
#include <string>

#include "platform/Window.h"

namespace sattrail::replay {

// The sky plot as the window shows it: the picture's transparent colour (that of its
// bottom-left pixel) lets the sky panel's money green through.
QImage SkyAsShown(const QImage& sky);

// Writes chart.png (the chart's image) and sky.png (the sky's image over its panel) into
// directory, creating it when missing. False with the reason in error when a file cannot be
// written or the window's images are not Qt pictures.
bool WritePictures(Window& window, const std::string& directory, std::string& error);

}  // namespace sattrail::replay
