// SPDX-License-Identifier: BSD-2-Clause
// The window on a scaled desktop: everything is drawn at twice the size, the two pictures
// at the screen's resolution.
#include <gtest/gtest.h>

#include <QLabel>

#include "WindowTestSupport.h"
#include "display/SatellitePlots.h"
#include "platform/ControlNames.h"
#include "platform/qt/QtControls.h"

namespace sattrail::testing {
namespace {

// Before the application object exists, as a desktop setting would be.
const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");

class ScaledWindowTest : public WindowTest {};

TEST_F(ScaledWindowTest, WholeWindowScalesWithTheDesktop) {
  ASSERT_TRUE(kScaled);
  EXPECT_EQ(window.devicePixelRatio(), 2.0);
  // The layout stays in device-independent pixels.
  EXPECT_EQ(window.ClientSize(), QSize(387, 239));
  const QImage image = window.grab().toImage();
  ASSERT_EQ(image.size(), QSize(774, 478));
  // Panel colours where the inventory puts them, at twice the coordinates.
  EXPECT_EQ(image.pixel(2 * 27, 2 * 63), QColor(192, 220, 192).rgb());
  EXPECT_EQ(image.pixel(2 * 204 + 1, 2 * 118 + 1), QColor(166, 202, 240).rgb());
  EXPECT_EQ(image.pixel(2 * 248, 2 * 218), QColor(192, 192, 192).rgb());
  // The chart's black line is two pixels high at scale 1, four here.
  for (int row = 2 * (159 + 54); row < 2 * (159 + 56); ++row) {
    EXPECT_EQ(image.pixel(2 * 100, row), QColor(0, 0, 0).rgb()) << row;
  }
  EXPECT_NE(image.pixel(2 * 100, 2 * (159 + 56)), QColor(0, 0, 0).rgb());
}

TEST_F(ScaledWindowTest, PicturesAreDrawnAtTheScreensResolution) {
  ClearSatellitePlots(window);
  auto* chart = window.ControlAs<ImageControl>(control::Image1);
  auto* sky = window.ControlAs<ImageControl>(control::Image2);
  ASSERT_NE(chart->Picture(), nullptr);
  ASSERT_NE(sky->Picture(), nullptr);
  // The drawing keeps its logical size; the picture holds twice the pixels each way.
  EXPECT_EQ(window.Surface(control::Image1).Width(), 164);
  EXPECT_EQ(window.Surface(control::Image2).Height(), 98);
  EXPECT_EQ(chart->Picture()->size(), QSize(328, 128));
  EXPECT_EQ(sky->Picture()->size(), QSize(188, 196));
  QApplication::processEvents();
  const QImage image = window.grab().toImage();
  const QImage& picture = *chart->Picture();
  // Every picture pixel is one screen pixel, from the first to the last column.
  const QPoint origin(2 * (0 + 14), 2 * (159 + 8));
  for (const QPoint at : {QPoint(0, 0), QPoint(1, 1), QPoint(327, 40), QPoint(160, 90)}) {
    EXPECT_EQ(image.pixel(origin + at), picture.pixel(at) | 0xFF000000u) << at.x();
  }
  // Just beyond the picture lies the chart frame's money-green fill.
  EXPECT_EQ(image.pixel(origin.x() + 2 * 164, origin.y() + 10), QColor(192, 220, 192).rgb());
  // The rings are drawn at this resolution, not enlarged: a pixel-doubled picture would have
  // every aligned 2 x 2 block of one colour, and a curve drawn sharp cannot.
  const QImage& skyPicture = *sky->Picture();
  int mixedBlocks = 0;
  for (int y = 0; y + 1 < skyPicture.height(); y += 2) {
    for (int x = 0; x + 1 < skyPicture.width(); x += 2) {
      const QRgb corner = skyPicture.pixel(x, y);
      if (skyPicture.pixel(x + 1, y) != corner || skyPicture.pixel(x, y + 1) != corner ||
          skyPicture.pixel(x + 1, y + 1) != corner) {
        ++mixedBlocks;
      }
    }
  }
  EXPECT_GT(mixedBlocks, 20);
}

TEST_F(ScaledWindowTest, TextStaysLegible) {
  // Fonts keep their pixel height in device-independent pixels, so glyphs double too.
  auto* label = window.ControlAs<QLabel>(control::Label4);
  EXPECT_EQ(label->font().pixelSize(), 11);
  const QImage image = label->grab().toImage();
  EXPECT_EQ(image.size(), QSize(76, 26));
  int darkRows = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 100) {
        ++darkRows;
        break;
      }
    }
  }
  EXPECT_GE(darkRows, 14);  // "Latitude" is about 8 pixels of ink high at scale 1
}

}  // namespace
}  // namespace sattrail::testing
