// SPDX-License-Identifier: BSD-2-Clause
#include "platform/qt/QtMessageBox.h"

#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>

#include "platform/qt/QtControls.h"

namespace sattrail {

void QtMessageBox::RunNested(QMessageBox& box) {
  box.setWindowModality(Qt::NonModal);
  QEventLoop loop;
  QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
  box.show();
  loop.exec();
}

MessageResult QtMessageBox::Show(std::string_view text, std::string_view caption,
                                 MessageButtons buttons, std::string_view informative) {
  if (ended_) return MessageResult::Cancel;
  if (beforeShowing) beforeShowing();
  QMessageBox box;
  box.setWindowTitle(ToQString(caption));
  box.setText(ToQString(text));
  box.setTextFormat(Qt::PlainText);
  // On the face, not behind "Show Details...", which most users never open. Paths and
  // program names in it are shown as they are, never read as markup.
  if (!informative.empty()) {
    box.setInformativeText(ToQString(informative));
    if (auto* label = box.findChild<QLabel*>("qt_msgbox_informativelabel")) {
      label->setTextFormat(Qt::PlainText);
    }
  }
  if (buttons == MessageButtons::OkCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  box.setDefaultButton(QMessageBox::Ok);
  open_.push_back(&box);
  RunNested(box);
  std::erase(open_, &box);

  // A box ended with the run counts as cancelled, whatever happened to it meanwhile.
  return !ended_ && box.clickedButton() == box.button(QMessageBox::Ok) ? MessageResult::Ok
                                                                       : MessageResult::Cancel;
}

void QtMessageBox::EndAll() {
  ended_ = true;
  // Innermost first: each finished box lets its nested loop end as the handlers unwind.
  for (auto it = open_.rbegin(); it != open_.rend(); ++it) (*it)->done(QMessageBox::Cancel);
}

}  // namespace sattrail
