// SPDX-License-Identifier: BSD-2-Clause
#include "replay/PngExport.h"

#include <filesystem>
#include <system_error>

#include "platform/ControlNames.h"
#include "platform/qt/QtCanvas.h"

namespace sattrail::replay {

namespace {

constexpr QRgb kSkyPanelColour = qRgb(192, 220, 192);  // GroupBox3, money green

const QtCanvas* PictureOf(Window& window, std::string_view image) {
  return dynamic_cast<const QtCanvas*>(&window.Surface(image));
}

bool Save(const QImage& image, const std::filesystem::path& path, std::string& error) {
  if (image.save(QString::fromStdString(path.string()), "PNG")) return true;
  error = "cannot write " + path.string();
  return false;
}

}  // namespace

QImage SkyAsShown(const QImage& sky) {
  QImage shown = sky.convertToFormat(QImage::Format_RGB32);
  if (shown.isNull()) return shown;
  const QRgb transparent = shown.pixel(0, shown.height() - 1);
  for (int y = 0; y < shown.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < shown.width(); ++x) {
      if (row[x] == transparent) row[x] = kSkyPanelColour;
    }
  }
  return shown;
}

bool WritePictures(Window& window, const std::string& directory, std::string& error) {
  const std::filesystem::path folder(directory);
  std::error_code code;
  std::filesystem::create_directories(folder, code);
  if (code) {
    error = "cannot create " + directory + ": " + code.message();
    return false;
  }
  const QtCanvas* chart = PictureOf(window, control::Image1);
  const QtCanvas* sky = PictureOf(window, control::Image2);
  if (chart == nullptr || sky == nullptr) {
    error = "the replay drew no pictures";
    return false;
  }
  return Save(chart->Image(), folder / "chart.png", error) &&
         Save(SkyAsShown(sky->Image()), folder / "sky.png", error);
}

}  // namespace sattrail::replay
