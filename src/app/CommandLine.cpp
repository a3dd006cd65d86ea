// SPDX-License-Identifier: BSD-2-Clause
#include "app/CommandLine.h"

#include <CLI/CLI.hpp>

#include "sattrail/Version.h"

namespace sattrail {

namespace {

constexpr const char* kProgram = "sattrail";

constexpr const char* kDescription =
    "sattrail - monitor for a GPS receiver on a serial port\n"
    "\n"
    "Sattrail opens one window that shows what an NMEA 0183 receiver reports: position,\n"
    "speed, height, local time and date, fix mode, PDOP, a sky plot of the satellites, a\n"
    "chart of their signals, the sentence types received and a time-to-fix counter. Choose\n"
    "the port and the speed in the window and press On. The receiver can be sent hot, warm\n"
    "and cold starts and other \"@\" command lines. Nothing is saved between runs, except\n"
    "what --record writes.\n";

constexpr const char* kFooter =
    "Ports:\n"
    "  The port list names COM1 to COM30. Port n is the link COMn in the port-link folder\n"
    "  when there is one. The folder is $SATTRAIL_PORT_DIR when set, else\n"
    "  $XDG_RUNTIME_DIR/sattrail/ports, else /tmp/sattrail-<uid>/ports; to choose a device\n"
    "  yourself, link it there:\n"
    "    ln -s /dev/ttyUSB0 \"$XDG_RUNTIME_DIR/sattrail/ports/COM3\"\n"
    "  Links count only in a folder of your own that nobody else may write to.\n"
    "  Without a link, port n is the n-th serial device present: /dev/ttyACM*, then\n"
    "  /dev/ttyUSB*, then on-board /dev/ttyS*. A single USB receiver is therefore COM1.\n"
    "  Serial devices belong to the group dialout; join it to open them.\n"
    "\n"
    "Recording:\n"
    "  With --record FILE every byte read from the port goes to FILE, exactly as received,\n"
    "  while the port is open; OFF and On again in the same run add to it. A new run\n"
    "  replaces the file, or adds to it with --append. The file is a capture that\n"
    "  sattrail-replay FILE and sattrail-sim --capture FILE play back. A write error\n"
    "  stops the recording with one error box; the monitor goes on.\n"
    "\n"
    "Without a receiver:\n"
    "  sattrail-sim is a simulated receiver. It links a pseudo-terminal as COM1 of the\n"
    "  port-link folder and streams NMEA from a built-in sky or a recorded capture, so that\n"
    "  On shows a fix; see sattrail-sim --help.\n"
    "\n"
    "Environment:\n"
    "  SATTRAIL_PORT_DIR  the port-link folder\n"
    "  DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM  where the window appears\n";

}  // namespace

std::optional<int> ReadCommandLine(int argc, const char* const* argv, std::ostream& out,
                                   std::ostream& err, MonitorOptions& options) {
  CLI::App app{kDescription, kProgram};
  app.footer(kFooter);
  app.set_help_flag("-h,--help", "print this help and exit");
  app.set_version_flag("--version", VersionLine(kProgram), "print the version and exit");
  auto* record =
      app.add_option("--record", options.record, "record every byte read from the port in FILE")
          ->type_name("FILE");
  app.add_flag("--append", options.append, "with --record: add to FILE instead of replacing it")
      ->needs(record);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& answered) {  // --help or --version
    return app.exit(answered, out, err);
  } catch (const CLI::ParseError& error) {
    err << kProgram << ": " << error.what() << " (see " << kProgram << " --help)\n";
    return 2;
  }
  return std::nullopt;
}

}  // namespace sattrail
