// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

namespace sattrail::testing {

// Watches for message boxes while it lives: records each one that opens and answers it with
// the given button, unless it has closed meanwhile, so that a box shows as a failed
// expectation instead of a test waiting for a click. `whileOpen` runs once per box, before
// the answer, inside the box's nested loop.
class BoxWatcher {
 public:
  struct Seen {
    std::string caption;
    std::string text;
    std::string informative;
    std::string details;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    bool hasParent;
    Qt::WindowModality modality;
  };

  explicit BoxWatcher(QMessageBox::StandardButton answer = QMessageBox::Ok) : answer_(answer) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
    poll_.start(5);
  }

  std::vector<Seen> seen;
  std::function<void()> whileOpen;

  // The main texts of the boxes seen, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Seen& box : seen) texts.push_back(box.text);
    return texts;
  }

  static std::vector<QMessageBox*> OpenBoxes() {
    std::vector<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
        boxes.push_back(box);
      }
    }
    return boxes;
  }

 private:
  void look() {
    if (busy_) return;
    for (QMessageBox* box : OpenBoxes()) {
      if (box->property("answered").toBool()) continue;
      busy_ = true;
      box->setProperty("answered", true);
      seen.push_back({box->windowTitle().toStdString(), box->text().toStdString(),
                      box->informativeText().toStdString(), box->detailedText().toStdString(),
                      box->icon(), box->standardButtons(), box->parentWidget() != nullptr,
                      box->windowModality()});
      if (whileOpen) whileOpen();
      answer(box);
      busy_ = false;
    }
  }

  void answer(QMessageBox* box) const {
    if (!box->isVisible()) return;  // gone without an answer
    if (QAbstractButton* button = box->button(answer_)) {
      button->click();
    } else {
      box->close();
    }
  }

  QMessageBox::StandardButton answer_;
  QTimer poll_;
  bool busy_ = false;
};

}  // namespace sattrail::testing
