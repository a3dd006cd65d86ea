// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace sattrail::testing {

// Records every box shown and answers from a script (OK when the script is empty).
class FakeMessageBox : public MessageBox {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    std::string informative;
  };

  MessageResult Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                     std::string_view informative = {}) override {
    shown.push_back({std::string(text), std::string(caption), buttons, std::string(informative)});
    if (whileOpen) whileOpen();
    if (answers.empty()) return MessageResult::Ok;
    const MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<Shown> shown;
  std::deque<MessageResult> answers;
  // Runs while a box is open, as the nested loop of a real box would run other events.
  std::function<void()> whileOpen;
};

}  // namespace sattrail::testing
