#pragma once

#include <QWidget>

#include "nmea/RunState.h"

namespace sattrail {

// Form3: the one main window.
class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(RunState& run, QWidget* parent = nullptr);

 private:
  RunState& run_;  // borrowed: main owns the run's state
};

}  // namespace sattrail
