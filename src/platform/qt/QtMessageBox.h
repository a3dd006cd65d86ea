#pragma once

#include "platform/MessageBox.h"

namespace sattrail {

class QtMessageBox : public MessageBox {
 public:
  MessageResult Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                     std::string_view details = {}) override;
};

}  // namespace sattrail
