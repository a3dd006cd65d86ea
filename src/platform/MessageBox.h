#pragma once

#include <string_view>

namespace sattrail {

enum class MessageButtons { Ok, OkCancel };
enum class MessageResult { Ok, Cancel };

// A modal box with no owner window: the main window stays usable and the timers keep firing
// while it is open. `details` carries the operating system's reason where there is one; it is
// shown apart from the text, which stays exactly as given.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual MessageResult Show(std::string_view text, std::string_view caption,
                             MessageButtons buttons, std::string_view details = {}) = 0;
};

}  // namespace sattrail
