// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <memory>
#include <string>
#include <vector>

#include "display/QtTestWindow.h"
#include "display/SatellitePlots.h"
#include "platform/ControlNames.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/RepeatSkippingCanvas.h"

namespace sattrail {
namespace {

// Fonts need a running application; the offscreen platform serves one without a display.
class QtApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "qt_canvas_tests";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { application_.reset(); }

 private:
  std::unique_ptr<QGuiApplication> application_;
};
const ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplication);

const QRgb kGreen = qRgb(192, 220, 192);
const QRgb kGrey = qRgb(192, 192, 192);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlack = qRgb(0, 0, 0);

std::string Name(QRgb colour) {
  return std::to_string(qRed(colour)) + "," + std::to_string(qGreen(colour)) + "," +
         std::to_string(qBlue(colour));
}

#define EXPECT_PIXEL(image, x, y, colour) \
  EXPECT_EQ(Name((image).pixel((x), (y))), Name(colour)) << "at (" << (x) << ", " << (y) << ")"

// Pixels of one colour inside a rectangle, bounds inclusive.
int CountPixels(const QImage& image, QRgb colour, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = std::max(top, 0); y <= std::min(bottom, image.height() - 1); ++y) {
    for (int x = std::max(left, 0); x <= std::min(right, image.width() - 1); ++x) {
      count += image.pixel(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

// The first and last row holding a pixel of the colour between two columns; -1 if none.
std::pair<int, int> RowsOf(const QImage& image, QRgb colour, int left, int right, int top,
                           int bottom) {
  int first = -1, last = -1;
  for (int y = top; y <= bottom; ++y) {
    if (CountPixels(image, colour, left, y, right, y) > 0) {
      if (first < 0) first = y;
      last = y;
    }
  }
  return {first, last};
}

TEST(QtCanvas, FiguresExcludeTheirRightAndBottomBounds) {
  QtCanvas canvas(30, 30);
  canvas.SetBrushColor({0, 0, 255});
  canvas.RoundRect(2, 3, 12, 9, 3, 3);
  const QImage& image = canvas.Image();
  EXPECT_PIXEL(image, 2, 5, kBlack);   // left column
  EXPECT_PIXEL(image, 11, 5, kBlack);  // right column: x2 - 1
  EXPECT_PIXEL(image, 12, 5, kWhite);
  EXPECT_PIXEL(image, 6, 3, kBlack);  // top row
  EXPECT_PIXEL(image, 6, 8, kBlack);  // bottom row: y2 - 1
  EXPECT_PIXEL(image, 6, 9, kWhite);
  EXPECT_PIXEL(image, 6, 6, kBlue);
  // A 3 x 3 rounding is below a pixel: the corner pixels' centres lie inside the figure.
  EXPECT_PIXEL(image, 2, 3, kBlack);
  EXPECT_PIXEL(image, 11, 8, kBlack);
  EXPECT_EQ(CountPixels(image, kBlue, 0, 0, 29, 29), 8 * 4);

  QtCanvas swapped(30, 30);
  swapped.SetBrushColor({0, 0, 255});
  swapped.RoundRect(12, 9, 2, 3, 3, 3);
  EXPECT_EQ(swapped.Image(), image);
}

TEST(QtCanvas, EllipseFillsItsBoundingBox) {
  QtCanvas canvas(100, 100);
  canvas.SetBrushColor({192, 220, 192});
  canvas.Ellipse(10, 10, 90, 90);
  const QImage& image = canvas.Image();
  for (int middle : {49, 50}) {
    EXPECT_PIXEL(image, 10, middle, kBlack);
    EXPECT_PIXEL(image, 89, middle, kBlack);
    EXPECT_PIXEL(image, middle, 10, kBlack);
    EXPECT_PIXEL(image, middle, 89, kBlack);
    EXPECT_PIXEL(image, 9, middle, kWhite);
    EXPECT_PIXEL(image, 90, middle, kWhite);
    EXPECT_PIXEL(image, middle, 9, kWhite);
    EXPECT_PIXEL(image, middle, 90, kWhite);
  }
  EXPECT_PIXEL(image, 50, 50, kGreen);
  EXPECT_PIXEL(image, 15, 15, kWhite);  // outside the round outline
  // Without antialiasing there are only the three colours.
  EXPECT_EQ(CountPixels(image, kBlack, 0, 0, 99, 99) + CountPixels(image, kGreen, 0, 0, 99, 99) +
                CountPixels(image, kWhite, 0, 0, 99, 99),
            100 * 100);
}

TEST(QtCanvas, FiguresFarOutsideThePictureAreCutOff) {
  // The bar of a signal of two thousand million, and one of a negative signal.
  QtCanvas canvas(20, 60);
  canvas.SetBrushColor({0, 0, 255});
  canvas.RoundRect(4, 50 - 1288490188, 15, 50, 3, 3);
  canvas.RoundRect(4, 50 + 1288490188, 15, 50, 3, 3);
  canvas.RoundRect(7, 7, 7, 30, 3, 3);  // no width: nothing
  const QImage& image = canvas.Image();
  EXPECT_PIXEL(image, 4, 0, kBlack);
  EXPECT_PIXEL(image, 9, 0, kBlue);
  EXPECT_PIXEL(image, 9, 50, kBlack);  // the second bar's top row
  EXPECT_PIXEL(image, 9, 59, kBlue);
  EXPECT_PIXEL(image, 7, 30, kBlue);
  EXPECT_PIXEL(image, 16, 30, kWhite);
}

TEST(QtCanvas, SettingsPersistBetweenOperations) {
  QtCanvas canvas(40, 20);
  canvas.SetPenColor({255, 0, 0});
  canvas.SetBrushColor({0, 0, 255});
  canvas.RoundRect(0, 0, 10, 10, 3, 3);
  canvas.Ellipse(20, 0, 36, 16);
  const QImage& image = canvas.Image();
  EXPECT_PIXEL(image, 5, 0, kRed);
  EXPECT_PIXEL(image, 5, 5, kBlue);
  EXPECT_PIXEL(image, 28, 0, kRed);
  EXPECT_PIXEL(image, 28, 8, kBlue);
}

TEST(QtCanvas, TextCellTakesTheBrushAndTheCharactersTheFontColour) {
  QtCanvas canvas(60, 40);
  canvas.SetBrushColor({192, 192, 192});
  canvas.RoundRect(0, 0, 60, 40, 0, 0);
  canvas.SetBrushColor({0, 0, 255});
  canvas.SetFontColor({255, 255, 255});
  canvas.SetFontName("Arial");
  canvas.SetFontSize(7);
  canvas.TextOut(10, 5, "38");
  const QImage& image = canvas.Image();
  // 7 points are 9 pixels at 96 pixels per inch, on any screen.
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(9);
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QStringLiteral("38"));
  const int height = metrics.height();
  EXPECT_PIXEL(image, 10, 5, kBlue);  // the cell's top-left corner
  EXPECT_PIXEL(image, 9, 5, kGrey);
  EXPECT_PIXEL(image, 10, 4, kGrey);
  EXPECT_PIXEL(image, 10 + width, 5, kGrey);
  EXPECT_PIXEL(image, 10, 5 + height, kGrey);
  const int cell = width * height;
  const int white = CountPixels(image, kWhite, 10, 5, 9 + width, 4 + height);
  EXPECT_GT(white, 10);
  EXPECT_EQ(CountPixels(image, kBlue, 10, 5, 9 + width, 4 + height) + white, cell);
  // Digits of 9 pixels stand about 6 to 7 pixels tall.
  const auto [first, last] = RowsOf(image, kWhite, 10, 9 + width, 5, 4 + height);
  EXPECT_GE(last - first + 1, 5);
  EXPECT_LE(last - first + 1, 8);
}

// Cell and characters in one colour, so that the cell's width shows the face it was set in.
TEST(QtCanvas, AnotherFaceTakesEffectAtTheNextText) {
  QtCanvas canvas(80, 20);
  canvas.SetBrushColor({192, 192, 192});
  canvas.RoundRect(0, 0, 80, 20, 0, 0);
  canvas.SetBrushColor({0, 0, 255});
  canvas.SetFontColor({0, 0, 255});
  canvas.SetFontSize(7);
  canvas.SetFontName("Arial");
  canvas.TextOut(0, 0, "WWW");
  canvas.SetFontName("Liberation Mono");
  canvas.TextOut(0, 10, "WWW");
  const auto widthIn = [](const char* family) {
    QFont font{QString::fromLatin1(family)};
    font.setPixelSize(9);
    return QFontMetrics(font).horizontalAdvance(QStringLiteral("WWW"));
  };
  const int sans = widthIn("Liberation Sans");
  const int mono = widthIn("Liberation Mono");
  ASSERT_GT(sans, mono);
  const QImage& image = canvas.Image();
  EXPECT_PIXEL(image, sans - 1, 2, kBlue);
  EXPECT_PIXEL(image, sans, 2, kGrey);
  EXPECT_PIXEL(image, mono - 1, 12, kBlue);
  EXPECT_PIXEL(image, mono, 12, kGrey);
}

TEST(QtCanvas, DefaultFontIsBlackElevenPixelSans) {
  QtCanvas canvas(60, 40);
  canvas.SetBrushColor({192, 220, 192});
  canvas.TextOut(0, 0, "40");
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QStringLiteral("40"));
  const int height = metrics.height();
  const QImage& image = canvas.Image();
  const int black = CountPixels(image, kBlack, 0, 0, width - 1, height - 1);
  EXPECT_GT(black, 10);
  EXPECT_EQ(CountPixels(image, kGreen, 0, 0, width - 1, height - 1) + black, width * height);
}

// The picture is read between two redraws; the next figure goes on from what it holds.
TEST(QtCanvas, FiguresAfterAReadAddToThePicture) {
  QtCanvas canvas(40, 20);
  canvas.SetBrushColor({0, 0, 255});
  canvas.RoundRect(0, 0, 10, 10, 3, 3);
  EXPECT_PIXEL(canvas.Image(), 5, 5, kBlue);
  canvas.SetBrushColor({192, 220, 192});
  canvas.Ellipse(20, 0, 36, 16);
  const QImage& image = canvas.Image();
  EXPECT_PIXEL(image, 5, 5, kBlue);
  EXPECT_PIXEL(image, 28, 8, kGreen);
}

// On a scaled screen the same figures in the same logical coordinates fill a picture of the
// screen's resolution.
TEST(QtCanvas, ScaledPictureHoldsTheSameFiguresAtTheDeviceResolution) {
  for (const qreal ratio : {1.5, 2.0}) {
    SCOPED_TRACE(ratio);
    QtCanvas canvas(40, 30, ratio);
    EXPECT_EQ(canvas.Width(), 40);
    EXPECT_EQ(canvas.Height(), 30);
    canvas.SetBrushColor({0, 0, 255});
    canvas.RoundRect(10, 10, 20, 20, 3, 3);
    const QImage& image = canvas.Image();
    EXPECT_EQ(image.size(), ratio == 2.0 ? QSize(80, 60) : QSize(60, 45));
    const auto at = [ratio](double logical) { return static_cast<int>(logical * ratio); };
    EXPECT_PIXEL(image, at(15), at(15), kBlue);
    EXPECT_PIXEL(image, at(10.2), at(15), kBlack);  // the outline, ratio pixels wide
    EXPECT_PIXEL(image, at(9.5), at(15), kWhite);
    EXPECT_PIXEL(image, at(20.5), at(15), kWhite);
  }
}

// A picture is drawn again with every cycle of satellites. Between the backgrounds two
// discs: A on the left, B on the right.
void Background(Canvas& canvas) {
  canvas.SetBrushColor({192, 220, 192});
  canvas.RoundRect(0, 0, 40, 20, 3, 3);
}
void DiscA(Canvas& canvas) {
  canvas.SetBrushColor({0, 0, 255});
  canvas.Ellipse(4, 4, 14, 14);
}
void DiscB(Canvas& canvas) {
  canvas.SetBrushColor({0, 0, 255});
  canvas.Ellipse(24, 4, 34, 14);
}
void RedDiscA(Canvas& canvas) {
  canvas.SetBrushColor({255, 0, 0});
  canvas.Ellipse(4, 4, 14, 14);
}

struct RedrawCase {
  const char* name;
  std::vector<void (*)(Canvas&)> first;
  std::vector<void (*)(Canvas&)> second;
  bool redrawn;  // the second drawing changed the picture
  QRgb atA;      // the centre of disc A after the second drawing
  QRgb atB;
};

// Only a drawing that repeats the last one step for step may be skipped; whatever else
// comes must leave the picture exactly as the second drawing on its own would.
TEST(RepeatSkippingCanvas, PictureShowsTheLastDrawingAndOnlyARepeatIsSkipped) {
  const RedrawCase cases[] = {
      {"the same again", {Background, DiscA}, {Background, DiscA}, false, kBlue, kGreen},
      {"another disc", {Background, DiscA}, {Background, DiscB}, true, kGreen, kBlue},
      {"one disc less", {Background, DiscA, DiscB}, {Background, DiscA}, true, kBlue, kGreen},
      {"one disc more", {Background, DiscA}, {Background, DiscA, DiscB}, true, kBlue, kBlue},
      {"another colour", {Background, DiscA}, {Background, RedDiscA}, true, kRed, kGreen},
      {"nothing after something", {Background, DiscA}, {}, false, kBlue, kGreen},
  };
  for (const RedrawCase& c : cases) {
    SCOPED_TRACE(c.name);
    int started = 0;
    int changes = 0;
    RepeatSkippingCanvas canvas(
        40, 20, 1.0, [&] { ++started; }, [&] { ++changes; });
    for (const auto step : c.first) step(canvas);
    canvas.Settle();
    EXPECT_EQ(started, 1);
    started = changes = 0;
    for (const auto step : c.second) step(canvas);
    canvas.Settle();
    EXPECT_EQ(started, c.second.empty() ? 0 : 1);
    EXPECT_EQ(changes, c.redrawn ? 1 : 0);  // one report per drawing, however many steps
    const QImage& image = canvas.Image();
    EXPECT_PIXEL(image, 9, 9, c.atA);
    EXPECT_PIXEL(image, 29, 9, c.atB);
    EXPECT_PIXEL(image, 20, 2, kGreen);
    EXPECT_PIXEL(image, 0, 10, kBlack);
  }
}

struct Plot {
  RunState run;
  testing::QtTestWindow window;
  const QImage& chart() { return window.Chart().Image(); }
  const QImage& sky() { return window.Sky().Image(); }

  void Report(int n, int elevation, int azimuth, int signal, bool used = false) {
    run.SatelliteTable[1][n] = {1, elevation, azimuth, signal};
    run.GpsState.UsedSatellites[1][n] = used ? 1 : 0;
  }
  DrawnSatellites Draw(const char* fixMode = "3D") {
    window.SetText(control::Edit6, fixMode);
    return DrawSatellitePlots(run, window, 1);
  }
};

void ExpectBackgrounds(const QImage& chart, const QImage& sky, QRgb chartColour, bool innerRing) {
  EXPECT_PIXEL(chart, 100, 30, chartColour);
  EXPECT_PIXEL(chart, 163, 63, chartColour);  // the outline lies outside the picture
  EXPECT_PIXEL(chart, 80, 0, kBlack);         // top row
  EXPECT_PIXEL(chart, 0, 40, kBlack);         // left column
  EXPECT_PIXEL(sky, 0, 0, kGreen);
  EXPECT_PIXEL(sky, 93, 97, kGreen);
  EXPECT_PIXEL(sky, 0, 97, kGreen);  // the transparent colour of the shown plot
  EXPECT_PIXEL(sky, 50, 10, kBlack);
  EXPECT_PIXEL(sky, 10, 50, kBlack);
  EXPECT_PIXEL(sky, 89, 50, kBlack);
  EXPECT_PIXEL(sky, 50, 89, kBlack);
  EXPECT_PIXEL(sky, 50, 90, kGreen);
  EXPECT_PIXEL(sky, 20, 50, kGreen);
  EXPECT_PIXEL(sky, 50, 30, innerRing ? kBlack : kGreen);
  EXPECT_PIXEL(sky, 50, 69, innerRing ? kBlack : kGreen);
  EXPECT_PIXEL(sky, 30, 50, innerRing ? kBlack : kGreen);
  EXPECT_PIXEL(sky, 50, 50, kGreen);
}

TEST(SatellitePlotPixels, EmptyDrawingShowsBackgroundsAndBothRings) {
  Plot plot;
  plot.Draw();
  ExpectBackgrounds(plot.chart(), plot.sky(), kGreen, true);
  EXPECT_EQ(CountPixels(plot.chart(), kBlack, 1, 1, 163, 63), 0);
}

TEST(SatellitePlotPixels, BarOfSignal40) {
  Plot plot;
  plot.Report(7, 90, 0, 40, true);
  plot.Draw();
  const QImage& chart = plot.chart();
  // 23 pixels high: y 27 to 49, on the base line at 50; 11 wide: x 4 to 14.
  EXPECT_PIXEL(chart, 9, 26, kGreen);
  EXPECT_PIXEL(chart, 9, 27, kBlack);
  EXPECT_PIXEL(chart, 9, 49, kBlack);
  EXPECT_PIXEL(chart, 9, 38, kBlue);
  EXPECT_PIXEL(chart, 4, 38, kBlack);
  EXPECT_PIXEL(chart, 14, 38, kBlack);
  EXPECT_PIXEL(chart, 3, 38, kGreen);
  EXPECT_PIXEL(chart, 15, 38, kGreen);
  EXPECT_EQ(CountPixels(chart, kBlue, 0, 0, 163, 63), 9 * 21);
  // The signal text's cell starts at y 12: its characters lie below that and above the bar.
  const auto [first, last] = RowsOf(chart, kBlack, 4, 20, 1, 26);
  EXPECT_GE(first, 12);
  EXPECT_LE(first, 15);
  EXPECT_LE(last, 24);
  // The satellite number below the base line.
  EXPECT_GT(CountPixels(chart, kBlack, 4, 50, 20, 63), 5);
}

TEST(SatellitePlotPixels, ThirteenthBarIsCutAtTheRightEdge) {
  Plot plot;
  for (int n = 1; n <= 13; ++n) plot.Report(n, 45, n * 20, 40, true);
  plot.Draw();
  const QImage& chart = plot.chart();
  EXPECT_PIXEL(chart, 147, 38, kBlack);  // the twelfth bar: x 147 to 157
  EXPECT_PIXEL(chart, 157, 38, kBlack);
  EXPECT_PIXEL(chart, 158, 38, kGreen);
  EXPECT_PIXEL(chart, 159, 38, kGreen);
  EXPECT_PIXEL(chart, 160, 38, kBlack);  // the thirteenth starts at 160
  EXPECT_PIXEL(chart, 161, 38, kBlue);
  EXPECT_PIXEL(chart, 163, 38, kBlue);  // and runs off the picture
  EXPECT_PIXEL(chart, 160, 27, kBlack);
}

TEST(SatellitePlotPixels, ColoursOfUsedAndUnusedSatellites) {
  const struct {
    const char* fixMode;
    bool used;
    QRgb fill, label;
  } cases[] = {
      {"3D", true, kBlue, kWhite}, {"2D", true, kBlue, kWhite}, {"NONE", true, kGreen, kRed},
      {"", true, kGreen, kRed},    {"3D", false, kGreen, kRed}, {"NONE", false, kGreen, kRed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.fixMode) + (c.used ? " used" : " unused"));
    Plot plot;
    plot.Report(5, 90, 0, 40, c.used);  // disc around (50, 50)
    plot.Draw(c.fixMode);
    EXPECT_PIXEL(plot.chart(), 9, 38, c.fill);
    const QImage& sky = plot.sky();
    EXPECT_PIXEL(sky, 42, 50, kBlack);  // the disc's outline, radius 8
    EXPECT_PIXEL(sky, 57, 50, kBlack);
    EXPECT_PIXEL(sky, 45, 50, c.fill);  // inside the disc, left of the label
    // The label "5" from (48, 44): its characters in the label colour on the disc's fill.
    EXPECT_GT(CountPixels(sky, c.label, 48, 44, 54, 55), 5);
    const QRgb other = c.label == kWhite ? kRed : kWhite;
    EXPECT_EQ(CountPixels(sky, other, 0, 0, 93, 97), 0);
    EXPECT_EQ(CountPixels(sky, c.fill == kBlue ? kGreen : kBlue, 46, 44, 54, 55), 0);
  }
}

