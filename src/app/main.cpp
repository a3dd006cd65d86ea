#include <exception>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "nmea/RunState.h"

int main(int argc, char* argv[]) {
  sattrail::RunState run;  // the run's state comes before the window
  sattrail::Application application(argc, argv);
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
