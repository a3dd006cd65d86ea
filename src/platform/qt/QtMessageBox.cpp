#include "platform/qt/QtMessageBox.h"

#include <QEventLoop>
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
                                 MessageButtons buttons, std::string_view details) {
  QMessageBox box;
  box.setWindowTitle(ToQString(caption));
  box.setText(ToQString(text));
  box.setTextFormat(Qt::PlainText);
  if (!details.empty()) box.setDetailedText(ToQString(details));
  if (buttons == MessageButtons::OkCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  box.setDefaultButton(QMessageBox::Ok);
  RunNested(box);

  return box.clickedButton() == box.button(QMessageBox::Ok) ? MessageResult::Ok
                                                            : MessageResult::Cancel;
}

}  // namespace sattrail
