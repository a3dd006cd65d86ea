// SPDX-License-Identifier: BSD-2-Clause
// The window on a scaled desktop: everything, the two pictures included, is drawn at
// twice the size.
#include <gtest/gtest.h>

#include <QLabel>

#include "WindowTestSupport.h"
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

TEST_F(ScaledWindowTest, PicturesAreShownAtTheScaledSize) {
  window.Surface("Image1");
  auto* chart = window.ControlAs<ImageControl>("Image1");
  ASSERT_NE(chart->Picture(), nullptr);
  EXPECT_EQ(chart->Picture()->size(), QSize(164, 64));  // drawn at its own size
  QApplication::processEvents();
  const QImage image = window.grab().toImage();
  const QImage& picture = *chart->Picture();
  // Every picture pixel covers 2 x 2 screen pixels, from the first to the last column.
  const QPoint origin(2 * (0 + 14), 2 * (159 + 8));
  for (const QPoint at : {QPoint(0, 0), QPoint(163, 20), QPoint(80, 45)}) {
    SCOPED_TRACE(at.x());
    for (const QPoint sub : {QPoint(0, 0), QPoint(1, 1)}) {
      EXPECT_EQ(image.pixel(origin + 2 * at + sub), picture.pixel(at) | 0xFF000000u);
    }
  }
  // Just beyond the picture lies the chart frame's money-green fill.
  EXPECT_EQ(image.pixel(origin.x() + 2 * 164, origin.y() + 10), QColor(192, 220, 192).rgb());
}

TEST_F(ScaledWindowTest, TextStaysLegible) {
  // Fonts keep their pixel height in device-independent pixels, so glyphs double too.
  auto* label = window.ControlAs<QLabel>("Label4");
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
