// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QImage>
#include <string>

#include "replay/RecordingWindow.h"

namespace sattrail::replay {

// The sky plot as the window shows it: the picture's transparent colour (that of its
// bottom-left pixel) lets the sky panel's money green through.
QImage SkyAsShown(const QImage& sky);

// Writes chart.png (Image1) and sky.png (Image2 over its panel) into directory, creating it
// when missing. False with the reason in error when a file cannot be written.
bool WritePictures(RecordingWindow& window, const std::string& directory, std::string& error);

}  // namespace sattrail::replay