TEST(SatellitePlotPixels, SecondDrawingWithoutACycleLeavesOnlyTheBackgrounds) {
  Plot empty;
  empty.Draw();
  Plot plot;
  plot.Report(3, 10, 45, 30, true);
  plot.Report(12, 60, 200, 44);
  plot.Draw();
  EXPECT_NE(plot.chart(), empty.chart());
  EXPECT_NE(plot.sky(), empty.sky());
  plot.Draw();
  EXPECT_EQ(plot.chart(), empty.chart());
  EXPECT_EQ(plot.sky(), empty.sky());
}

TEST(SatellitePlotPixels, ClearTurnsTheChartGreyAndKeepsTheOuterRing) {
  Plot plot;
  plot.Report(3, 10, 45, 30, true);
  plot.Draw();
  ClearSatellitePlots(plot.window);
  ExpectBackgrounds(plot.chart(), plot.sky(), kGrey, false);
  EXPECT_EQ(CountPixels(plot.chart(), kBlue, 0, 0, 163, 63), 0);
  EXPECT_EQ(CountPixels(plot.chart(), kBlack, 1, 1, 163, 63), 0);
  EXPECT_EQ(CountPixels(plot.sky(), kBlue, 0, 0, 93, 97), 0);
}

}  // namespace
}  // namespace sattrail
