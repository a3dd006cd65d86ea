// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <functional>
#include <vector>

#include "platform/MessageBox.h"

class QMessageBox;

namespace sattrail {

// A box with no owner window that waits in a nested event loop: it blocks no other window,
// so the main window stays usable and the timers keep firing while it is open.
class QtMessageBox : public MessageBox {
 public:
  MessageResult Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                     std::string_view informative = {}) override;

  // The run is over: every box open now finishes as if cancelled, and every box asked for
  // afterwards returns Cancel at once without showing.
  void EndAll();

  // Shows a prepared box without owner and waits in a nested loop until it is closed.
  static void RunNested(QMessageBox& box);

  // Runs before a box opens: what the handler that asks for it has drawn so far is shown
  // while the box waits.
  std::function<void()> beforeShowing;

 private:
  std::vector<QMessageBox*> open_;  // the innermost last
  bool ended_ = false;
};

}  // namespace sattrail
