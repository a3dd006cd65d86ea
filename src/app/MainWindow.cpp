#include "app/MainWindow.h"

namespace sattrail {

MainWindow::MainWindow(RunState& run, QWidget* parent) : QWidget(parent), run_(run) {
  setWindowTitle("GPS 1.4A");
  setFixedSize(387, 239);
}

}  // namespace sattrail
