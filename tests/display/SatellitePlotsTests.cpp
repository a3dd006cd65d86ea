// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/SatellitePlots.h"
#include "fakes/TestWindow.h"
#include "platform/ControlNames.h"

namespace sattrail {
namespace {

using testing::RecordingCanvas;
using testing::TestWindow;
using Kind = RecordingCanvas::Kind;

constexpr Color kGreen{192, 220, 192};
constexpr Color kGrey{192, 192, 192};
constexpr Color kBlue{0, 0, 255};
constexpr Color kWhite{255, 255, 255};
constexpr Color kRed{255, 0, 0};
constexpr Color kBlack{0, 0, 0};

TEST(SkyPosition, ElevationAndAzimuthWithTheOldPiConstant) {
  const struct {
    int elevation, azimuth;
    SkyPoint point;
  } cases[] = {
      {0, 0, {50, 20}},   {0, 90, {79, 50}},   {0, 180, {49, 79}},  {0, 270, {20, 49}},
      {45, 45, {64, 35}}, {30, 120, {72, 62}}, {60, 0, {50, 35}},   {90, 0, {50, 50}},
      {90, 90, {49, 49}}, {90, 180, {50, 49}}, {90, 270, {50, 50}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.elevation) + "/" + std::to_string(c.azimuth));
    const SkyPoint point = SkyPosition(c.elevation, c.azimuth);
    EXPECT_EQ(point.x, c.point.x);
    EXPECT_EQ(point.y, c.point.y);
  }
}

TEST(BarHeight, SignalTimesJustBelowSixTenthsTruncated) {
  const struct {
    int signal, height;
  } cases[] = {{0, 0},   {1, 0},   {5, 2},   {7, 4},   {10, 5},  {40, 23},   {45, 26},
               {22, 13}, {49, 29}, {66, 39}, {99, 59}, {-7, -4}, {-40, -23}, {-1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.signal);
    EXPECT_EQ(BarHeight(c.signal), c.height);
  }
}

struct Plot {
  RunState run;
  TestWindow window;

  void Report(int n, int elevation, int azimuth, int signal, int reported = 1) {
    run.SatelliteTable[1][n] = {reported, elevation, azimuth, signal};
  }
  DrawnSatellites Draw(const char* fixMode = "3D") {
    window.SetText(control::Edit6, fixMode);
    window.Chart().Clear();
    window.Sky().Clear();
    return DrawSatellitePlots(run, window, 1);
  }
  // Bars and their two texts follow the one background figure of the chart.
  std::vector<RecordingCanvas::Operation> Bars() {
    std::vector<RecordingCanvas::Operation> bars = window.Chart().OperationsOf(Kind::RoundRect);
    bars.erase(bars.begin());
    return bars;
  }
  std::vector<RecordingCanvas::Operation> Discs() {
    std::vector<RecordingCanvas::Operation> discs = window.Sky().OperationsOf(Kind::Ellipse);
    discs.erase(discs.begin(), discs.begin() + 2);  // the two rings
    return discs;
  }
};

TEST(DrawSatellitePlots, BackgroundsAndRingsComeFirst) {
  Plot plot;
  plot.Draw();
  const auto& chart = plot.window.Chart().Operations();
  ASSERT_EQ(chart.size(), 1u);
  EXPECT_EQ(chart[0].kind, Kind::RoundRect);
  EXPECT_EQ((std::vector<int>{chart[0].x1, chart[0].y1, chart[0].x2, chart[0].y2,
                              chart[0].cornerWidth, chart[0].cornerHeight}),
            (std::vector<int>{0, 0, 180, 70, 3, 3}));
  EXPECT_EQ(chart[0].brush, kGreen);
  EXPECT_EQ(chart[0].pen, kBlack);

  const auto& sky = plot.window.Sky().Operations();
  ASSERT_EQ(sky.size(), 3u);
  EXPECT_EQ(sky[0].kind, Kind::RoundRect);
  EXPECT_EQ((std::vector<int>{sky[0].x1, sky[0].y1, sky[0].x2, sky[0].y2}),
            (std::vector<int>{0, 0, 200, 200}));
  EXPECT_EQ(sky[0].pen, kGreen);
  EXPECT_EQ(sky[0].brush, kGreen);
  EXPECT_EQ(sky[1].kind, Kind::Ellipse);
  EXPECT_EQ((std::vector<int>{sky[1].x1, sky[1].y1, sky[1].x2, sky[1].y2}),
            (std::vector<int>{10, 10, 90, 90}));
  EXPECT_EQ(sky[2].kind, Kind::Ellipse);
  EXPECT_EQ((std::vector<int>{sky[2].x1, sky[2].y1, sky[2].x2, sky[2].y2}),
            (std::vector<int>{30, 30, 70, 70}));
  EXPECT_EQ(sky[1].pen, kBlack);
  EXPECT_EQ(sky[2].brush, kGreen);
}

TEST(DrawSatellitePlots, SelectsReportedOrStrongSatellitesAndConsumesThem) {
  Plot plot;
  plot.Report(3, 10, 20, 0, 1);   // reported with signal 0: drawn
  plot.Report(4, 11, 21, 9, 0);   // not reported, signal 9: drawn
  plot.Report(5, 12, 22, 8, 0);   // not reported, signal 8: not drawn
  plot.Report(0, 13, 23, 40, 1);  // entry 0 is never drawn
  plot.Report(6, 14, 24, 35, 2);  // Reported must be exactly 1, but the signal is above 8
  const DrawnSatellites drawn = plot.Draw();
  ASSERT_EQ(drawn.count, 3);
  EXPECT_EQ(drawn.items[0].n, 3);
  EXPECT_EQ(drawn.items[1].n, 4);
  EXPECT_EQ(drawn.items[2].n, 6);
  EXPECT_EQ(drawn.items[2].signal, 35);
  EXPECT_EQ(drawn.items[2].elevation, 14);
  EXPECT_EQ(drawn.items[2].azimuth, 24);

  const auto& table = plot.run.SatelliteTable[1];
  for (int n : {3, 4, 6}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(table[n].Reported, 0);
    EXPECT_EQ(table[n].Signal, 0);
  }
  EXPECT_EQ(table[6].Elevation, 14);
  EXPECT_EQ(table[6].Azimuth, 24);
  EXPECT_EQ(table[5].Signal, 8);
  EXPECT_EQ(table[0].Reported, 1);
}

TEST(DrawSatellitePlots, BarsStandOnTheBaseLineWithTheirTexts) {
  const struct {
    int signal;
    int top;     // 50 - h
    int labelY;  // 30 - h / 1.3
  } cases[] = {{40, 27, 12}, {0, 50, 30}, {22, 37, 20}, {49, 21, 7}, {66, 11, 0}, {1, 50, 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.signal);
    Plot plot;
    plot.Report(12, 45, 45, c.signal);
    plot.Draw();
    const auto bars = plot.Bars();
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ((std::vector<int>{bars[0].x1, bars[0].y1, bars[0].x2, bars[0].y2, bars[0].cornerWidth,
                                bars[0].cornerHeight}),
              (std::vector<int>{4, c.top, 15, 50, 3, 3}));
    const auto texts = plot.window.Chart().OperationsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, std::to_string(c.signal));
    EXPECT_EQ(texts[0].x1, 4);
    EXPECT_EQ(texts[0].y1, c.labelY);
    EXPECT_EQ(texts[0].brush, kGreen);
    EXPECT_EQ(texts[1].text, "12");
    EXPECT_EQ(texts[1].x1, 4);
    EXPECT_EQ(texts[1].y1, 50);
  }
}

