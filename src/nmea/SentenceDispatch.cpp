// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/SentenceDispatch.h"

#include <algorithm>
#include <array>
#include <string>

#include "display/RmcDisplay.h"
#include "display/SatellitePlots.h"
#include "nmea/FieldParsers.h"
#include "nmea/GsvParser.h"
#include "numbers/NumberConversion.h"
#include "platform/ControlNames.h"

namespace sattrail {

namespace {

// A line longer than this (line end counted) keeps the previous line's identifier.
constexpr std::size_t kLongestIdentifiedLine = 100;

// $GPGSV,3,3,11,15,,,45,03,,,39,19,,,39*77 (an MTK-3301: the last of three closes the cycle)
// Fills the sky table slot 1; a sentence that closes its cycle redraws both pictures.
void ShowSatellites(RunState& run, Window& window, StreamObserver* observer) {
  if (ParseGsv(run, 1, run.LineBuffer) != kGsvShow) return;
  const DrawnSatellites drawn = DrawSatellitePlots(run, window, 1);
  if (observer) observer->SatellitesDrawn(drawn);
}

// $GPGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,102.930,M,47.093,M,,*5A
void ShowHeight(RunState& run, Window& window, StreamObserver*) {
  ParseGga(run.GpsState, run.LineBuffer);
  window.SetText(control::EdHeight, run.GpsState.HeightText);
}

// $GPRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*5F
void ShowPosition(RunState& run, Window& window, StreamObserver*) {
  ParseRmc(run.GpsState, run.LineBuffer);
  ShowRmcValues(run.GpsState, window);
}

// $GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07 (fix type 2, PDOP 3.05)
void ShowFixMode(RunState& run, Window& window, StreamObserver*) {
  ParseGsa(run.GpsState, run.LineBuffer);
  // "%2.2f": two decimals after a point, also on a desktop whose locale writes commas.
  window.SetText(control::EdPDOP, FormatFixed(static_cast<double>(run.GpsState.Pdop), 2, 2));
  switch (run.GpsState.FixType) {
    case 2:
      window.SetText(control::Edit6, "2D");
      run.FixModeText = "2";
      break;
    case 3:
      window.SetText(control::Edit6, "3D");
      run.FixModeText = "3";
      break;
    default:
      window.SetText(control::Edit6, "NONE");
      run.FixModeText = "0";
      break;
  }
}

// VTG, ZDA and GLL only tell the user that they arrive.
void NoFurtherWork(RunState&, Window&, StreamObserver*) {}

enum class Tick { BeforeWork, AfterWork };

struct SentenceType {
  std::string_view type;      // the identifier without its talker
  std::string_view checkBox;  // ticked while the type arrives
  Tick tick;
  bool clearsSilence;  // the GSV parser clears SilenceCount itself
  void (*work)(RunState&, Window&, StreamObserver*);
};

// In the order the identifiers are compared. The GGA box is ticked only once its fields
// and EdHeight are through, the others before their parser runs; so a malformed number
// leaves the GGA box as it was and the RMC and GSA boxes ticked.
constexpr std::array<SentenceType, 7> kSentenceTypes{{
    {"GSV", control::CheckBox3, Tick::BeforeWork, false, ShowSatellites},
    {"GGA", control::CheckBox1, Tick::AfterWork, true, ShowHeight},
    {"RMC", control::CheckBox4, Tick::BeforeWork, true, ShowPosition},
    {"GSA", control::CheckBox2, Tick::BeforeWork, true, ShowFixMode},
    {"VTG", control::CheckBox6, Tick::BeforeWork, true, NoFurtherWork},
    {"ZDA", control::CheckBox7, Tick::BeforeWork, true, NoFurtherWork},
    {"GLL", control::CheckBox5, Tick::BeforeWork, true, NoFurtherWork},
}};

// GPS alone ("GP") or combined GNSS ("GN", what most current receivers send for RMC, GGA
// and GSA). Other talkers are shown in the memo and otherwise ignored.
bool IsKnownTalker(std::string_view talker) {
  return talker == "GP" || talker == "GN";
}

const SentenceType* FindSentenceType(std::string_view sentenceId) {
  if (sentenceId.size() != 5 || !IsKnownTalker(sentenceId.substr(0, 2))) return nullptr;
  for (const SentenceType& entry : kSentenceTypes) {
    if (entry.type == sentenceId.substr(2)) return &entry;
  }
  return nullptr;
}

}  // namespace

void DispatchSentence(RunState& run, Window& window, StreamObserver* observer) {
  // The identifier is the five characters after the first, whatever the first is. A line
  // that is too long is dropped and the previous identifier runs again on the empty line.
  if (run.LineBuffer.size() <= kLongestIdentifiedLine) {
    run.SentenceId = run.LineBuffer.substr(std::min<std::size_t>(1, run.LineBuffer.size()), 5);
  } else {
    run.LineBuffer.clear();
  }
  const SentenceType* entry = FindSentenceType(run.SentenceId);
  if (entry == nullptr) return;
  if (entry->tick == Tick::BeforeWork) window.SetChecked(entry->checkBox, true);
  entry->work(run, window, observer);
  if (entry->tick == Tick::AfterWork) window.SetChecked(entry->checkBox, true);
  if (entry->clearsSilence) run.SilenceCount = 0;
}

}  // namespace sattrail
