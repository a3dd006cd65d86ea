// SPDX-License-Identifier: BSD-2-Clause
// Each field parser and text formatter on one real value, and one drawing of twelve
// satellites on the tests' window (recording canvases) and on the Qt canvas.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "display/PositionText.h"
#include "display/RmcDisplay.h"
#include "display/SatellitePlots.h"
#include "fakes/TestWindow.h"
#include "nmea/FieldParsers.h"
#include "nmea/GsvParser.h"
#include "numbers/NumberConversion.h"
#include "platform/ControlNames.h"
#include "platform/qt/QtCanvas.h"

namespace {

using namespace sattrail;

constexpr const char* kGga =
    "$GPGGA,232712.000,4404.1237962,N,12118.8472460,W,1,05,5.1,1132.560,M,-20.300,M,,0000*58"
    "\r\n";
constexpr const char* kRmc =
    "$GPRMC,232712.000,A,4404.1237962,N,12118.8472460,W,000.0,159.2,280316,,,A*74\r\n";
constexpr const char* kGsa = "$GPGSA,A,3,30,28,09,11,17,,,,,,,,8.2,5.1,6.4*38\r\n";
constexpr const char* kGsv =
    "$GPGSV,4,1,14,30,77,063,18,28,70,264,19,07,48,101,27,13,41,305,16*7B\r\n";

void BM_StrToFloat(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(StrToFloat("4404.1237962"));
}
BENCHMARK(BM_StrToFloat);

void BM_StrToInt(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(StrToInt("280316"));
}
BENCHMARK(BM_StrToInt);

void BM_ParseGga(benchmark::State& state) {
  CoMPort gps;
  for (auto _ : state) {
    ParseGga(gps, kGga);
    benchmark::DoNotOptimize(gps.HeightText.data());
  }
}
BENCHMARK(BM_ParseGga);

void BM_ParseRmc(benchmark::State& state) {
  CoMPort gps;
  for (auto _ : state) {
    ParseRmc(gps, kRmc);
    benchmark::DoNotOptimize(gps.UtcDate);
  }
}
BENCHMARK(BM_ParseRmc);

void BM_ParseGsa(benchmark::State& state) {
  CoMPort gps;
  for (auto _ : state) {
    ParseGsa(gps, kGsa);
    benchmark::DoNotOptimize(gps.Pdop);
  }
}
BENCHMARK(BM_ParseGsa);

void BM_ParseGsv(benchmark::State& state) {
  RunState run;
  for (auto _ : state) benchmark::DoNotOptimize(ParseGsv(run, 1, kGsv));
}
BENCHMARK(BM_ParseGsv);

void BM_FormatLatLon(benchmark::State& state) {
  const double angle = static_cast<double>(4404.1237962f);
  for (auto _ : state) benchmark::DoNotOptimize(FormatLatLon(angle));
}
BENCHMARK(BM_FormatLatLon);

void BM_FormatLocalTime(benchmark::State& state) {
  CoMPort gps;
  for (auto _ : state) benchmark::DoNotOptimize(FormatLocalTime(gps, 232712, 12118.847f, "W"));
}
BENCHMARK(BM_FormatLocalTime);

void BM_FormatDate(benchmark::State& state) {
  CoMPort gps;
  gps.DayCarry = 1;
  for (auto _ : state) benchmark::DoNotOptimize(FormatDate(gps, 311204));
}
BENCHMARK(BM_FormatDate);

void BM_FormatSpeed(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FormatSpeed(19.4459991455078125f));
}
BENCHMARK(BM_FormatSpeed);

void BM_ShowRmcValues(benchmark::State& state) {
  CoMPort gps;
  ParseRmc(gps, kRmc);
  testing::TestWindow window;
  for (auto _ : state) ShowRmcValues(gps, window);
}
BENCHMARK(BM_ShowRmcValues);

// The tests' window with Qt canvases for its images.
using QtPictureWindow = testing::StartedWindow<QtCanvas>;

void FillTwelve(RunState& run) {
  for (int k = 0; k < 12; ++k) {
    run.SatelliteTable[1][k * 4 + 1] = {1, (k * 7) % 90, (k * 31) % 360, 20 + k * 2};
    run.GpsState.UsedSatellites[1][k * 4 + 1] = k % 2;
  }
}

void BM_DrawSatellitePlots_TestWindow(benchmark::State& state) {
  RunState run;
  testing::TestWindow window;
  window.SetText(control::Edit6, "3D");
  for (auto _ : state) {
    state.PauseTiming();
    FillTwelve(run);
    window.Chart().Clear();
    window.Sky().Clear();
    state.ResumeTiming();
    benchmark::DoNotOptimize(DrawSatellitePlots(run, window, 1));
  }
}
BENCHMARK(BM_DrawSatellitePlots_TestWindow);

void BM_DrawSatellitePlots_QtCanvas(benchmark::State& state) {
  RunState run;
  QtPictureWindow window;
  window.SetText(control::Edit6, "3D");
  for (auto _ : state) {
    state.PauseTiming();
    FillTwelve(run);
    state.ResumeTiming();
    benchmark::DoNotOptimize(DrawSatellitePlots(run, window, 1));
  }
}
BENCHMARK(BM_DrawSatellitePlots_QtCanvas);

}  // namespace

int main(int argc, char** argv) {
  // Fonts need an application; the offscreen platform needs no display.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
