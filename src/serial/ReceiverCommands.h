// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "serial/SerialLink.h"

namespace sattrail {

// The bytes of one predefined command: text, line end, two NULs, all of them written.
struct ReceiverCommand {
  std::string_view bytes;
};

enum class StartCommand { Hot, Warm, Cold };

// The fixed byte sequences of the start buttons and of the nine list entries.
struct ReceiverCommandTable {
  static ReceiverCommand Start(StartCommand command);
  // Index 0..8 of the list SetMsg.
  static std::span<const ReceiverCommand> List();
};

// BuHSClick, Com2BClick, Button1Click: write the command, then reset the display.
void SendStartCommand(SerialLink& link, StartCommand command);
// SetMsgChange: confirm the selected list entry, write it and reset the display.
void SetMsgChange(SerialLink& link);
// SendClick: the text of EdCommand followed by CR LF, no confirmation, no reset.
void SendClick(SerialLink& link);

}  // namespace sattrail
