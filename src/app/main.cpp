#include <QApplication>

#include "app/MainWindow.h"
#include "nmea/RunState.h"

int main(int argc, char* argv[]) {
  sattrail::RunState run;
  QApplication application(argc, argv);
  QApplication::setApplicationName("Sattrail");
  sattrail::MainWindow window(run);
  window.show();
  return QApplication::exec();
}
