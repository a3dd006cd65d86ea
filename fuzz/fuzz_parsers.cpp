// SPDX-License-Identifier: BSD-2-Clause
// Received bytes through every parser and text formatter: a conversion error is the only
// exception a line may raise, and no input may crash or reach undefined behaviour.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "display/PositionText.h"
#include "display/RmcDisplay.h"
#include "display/SatellitePlots.h"
#include "fakes/TestWindow.h"
#include "nmea/FieldParsers.h"
#include "nmea/GsvEpochs.h"
#include "nmea/GsvParser.h"
#include "nmea/SatelliteList.h"
#include "numbers/NumberConversion.h"
#include "systems/SatelliteSystems.h"

namespace {

using namespace sattrail;

template <typename Parse>
void Guarded(Parse&& parse) {
  try {
    parse();
  } catch (const ConversionError&) {
    // Malformed text in a field: the expected way for a line to fail.
  }
}

template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size) {
  T value{};
  const std::size_t n = size < sizeof(T) ? size : sizeof(T);
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  RunState run;
  testing::TestWindow window;

  // Every line of the input through every parser, as dispatch would meet them.
  std::size_t start = 0;
  while (start < input.size()) {
    std::size_t end = input.find('\n', start);
    end = end == std::string_view::npos ? input.size() : end + 1;
    const std::string_view line = input.substr(start, end - start);
    start = end;
    // The talker picks the system as dispatch does; an unknown one is read as GPS.
    const int systemId =
        SystemIdOfTalker(line.substr(std::min<std::size_t>(1, line.size()), 2)).value_or(1);
    Guarded([&] { ParseGga(run.GpsState, line); });
    Guarded([&] { ParseRmc(run.GpsState, line); });
    ++run.GpsState.InFix.Run;
    Guarded([&] { ParseGsa(run.GpsState, line, systemId); });
    ShowRmcValues(run.GpsState, window);
    const GsvLayout layout = ReadGsvLayout(line, systemId);
    if (ParseGsv(run, layout, line) == kGsvShow) {
      PrepareEpochDrawing(run, layout.systemId);
      DrawSatellitePlots(run, window, 1);
      window.Chart().Clear();  // the recording would only grow
      window.Sky().Clear();
    }
  }
  // Every satellite the epochs left, read in full so the sanitizers see each field.
  int sum = 0;
  for (const ListedSatellite& satellite : ListSatellites(run)) {
    sum += satellite.signal + satellite.elevation + satellite.azimuth + satellite.used;
  }
  if (sum == -1) __builtin_trap();  // keeps the reads

  // The whole input as a field text, and its bytes as raw values for the formatters.
  Guarded([&] { StrToInt(input); });
  Guarded([&] { StrToFloat(input); });
  StrToIntDef(input, 10);
  const std::uint8_t* rest = data;
  std::size_t left = size;
  const double angle = Take<double>(rest, left);
  const float longitude = Take<float>(rest, left);
  const std::int32_t time = Take<std::int32_t>(rest, left);
  const std::int32_t date = Take<std::int32_t>(rest, left);
  run.GpsState.DayCarry = Take<std::int8_t>(rest, left) % 2;
  FormatLatLon(angle);
  FormatSpeed(longitude);
  FormatDate(run.GpsState, date);
  FormatLocalTime(run.GpsState, time, longitude, left % 2 == 0 ? "E" : "W");
  FormatDate(run.GpsState, date);
  return 0;
}
