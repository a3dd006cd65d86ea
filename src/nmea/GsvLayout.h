// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string_view>

namespace sattrail {

// What a GSV says beside its satellite groups: whose satellites they are, on which signal,
// and where the sentence stands in its cycle.
struct GsvLayout {
  int systemId = 0;  // kCombinedSystems: each satellite's system follows from its number
  int signalId = 0;  // 0 when the sentence names none (before NMEA 4.10) or "no particular"
  int total = 0;     // sentences in the cycle; 0 when the field is not a number
  int number = 0;    // this sentence's number in it
};

// $GPGSV,3,3,12,26,04,276,,27,15,218,31,29,24,004,13,30,00,159,,1*69
// A field after the last group of four is the signal ID (one hex digit). Quectel's PQGSV
// adds the system ID after it ($PQGSV,4,4,15,28,08,040,,29,,,,30,21,144,,0,4*63): read for a
// talker that speaks for no system of its own, whose system it then names.
GsvLayout ReadGsvLayout(std::string_view line, int talkerSystemId);

}  // namespace sattrail