TEST(DrawSatellitePlots, BarsAdvanceByThirteenPixels) {
  Plot plot;
  for (int n = 1; n <= 14; ++n) plot.Report(n * 3, 30, n * 25, 30);
  const DrawnSatellites drawn = plot.Draw();
  EXPECT_EQ(drawn.count, 14);
  const auto bars = plot.Bars();
  ASSERT_EQ(bars.size(), 14u);
  for (int k = 1; k <= 14; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(bars[k - 1].x1, 13 * k - 9);
    EXPECT_EQ(bars[k - 1].x2, 13 * k + 2);
  }
  EXPECT_EQ(bars[11].x2, 158);  // the twelfth bar ends inside the picture
  EXPECT_EQ(bars[12].x1, 160);  // the thirteenth is cut at its edge
  // Every satellite still gets its disc.
  EXPECT_EQ(plot.Discs().size(), 14u);
}

TEST(DrawSatellitePlots, DiscAndLabelAroundTheSkyPosition) {
  Plot plot;
  plot.Report(9, 45, 45, 30);    // (64, 35)
  plot.Report(10, 30, 120, 30);  // (72, 62)
  const DrawnSatellites drawn = plot.Draw();
  ASSERT_EQ(drawn.count, 2);
  EXPECT_EQ(drawn.items[0].x, 64);
  EXPECT_EQ(drawn.items[0].y, 35);
  EXPECT_EQ(drawn.items[1].x, 72);
  EXPECT_EQ(drawn.items[1].y, 62);
  const auto discs = plot.Discs();
  ASSERT_EQ(discs.size(), 2u);
  EXPECT_EQ((std::vector<int>{discs[0].x1, discs[0].y1, discs[0].x2, discs[0].y2}),
            (std::vector<int>{56, 27, 72, 43}));
  EXPECT_EQ((std::vector<int>{discs[1].x1, discs[1].y1, discs[1].x2, discs[1].y2}),
            (std::vector<int>{64, 54, 80, 70}));
  const auto labels = plot.window.Sky().OperationsOf(Kind::Text);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].text, "9");
  EXPECT_EQ(labels[0].x1, 62);  // two left for one digit
  EXPECT_EQ(labels[0].y1, 29);
  EXPECT_EQ(labels[1].text, "10");
  EXPECT_EQ(labels[1].x1, 67);  // five left for two digits
  EXPECT_EQ(labels[1].y1, 56);
  EXPECT_EQ(labels[1].fontName, "Arial");
  EXPECT_EQ(labels[1].fontPoints, 7);
}

