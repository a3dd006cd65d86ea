// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string_view>

namespace sattrail {

enum class MessageButtons { Ok, OkCancel };
enum class MessageResult { Ok, Cancel };

// A modal box with no owner window: the main window stays usable and the timers keep firing
// while it is open. `informative` says what went wrong and what to do (the device, the
// system's reason, the advice); it is shown on the box's face under the text, which stays
// exactly as given.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual MessageResult Show(std::string_view text, std::string_view caption,
                             MessageButtons buttons, std::string_view informative = {}) = 0;
};

}  // namespace sattrail
