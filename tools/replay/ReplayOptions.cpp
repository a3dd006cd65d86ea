// SPDX-License-Identifier: BSD-2-Clause
#include "replay/ReplayOptions.h"

#include <CLI/CLI.hpp>

#include "sattrail/Version.h"

namespace sattrail::replay {

std::optional<ReplayOptions> ParseReplayOptions(int argc, const char* const* argv,
                                                std::ostream& out, std::ostream& err,
                                                int& exitCode) {
  ReplayOptions options;
  CLI::App app{
      "Replays a capture of a receiver's serial stream through the monitor's line assembly,\n"
      "dispatch, parsers, texts and drawings, and prints what the window would show as JSON\n"
      "Lines.",
      "sattrail-replay"};
  app.add_option("--chunk", options.chunk, "bytes handed on per poll")
      ->check(CLI::Range(1, kDefaultChunk))
      ->capture_default_str();
  app.add_flag("--every", options.every, "one line after each dispatched sentence");
  app.add_option("--png", options.pngDirectory,
                 "folder for chart.png and sky.png, the final pictures");
  app.add_option("CAPTURE", options.capture, "the capture file, or - for standard input")
      ->required();
  app.set_version_flag("--version", VersionLine("sattrail-replay"), "print the version and exit");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    exitCode = 0;
    return std::nullopt;
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << "\n";
    exitCode = 0;
    return std::nullopt;
  } catch (const CLI::ParseError& error) {
    err << "sattrail-replay: " << error.what() << "\n" << app.help();
    exitCode = 2;
    return std::nullopt;
  }
  exitCode = 0;
  return options;
}

}  // namespace sattrail::replay
