// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QApplication>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

class QMessageBox;

namespace sattrail {

// The text of the default exception dialog: the message, with a full stop appended when it
// is not empty and its last character's code lies above that of ".".
std::string ExceptionDialogText(std::string_view message);

// The application object. Every exception that leaves an event handler ends in notify():
// the default exception dialog shows it (caption the application title, error icon, one
// OK) and the loop goes on. While that dialog is open, and once the run has ended, further
// exceptions are dropped.
class Application : public QApplication {
  Q_OBJECT
 public:
  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the default exception dialog for this message and waits until it is closed;
  // does nothing while one is open or after the run has ended.
  void ShowException(std::string_view message);
  // Hands an exception caught at a handler's edge over to notify(), so that it never
  // unwinds through the toolkit's frames.
  static void Defer(std::exception_ptr error);

  // The run lasts from the main window's creation until it is closed. At its end an open
  // exception dialog finishes, and no further one opens.
  void BeginRun() { runEnded_ = false; }
  void EndRun();

  bool DialogOpen() const { return dialog_ != nullptr; }
  int ExceptionsShown() const { return exceptionsShown_; }

 private:
  QMessageBox* dialog_ = nullptr;  // the open exception dialog
  bool runEnded_ = false;
  int exceptionsShown_ = 0;
};

// Wraps a handler so that an exception it raises reaches the default exception dialog.
template <typename Handler>
auto Guarded(Handler handler) {
  return [handler = std::move(handler)](auto&&...) {
    try {
      handler();
    } catch (...) {
      Application::Defer(std::current_exception());
    }
  };
}

}  // namespace sattrail
