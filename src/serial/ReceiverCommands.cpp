// SPDX-License-Identifier: BSD-2-Clause
#include "serial/ReceiverCommands.h"

#include <algorithm>
#include <string>

#include "nmea/DisplayReset.h"
#include "platform/ControlNames.h"

namespace sattrail {
namespace {

using namespace std::string_view_literals;

// Each command ends in its line end and two NULs, and all of it goes on the wire. The start
// commands stand in the order of StartCommand: hot, warm, cold.
constexpr std::array<ReceiverCommand, 3> kStarts{{
    {"@SR\r\n\0\0"sv},
    {"@SW\r\n\0\0"sv},
    {"@CD\r\0\0"sv},
}};

constexpr std::array<ReceiverCommand, 9> kList{{
    {"@CB 1 4800\r\0\0"sv},
    {"@CD\r\0\0"sv},
    {"@CLR\r\0\0"sv},
    {"@GS 99.0 99.0 99.0 99.0\r\0\0"sv},
    {"@GSV 1\r\0\0"sv},
    {"@NC 10111000\r\0\0"sv},
    {"@PM N24E121\r\0\0"sv},
    {"@SR\r\0\0"sv},
    {"@WLK ON\r\0\0"sv},  // shown as "WLK"
}};

static_assert(kStarts[0].bytes.size() == 7 && kStarts[1].bytes.size() == 7 &&
              kStarts[2].bytes.size() == 6);
static_assert(kList[0].bytes.size() == 13 && kList[3].bytes.size() == 26 &&
              kList[8].bytes.size() == 10);

// One write to the open port; with no port nothing is sent. The result is not looked at:
// the receiver's answer, if any, arrives through the poll.
void WriteToPort(SerialLink& link, std::string_view bytes) {
  if (!link.run.PortHandle) return;
  link.run.PortHandle->Write(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                             static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace

ReceiverCommand ReceiverCommandTable::Start(StartCommand command) {
  const auto index = static_cast<std::size_t>(command);
  return index < kStarts.size() ? kStarts[index] : kStarts[0];
}

std::span<const ReceiverCommand> ReceiverCommandTable::List() {
  return kList;
}

void SendStartCommand(SerialLink& link, StartCommand command) {
  WriteToPort(link, ReceiverCommandTable::Start(command).bytes);
  ResetDisplay(link.run, link.window);
}

void SetMsgChange(SerialLink& link) {
  const int index = link.window.ItemIndex(control::SetMsg);
  const auto list = ReceiverCommandTable::List();
  if (index < 0 || index >= static_cast<int>(list.size())) return;
  const std::string_view bytes = list[static_cast<std::size_t>(index)].bytes;
  const std::string_view caption = bytes.substr(0, bytes.find('\0'));
  if (link.messages.Show("OK To Send Command", caption, MessageButtons::OkCancel) !=
      MessageResult::Ok) {
    return;
  }
  // The port may have been closed while the box was open; the reset happens regardless.
  WriteToPort(link, bytes);
  ResetDisplay(link.run, link.window);
}

void SendClick(SerialLink& link) {
  // "%s%c%c" with the text, CR and LF: the text ends at its first NUL, if it has one.
  std::string text = link.window.Text(control::EdCommand);
  text.resize(std::min(text.size(), text.find('\0')));
  text += '\r';
  text += '\n';
  WriteToPort(link, text);
}

}  // namespace sattrail
