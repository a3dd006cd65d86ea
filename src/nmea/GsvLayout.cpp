// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/GsvLayout.h"

#include <array>

#include "numbers/NumberConversion.h"
#include "systems/SatelliteSystems.h"

namespace sattrail {

namespace {

// A signal ID is one hex digit; anything else is not one.
int HexDigitOf(std::string_view field) {
  if (field.size() != 1) return -1;
  const char c = field[0];
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

GsvLayout ReadGsvLayout(std::string_view line, int talkerSystemId) {
  GsvLayout layout;
  layout.systemId = talkerSystemId;
  const std::size_t star = line.find('*');
  const std::string_view body = line.substr(0, star);

  // The fields after the identifier: the three of the header, then the groups and what
  // follows them. Only the header and the last two are kept.
  int fields = 0;
  std::array<std::string_view, 2> last{};
  std::size_t start = body.find(',');
  if (start == std::string_view::npos) return layout;
  while (start != std::string_view::npos) {
    const std::size_t end = body.find(',', start + 1);
    const std::string_view field = body.substr(
        start + 1, end == std::string_view::npos ? std::string_view::npos : end - start - 1);
    ++fields;
    if (fields == 1) layout.total = StrToIntDef(field, 0);
    if (fields == 2) layout.number = StrToIntDef(field, 0);
    last = {last[1], field};
    start = end;
  }
  const int afterGroups = fields > 3 ? (fields - 3) % 4 : 0;
  if (afterGroups == 1) {
    layout.signalId = std::max(HexDigitOf(last[1]), 0);
  } else if (afterGroups == 2 && talkerSystemId == kCombinedSystems) {
    const int systemId = HexDigitOf(last[1]);
    if (systemId >= 1 && systemId <= kHighestSystemId) {
      layout.systemId = systemId;
      layout.signalId = std::max(HexDigitOf(last[0]), 0);
    }
  }
  return layout;
}

}  // namespace sattrail
