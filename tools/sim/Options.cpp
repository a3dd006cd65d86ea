// SPDX-License-Identifier: BSD-2-Clause
#include "Options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

#include "sattrail/Version.h"

namespace sattrail::sim {
namespace {

std::optional<double> ParseNumber(std::string_view text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

CLI::Validator SecondsOfAFault() {
  return CLI::Validator(
      [](const std::string& text) -> std::string {
        const std::optional<double> seconds = ParseNumber(text);
        if (seconds && *seconds >= 1 && *seconds <= 600) return {};
        return "\"" + text + "\" is not a number of seconds from 1 to 600";
      },
      "");
}

}  // namespace

std::optional<Place> ParsePlace(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const auto latitude = ParseNumber(std::string_view(text).substr(0, comma));
  const auto longitude = ParseNumber(std::string_view(text).substr(comma + 1));
  if (!latitude || !longitude || *latitude < -85 || *latitude > 85 || *longitude < -180 ||
      *longitude > 180)
    return std::nullopt;
  Place place;
  place.latitude = *latitude;
  place.longitude = *longitude;
  return place;
}

namespace {

constexpr const char* kDescription =
    "sattrail-sim: a simulated GPS receiver on a pseudo-terminal. It links the terminal as "
    "COMn in the port-link folder ($SATTRAIL_PORT_DIR, else $XDG_RUNTIME_DIR/sattrail/ports, "
    "else /tmp/sattrail-<uid>/ports) and streams NMEA 0183 until stopped. The folder must be "
    "yours and writable by you alone (any it creates are mode 0700); otherwise it exits with "
    "status 2.\n\n"
    "Control lines on standard input: \"fault NAME on|off|once|RATE\", \"fault NAME\" "
    "(once), \"hot\", \"warm\", \"cold\", \"quit\".";

// A system's name on the command line: its name in lower case, "beidou".
std::string OptionName(SatelliteSystem system) {
  std::string name(FactsOf(system).name);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

std::vector<std::string> SystemNames() {
  std::vector<std::string> names;
  for (SatelliteSystem system : FlownSystems()) names.push_back(OptionName(system));
  return names;
}

// The options read as text on the command line and turned into Options after it.
struct TextOptions {
  std::string at;
  std::vector<std::string> systems{OptionName(SatelliteSystem::Gps)};
  std::vector<std::string> faults;
  std::string start = "cold";
  // Read as text: CLI11 converts real numbers with the C library, which follows the locale.
  std::string faultSeconds = "5";
};

void AddLineOptions(CLI::App& app, Options& options) {
  app.add_option("--port", options.port, "port number n of the link COMn (1 to 30)")
      ->check(CLI::Range(1, 30))
      ->capture_default_str();
  app.add_option("--speed", options.speed, "line speed in bit/s; a byte takes ten bit times")
      ->check(CLI::Range(300, 921600))
      ->capture_default_str();
}

void AddSourceOptions(CLI::App& app, Options& options, TextOptions& text) {
  app.add_option("--at", text.at,
                 "LAT,LON in degrees of the place the built-in sky is seen from (north and "
                 "east positive; default 47.3769,8.5417)");
  auto* capture = app.add_option("--capture", options.capture,
                                 "replay a recorded NMEA capture instead of the built-in sky; "
                                 "lines starting with # are skipped")
                      ->check(CLI::ExistingFile);
  app.add_flag("--loop", options.loop, "repeat the capture when it ends")->needs(capture);
  app.add_option("--systems", text.systems,
                 "the systems the built-in sky flies, separated by commas (default gps); "
                 "anything but GPS on one signal is written as NMEA 4.11")
      ->type_name("LIST")
      ->delimiter(',')
      ->check(CLI::IsMember(SystemNames()));
  app.add_flag("--dual", options.reception.dual,
               "receive every system's second signal too (L5, E5a, B2a, G2 C/A), in a GSV "
               "cycle of its own with the satellites that send it");
}

void AddReceiverOptions(CLI::App& app, Options& options, TextOptions& text) {
  app.add_option("--fault", text.faults,
                 "inject a fault, NAME[=RATE], repeatable. NAME is badsum, badfield, burst, "
                 "silence, nolf, wrongspeed or unplug; RATE from 0 to 1 is the chance per line "
                 "(badsum, badfield, nolf, wrongspeed) or per second (burst, silence, unplug)")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--start", text.start, "the start the receiver makes when the simulator begins")
      ->check(CLI::IsMember({"hot", "warm", "cold"}))
      ->capture_default_str();
  app.add_option("--fault-seconds", text.faultSeconds,
                 "how long silence and unplugging last, in seconds (1 to 600)")
      ->type_name("SECONDS")
      ->check(SecondsOfAFault())
      ->capture_default_str();
  app.add_option("--seed", options.seed, "seed of the signal noise and the fault dice")
      ->capture_default_str();
}

// The options read as text into options; false, with the reason written to err, when one is
// not what its option takes.
bool TakeTextOptions(const TextOptions& text, Options& options, std::ostream& err) {
  options.faultSeconds = ParseNumber(text.faultSeconds).value_or(options.faultSeconds);
  if (!text.at.empty()) {
    const std::optional<Place> place = ParsePlace(text.at);
    if (!place) {
      err << "--at: \"" << text.at
          << "\" is not LAT,LON in degrees (latitude -85 to 85, longitude -180 to 180)\n";
      return false;
    }
    options.place = *place;
  }
  for (const std::string& fault : text.faults) {
    std::string error;
    const std::optional<FaultSetting> setting = ParseFaultSetting(fault, &error);
    if (!setting) {
      err << "--fault: " << error << "\n";
      return false;
    }
    options.faults.push_back(*setting);
  }
  options.reception.systems.clear();
  for (SatelliteSystem system : FlownSystems()) {
    if (std::find(text.systems.begin(), text.systems.end(), OptionName(system)) !=
        text.systems.end())
      options.reception.systems.push_back(system);
  }
  static const std::map<std::string, StartKind> kStarts = {
      {"hot", StartKind::Hot}, {"warm", StartKind::Warm}, {"cold", StartKind::Cold}};
  options.start = kStarts.at(text.start);
  return true;
}

}  // namespace

ParseOutcome ParseOptions(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{kDescription, "sattrail-sim"};
  Options options;
  TextOptions text;
  AddLineOptions(app, options);
  AddSourceOptions(app, options, text);
  AddReceiverOptions(app, options, text);
  app.add_flag("--quiet", options.quiet, "say nothing on standard error while running");
  app.set_version_flag("--version", VersionLine("sattrail-sim"), "print the version and exit");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error, out, err);
    return {std::nullopt, code == 0 ? 0 : 2};
  }
  if (!TakeTextOptions(text, options, err)) return {std::nullopt, 2};
  return {options, 0};
}

}  // namespace sattrail::sim
