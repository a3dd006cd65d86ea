// SPDX-License-Identifier: BSD-2-Clause
#include "replay/ReplayJson.h"

#include <algorithm>
#include <array>

#include "platform/ControlNames.h"
#include "platform/DegreeSign.h"

namespace sattrail::replay {

namespace {

constexpr std::array<std::string_view, 11> kReportedBoxes{
    control::Edit8,  control::Edit9,    control::EdSpeed,   control::EdTime,
    control::EdDate, control::EdHeight, control::EdPDOP,    control::Edit6,
    control::Edit7,  control::Ed3Dt,    control::OutTextBox};

constexpr std::array<std::string_view, 7> kCheckBoxes{
    control::CheckBox1, control::CheckBox2, control::CheckBox3, control::CheckBox4,
    control::CheckBox5, control::CheckBox6, control::CheckBox7};

}  // namespace

std::string WindowTextToUtf8(std::string_view text) {
  // Received text is nearly always ASCII, which is UTF-8 already.
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return std::string(text);
  }
  std::string utf8;
  utf8.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (DegreeSignAt(text, i)) {
      utf8 += "\xC2\xB0";
      ++i;
    } else if (byte >= 0x80) {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    } else {
      utf8 += static_cast<char>(byte);
    }
  }
  return utf8;
}

nlohmann::ordered_json BoxesJson(const Window& window) {
  nlohmann::ordered_json boxes = nlohmann::ordered_json::object();
  for (std::string_view box : kReportedBoxes) {
    boxes[std::string(box)] = WindowTextToUtf8(window.Text(box));
  }
  return boxes;
}

nlohmann::ordered_json ChecksJson(const Window& window) {
  nlohmann::ordered_json checks = nlohmann::ordered_json::object();
  for (std::string_view box : kCheckBoxes) checks[std::string(box)] = window.Checked(box);
  return checks;
}

nlohmann::ordered_json DrawingJson(const DrawnSatellites& drawn) {
  nlohmann::ordered_json satellites = nlohmann::ordered_json::array();
  const int count = std::min<int>(drawn.count, static_cast<int>(drawn.items.size()));
  for (int i = 0; i < count; ++i) {
    const DrawnSatellite& satellite = drawn.items[static_cast<std::size_t>(i)];
    satellites.push_back(nlohmann::ordered_json{{"n", satellite.n},
                                                {"elevation", satellite.elevation},
                                                {"azimuth", satellite.azimuth},
                                                {"signal", satellite.signal},
                                                {"used", satellite.used},
                                                {"x", satellite.x},
                                                {"y", satellite.y}});
  }
  return satellites;
}

nlohmann::ordered_json SatellitesJson(const std::vector<ListedSatellite>& satellites) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const ListedSatellite& satellite : satellites) {
    nlohmann::ordered_json bySignal = nlohmann::ordered_json::object();
    for (int id = 0; id < kSignalIds; ++id) {
      if ((satellite.signalIds >> id & 1u) == 0) continue;
      const std::int16_t value = satellite.signalValues[static_cast<std::size_t>(id)];
      const char digit = "0123456789ABCDEF"[id];
      bySignal[std::string(1, digit)] =
          value == kNotTracked ? nlohmann::ordered_json() : nlohmann::ordered_json(value);
    }
    const auto position = [&](int degrees) {
      return satellite.hasPosition ? nlohmann::ordered_json(degrees) : nlohmann::ordered_json();
    };
    list.push_back(nlohmann::ordered_json{{"system", FactsOf(satellite.id.system).name},
                                          {"svid", satellite.id.svid},
                                          {"elevation", position(satellite.elevation)},
                                          {"azimuth", position(satellite.azimuth)},
                                          {"signal", satellite.signal},
                                          {"signals", std::move(bySignal)},
                                          {"used", satellite.used}});
  }
  return list;
}

}  // namespace sattrail::replay