TEST(DrawSatellitePlots, ColoursFollowTheUsedFlagAndTheFixText) {
  const struct {
    const char* fixMode;
    bool flagged;
    Color bar, disc, label;
    bool used;
  } cases[] = {
      {"3D", true, kBlue, kBlue, kWhite, true},    {"2D", true, kBlue, kBlue, kWhite, true},
      {"NONE", true, kGreen, kGreen, kRed, false},  // our choice for a flag without a fix
      {"", true, kGreen, kGreen, kRed, false},     {"3D", false, kGreen, kGreen, kRed, false},
      {"2D", false, kGreen, kGreen, kRed, false},  {"NONE", false, kGreen, kGreen, kRed, false},
      {"", false, kGreen, kGreen, kRed, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.fixMode) + (c.flagged ? " flagged" : " not flagged"));
    Plot plot;
    // A satellite in the fix drawn first, so that nothing is inherited from it.
    plot.Report(2, 45, 45, 30);
    plot.run.GpsState.UsedSatellites[1][2] = 1;
    plot.Report(17, 30, 120, 30);
    plot.run.GpsState.UsedSatellites[1][17] = c.flagged ? 1 : 0;
    const DrawnSatellites drawn = plot.Draw(c.fixMode);
    ASSERT_EQ(drawn.count, 2);
    EXPECT_EQ(drawn.items[1].used, c.used);
    EXPECT_EQ(plot.Bars()[1].brush, c.bar);
    EXPECT_EQ(plot.Discs()[1].brush, c.disc);
    EXPECT_EQ(plot.Discs()[1].pen, kBlack);
    const auto labels = plot.window.Sky().OperationsOf(Kind::Text);
    EXPECT_EQ(labels[1].fontColor, c.label);
    EXPECT_EQ(labels[1].brush, c.disc);
    EXPECT_EQ(plot.Bars()[1].pen, kBlack);
  }
}

TEST(DrawSatellitePlots, UsedFlagsLastUntilTheNextDrawing) {
  Plot plot;
  plot.run.GpsState.UsedSatellites[1][4] = 1;
  plot.run.GpsState.UsedSatellites[1][31] = 1;
  plot.Report(4, 45, 45, 30);
  EXPECT_TRUE(plot.Draw().items[0].used);
  for (int n = 0; n < 50; ++n) EXPECT_EQ(plot.run.GpsState.UsedSatellites[1][n], 0) << n;
  // The next cycle without a GSA in between: the satellite is no longer in the fix.
  plot.Report(4, 45, 45, 30);
  EXPECT_FALSE(plot.Draw().items[0].used);
}

TEST(DrawSatellitePlots, SecondDrawingWithoutACycleDrawsOnlyBackgrounds) {
  Plot plot;
  plot.Report(4, 45, 45, 30);
  plot.Report(7, 10, 200, 12, 0);
  EXPECT_EQ(plot.Draw().count, 2);
  EXPECT_EQ(plot.Draw().count, 0);
  EXPECT_EQ(plot.window.Chart().Operations().size(), 1u);
  EXPECT_EQ(plot.window.Sky().Operations().size(), 3u);
}

TEST(DrawSatellitePlots, DrawsTheGivenSlot) {
  Plot plot;
  plot.run.SatelliteTable[2][5] = {1, 45, 45, 30};
  plot.window.SetText(control::Edit6, "3D");
  EXPECT_EQ(DrawSatellitePlots(plot.run, plot.window, 2).count, 1);
  EXPECT_EQ(plot.run.SatelliteTable[2][5].Reported, 0);
}

TEST(ClearSatellitePlots, GreyChartAndTheOuterRingAlone) {
  TestWindow window;
  ClearSatellitePlots(window);
  const auto& chart = window.Chart().Operations();
  ASSERT_EQ(chart.size(), 1u);
  EXPECT_EQ((std::vector<int>{chart[0].x1, chart[0].y1, chart[0].x2, chart[0].y2}),
            (std::vector<int>{0, 0, 200, 200}));
  EXPECT_EQ(chart[0].brush, kGrey);
  EXPECT_EQ(chart[0].pen, kBlack);
  const auto& sky = window.Sky().Operations();
  ASSERT_EQ(sky.size(), 2u);
  EXPECT_EQ(sky[0].kind, Kind::RoundRect);
  EXPECT_EQ(sky[0].pen, kGreen);
  EXPECT_EQ(sky[1].kind, Kind::Ellipse);
  EXPECT_EQ((std::vector<int>{sky[1].x1, sky[1].y1, sky[1].x2, sky[1].y2}),
            (std::vector<int>{10, 10, 90, 90}));
  EXPECT_EQ(window.Sky().pen(), kBlack);
  EXPECT_EQ(window.Sky().brush(), kGreen);
}

}  // namespace
}  // namespace sattrail
