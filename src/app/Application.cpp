// SPDX-License-Identifier: BSD-2-Clause
#include "app/Application.h"

#include <QEvent>
#include <QMessageBox>
#include <QStyleFactory>

#include "form/Inventory.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtMessageBox.h"

namespace sattrail {

namespace {

// Carries an exception from a handler's edge to notify().
class DeferredException : public QEvent {
 public:
  static QEvent::Type Kind() {
    static const auto kind = static_cast<QEvent::Type>(QEvent::registerEventType());
    return kind;
  }
  explicit DeferredException(std::exception_ptr error) : QEvent(Kind()), error(std::move(error)) {}
  std::exception_ptr error;
};

}  // namespace

std::string ExceptionDialogText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QString::fromUtf8(kApplicationTitle.data(),
                                       static_cast<qsizetype>(kApplicationTitle.size())));
  // One look everywhere: the window is laid out pixel by pixel.
  setStyle(QStyleFactory::create("Fusion"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    if (event->type() == DeferredException::Kind()) {
      std::rethrow_exception(static_cast<DeferredException*>(event)->error);
    }
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error.what());
  } catch (...) {
    // Anything that is not an exception object shows as an empty message.
    ShowException({});
  }
  return false;
}

void Application::ShowException(std::string_view message) {
  if (dialog_ != nullptr || runEnded_) return;
  ++exceptionsShown_;
  QMessageBox box(QMessageBox::Critical, applicationName(), ToQString(ExceptionDialogText(message)),
                  QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  dialog_ = &box;
  QtMessageBox::RunNested(box);
  dialog_ = nullptr;
}

void Application::EndRun() {
  runEnded_ = true;
  if (dialog_ != nullptr) dialog_->done(QMessageBox::Cancel);
}

void Application::Defer(std::exception_ptr error) {
  QCoreApplication::postEvent(QCoreApplication::instance(),
                              new DeferredException(std::move(error)));
}

}  // namespace sattrail
