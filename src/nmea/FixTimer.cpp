// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/FixTimer.h"

#include <cstdint>
#include <string>

#include "numbers/NumberConversion.h"
#include "platform/ControlNames.h"

namespace sattrail {

void AdvanceTimeToFix(const RunState& run, Window& window) {
  if (run.FixModeText != "0") return;
  // Text that is not a decimal integer raises before the box is touched.
  const std::int32_t seconds = StrToInt(window.Text(control::Ed3Dt));
  // The box is editable: from 2147483647 the count wraps as 32-bit arithmetic does instead
  // of overflowing.
  const auto next = static_cast<std::int32_t>(static_cast<std::uint32_t>(seconds) + 1u);
  window.SetText(control::Ed3Dt, std::to_string(next));
}

}  // namespace sattrail
