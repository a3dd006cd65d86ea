// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/DisplayReset.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "display/SatellitePlots.h"
#include "platform/ControlNames.h"

namespace sattrail {

namespace {

void ResetFix(CoMPort& state) {
  // assign(count, char) rather than = "0": GCC 12 at -O2 warns falsely (-Wrestrict) on a
  // one-character literal assigned to a string.
  state.HeightText.assign(1, '0');
  state.Latitude = 0;
  state.Longitude = 0;
  state.Pdop = 0;
  state.UtcTime = 0;
  state.FixType = 0;
  state.UtcDate = 0;
}

void ResetTexts(Window& window) {
  for (std::string_view box : {control::OutTextBox, control::Edit6, control::Edit7, control::Edit8,
                               control::Edit9, control::EdPDOP}) {
    window.SetText(box, "");
  }
  // "0", not the start-up texts "00:00:00" and "2004/00/00".
  for (std::string_view box : {control::Ed2Dt, control::Ed3Dt, control::EdHeight, control::EdSpeed,
                               control::EdTime, control::EdDate}) {
    window.SetText(box, "0");
  }
}

// What waits at the port belongs to the time before the reset: read it, at most one poll's
// worth, and throw it away. None of it reaches line assembly.
void DiscardWaitingInput(SerialHandle& port) {
  std::uint32_t waiting = 0;
  if (!port.QueuedInputCount(waiting) || waiting == 0) return;
  std::array<std::uint8_t, kRawLineCapacity> scratch{};
  std::uint32_t delivered = 0;
  port.Read(scratch.data(), std::min<std::uint32_t>(waiting, kRawLineCapacity), delivered);
}

void UntickSentenceBoxes(Window& window) {
  for (std::string_view box :
       {control::CheckBox1, control::CheckBox2, control::CheckBox3, control::CheckBox4,
        control::CheckBox5, control::CheckBox6, control::CheckBox7}) {
    window.SetChecked(box, false);
  }
}

}  // namespace

void ResetDisplay(RunState& run, Window& window) {
  ResetFix(run.GpsState);
  ResetTexts(window);
  if (run.PortHandle) DiscardWaitingInput(*run.PortHandle);
  UntickSentenceBoxes(window);
  ClearSatellitePlots(window);
}

}  // namespace sattrail
