// SPDX-License-Identifier: BSD-2-Clause
#include <exception>
#include <iostream>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "nmea/RunState.h"

int main(int argc, char* argv[]) {
  // Before the toolkit starts: --help and --version need no display.
  if (const auto status = sattrail::ReadCommandLine(argc, argv, std::cout, std::cerr)) {
    return *status;
  }
  sattrail::RunState run;  // the run's state comes before the window
  // The toolkit sees the program's name only, so it takes no options of its own from the
  // command line; its environment variables still apply.
  int toolkitArgc = 1;
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
  return 0;
}
