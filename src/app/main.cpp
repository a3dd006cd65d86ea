// SPDX-License-Identifier: BSD-2-Clause
#include <QtGlobal>
#include <exception>
#include <iostream>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "serial/Recording.h"
#include "state/RunState.h"

int main(int argc, char* argv[]) {
  // Before the toolkit starts: --help and --version need no display.
  sattrail::MonitorOptions options;
  if (const auto status = sattrail::ReadCommandLine(argc, argv, std::cout, std::cerr, options)) {
    return *status;
  }
  sattrail::RunState run;  // the run's state comes before the window
  run.Recording.Path = options.record;
  run.Recording.Append = options.append;
  // The toolkit sees the program's name only, so it takes no options of its own from the
  // command line; its environment variables still apply.
  int toolkitArgc = 1;
  // The window sends some ten small updates a second. Through X shared memory each one first
  // waits for the server to be done with the segment, a round trip that costs the monitor
  // more than sending the few kilobytes through the socket; a setting of the user's wins.
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  sattrail::Application application(toolkitArgc, argv);
  try {
    sattrail::MainWindow window(run);
    window.show();
    QApplication::exec();
  } catch (const std::exception& error) {
    application.ShowException(error.what());
  } catch (...) {
    application.ShowException({});
  }
  // Closing the window closed the port and the recording with it; this catches an end of the
  // loop by any other way. A recording that failed then had no box to say so.
  sattrail::StopRecording(run);
  if (!run.Recording.Failure.empty()) {
    std::cerr << "sattrail: recording to " << run.Recording.Path
              << " stopped: " << run.Recording.Failure << "\n";
  }
  return 0;
}
