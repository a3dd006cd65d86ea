// SPDX-License-Identifier: BSD-2-Clause
#include "serial/PortOpening.h"

#include <array>
#include <string>

#include "platform/ControlNames.h"
#include "platform/Exception.h"
#include "serial/Recording.h"

namespace sattrail {
namespace {

constexpr std::string_view kButton = control::ButOpenGps;
constexpr std::string_view kErrorCaption = "error";
constexpr unsigned kPurgeEverything = PurgeTxAbort | PurgeRxAbort | PurgeTxClear | PurgeRxClear;
constexpr std::array<std::uint32_t, 7> kSpeeds = {4800, 9600, 14400, 19200, 38400, 57600, 115200};

void ShowError(SerialLink& link, std::string_view text, std::string_view informative) {
  link.messages.Show(text, kErrorCaption, MessageButtons::Ok, informative);
}

// The device's refusal of the line settings, in the layout of a failed open. The handle's
// error text leads with the device path, which the first line already gives.
std::string RejectedSettingsText(const OpenFailure& opened, std::string_view deviceName,
                                 const std::string& errorText, std::uint32_t speed) {
  OpenFailure why = opened;
  if (why.devicePath.empty()) why.devicePath = deviceName;
  const std::string lead = why.devicePath + ": ";
  why.reason = errorText.starts_with(lead) ? errorText.substr(lead.size()) : errorText;
  why.advice = "The device refused " + std::to_string(speed) +
               " bit/s, 8 data bits, no parity, one stop bit; choose another speed.";
  return why.InformativeText();
}

void OpenSequence(SerialLink& link) {
  link.window.SetText(kButton, "OFF");
  const std::string deviceName = DeviceNameForIndex(link.window.ItemIndex(control::ComboBox2));
  const std::uint32_t speed = SpeedForIndex(link.window.ItemIndex(control::ComboBox1));
  try {
    link.run.PortHandle = OpenComPort(link, deviceName, speed);
  } catch (...) {
    // Nothing is open, so the button must offer "On" again rather than claim a connection.
    link.window.SetText(kButton, "On");
    throw;
  }
  // The first box has told why and what to do; this one only closes the attempt.
  if (!link.run.PortHandle) ShowError(link, "OPEN COM ERROR", {});
  // PortHandle is read again here: a click during an error box may have changed it.
  const bool open = link.run.PortHandle != nullptr;
  link.timer1.SetEnabled(open);
  link.timer2.SetEnabled(open);
  if (!open) link.window.SetText(kButton, "On");
  if (open) StartRecording(link);
}

}  // namespace

std::string DeviceNameForIndex(int itemIndex) {
  if (itemIndex < 0 || itemIndex > 29) return "COM1";
  const int number = itemIndex + 1;
  return (number >= 10 ? "\\\\.\\COM" : "COM") + std::to_string(number);
}

std::uint32_t SpeedForIndex(int itemIndex) {
  if (itemIndex < 0 || itemIndex >= static_cast<int>(kSpeeds.size())) return kSpeeds[0];
  return kSpeeds[static_cast<std::size_t>(itemIndex)];
}

std::unique_ptr<SerialHandle> OpenComPort(SerialLink& link, std::string_view deviceName,
                                          std::uint32_t speed) {
  OpenFailure why;
  std::unique_ptr<SerialHandle> handle = link.ports.Open(deviceName, why);
  if (!handle) {
    ShowError(link, "Open Com Port ERROR", why.InformativeText());
    return nullptr;
  }

  // Only these four fields are ever written; the rest is what the last device reported.
  DeviceControlBlock& control = link.run.DeviceControl;
  control.BaudRate = speed;
  control.ByteSize = 8;
  control.Parity = 0;
  control.StopBits = 0;
  if (!handle->ApplySettings(control)) {
    const std::string informative =
        RejectedSettingsText(why, deviceName, handle->LastErrorText(), speed);
    handle.reset();
    ShowError(link, "SET DEC ERROR", informative);
    return nullptr;
  }
  if (!handle->Purge(kPurgeEverything)) {
    handle.reset();
    throw Exception("PurgeComm failed.");
  }
  if (!handle->ReadSettings(control)) {
    handle.reset();
    throw Exception("GetCommState failed.");
  }
  return handle;
}

void ButOpenGpsClick(SerialLink& link) {
  if (link.window.Text(kButton) == "On") {
    OpenSequence(link);
  } else {
    link.window.SetText(kButton, "On");
    CloseComPort(link);
  }
  ShowRecordingFailure(link);
}

void CloseComPort(SerialLink& link) {
  link.window.SetAutoScroll(false);
  // Both timers stop before the device goes, so no poll can meet a closed device.
  link.timer1.SetEnabled(false);
  link.timer2.SetEnabled(false);
  link.run.PortHandle.reset();
  link.run.ReopenTarget.clear();  // a device that went away is no longer awaited
  StopRecording(link.run);
}

}  // namespace sattrail
