// SPDX-License-Identifier: BSD-2-Clause
#include "display/SatellitePlots.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/ControlNames.h"

namespace sattrail {

namespace {

constexpr Color kBackground{192, 220, 192};  // also rings and satellites not in the fix
constexpr Color kClearedChart{192, 192, 192};
constexpr Color kUsedFill{0, 0, 255};
constexpr Color kUsedLabel{255, 255, 255};
constexpr Color kUnusedLabel{255, 0, 0};
constexpr Color kOutline{0, 0, 0};

// The angle constant the plot was laid out with; it is not pi, and with pi several
// positions would move by one pixel.
constexpr double kHalfTurn = 3.141596;
constexpr int kCentre = 50;
constexpr int kHorizonRadius = 30;
constexpr int kDiscRadius = 8;
constexpr int kBaseLine = 50;
constexpr int kBarWidth = 11;

int Truncate(double value) {
  return static_cast<int>(value);
}

double Radians(int degrees) {
  return degrees * kHalfTurn / 180;
}

// The sky plot's background covers the whole picture without a visible outline; the rings
// are outlined in black and filled with the background green.
void DrawSkyBackground(Canvas& sky, bool innerRing) {
  sky.SetPenColor(kBackground);
  sky.SetBrushColor(kBackground);
  sky.RoundRect(0, 0, 200, 200, 3, 3);
  sky.SetPenColor(kOutline);
  sky.Ellipse(10, 10, 90, 90);
  if (innerRing) sky.Ellipse(30, 30, 70, 70);
}

// The chart's pen is never set: of its black outline only the top row and the left column
// fall inside the picture.
void DrawChartBackground(Canvas& chart) {
  chart.SetBrushColor(kBackground);
  chart.RoundRect(0, 0, 180, 70, 3, 3);
}

// The k-th bar of the chart (from 1): the signal above it, the satellite's number below.
void DrawBar(Canvas& chart, int k, int n, int signal, bool inFix) {
  const int height = BarHeight(signal);
  const int x = 13 * k - 9;
  chart.SetBrushColor(inFix ? kUsedFill : kBackground);
  chart.RoundRect(x, kBaseLine - height, x + kBarWidth, kBaseLine, 3, 3);
  chart.SetBrushColor(kBackground);
  // 30 - h / 1.3, the division being a product with the reciprocal.
  chart.TextOut(x, Truncate(30 - height * 0.76923076923076920), std::to_string(signal));
  chart.TextOut(x, kBaseLine, std::to_string(n));
}

// A satellite flagged as used while the fix box reads neither "3D" nor "2D" is drawn like one
// outside the fix, so that the disc never inherits the previous disc's colours.
void DrawDisc(Canvas& sky, int n, SkyPoint centre, bool inFix) {
  sky.SetBrushColor(inFix ? kUsedFill : kBackground);
  sky.SetFontColor(inFix ? kUsedLabel : kUnusedLabel);
  sky.SetFontName("Arial");
  sky.SetFontSize(7);
  sky.Ellipse(centre.x - kDiscRadius, centre.y - kDiscRadius, centre.x + kDiscRadius,
              centre.y + kDiscRadius);
  sky.TextOut(centre.x - (n <= 9 ? 2 : 5), centre.y - 6, std::to_string(n));
}

}  // namespace

SkyPoint SkyPosition(int elevation, int azimuth) {
  const double e = Radians(elevation);
  const double a = Radians(azimuth);
  return {Truncate(kCentre + std::cos(e) * (std::sin(a) * kHorizonRadius)),
          Truncate(kCentre - std::cos(e) * std::cos(a) * kHorizonRadius)};
}

int BarHeight(int signal) {
  // The signal times the double nearest 0.6 (just below it), truncated: exact multiples of
  // 5 come out one short (40 gives 23).
  const std::int64_t magnitude = signal < 0 ? -static_cast<std::int64_t>(signal) : signal;
  const std::int64_t height = (3 * magnitude - 1) / 5;
  return static_cast<int>(signal < 0 ? -height : height);
}

DrawnSatellites DrawSatellitePlots(RunState& run, Window& window, int slot) {
  Canvas& chart = window.Surface(control::Image1);
  Canvas& sky = window.Surface(control::Image2);
  SatelliteRow& row = run.SatelliteTable.at(slot);
  std::array<std::uint8_t, kSlotEntries>& used = run.GpsState.UsedSatellites.at(slot);
  const std::string fixMode = window.Text(control::Edit6);
  const bool fixed = fixMode == "3D" || fixMode == "2D";

  DrawChartBackground(chart);
  DrawSkyBackground(sky, true);
  DrawnSatellites drawn;
  for (int n = 1; n < kSatelliteNumbers; ++n) {
    SatelliteEntry& entry = row[n];
    if (entry.Reported != 1 && entry.Signal <= 8) continue;
    const bool inFix = fixed && used[n] != 0;
    DrawBar(chart, drawn.count + 1, n, entry.Signal, inFix);
    const SkyPoint centre = SkyPosition(entry.Elevation, entry.Azimuth);
    DrawDisc(sky, n, centre, inFix);
    drawn.items[drawn.count] = {n,     entry.Elevation, entry.Azimuth, entry.Signal,
                                inFix, centre.x,        centre.y};
    ++drawn.count;
    // The drawing consumes the report; elevation and azimuth are kept.
    entry.Reported = 0;
    entry.Signal = 0;
  }
  // Used means listed by a GSA since the previous drawing: every epoch's GSA sentences
  // (one per constellation on some receivers) arrive before its GSV cycle closes.
  used.fill(0);
  return drawn;
}

void ClearSatellitePlots(Window& window) {
  Canvas& chart = window.Surface(control::Image1);
  chart.SetBrushColor(kClearedChart);
  chart.RoundRect(0, 0, 200, 200, 3, 3);
  DrawSkyBackground(window.Surface(control::Image2), false);
}

}  // namespace sattrail
