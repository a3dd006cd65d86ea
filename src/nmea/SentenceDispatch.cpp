// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/SentenceDispatch.h"

#include <algorithm>
#include <array>
#include <string>

#include "display/RmcDisplay.h"
#include "display/SatellitePlots.h"
#include "nmea/FieldParsers.h"
#include "nmea/GsvEpochs.h"
#include "nmea/GsvParser.h"
#include "numbers/NumberConversion.h"
#include "platform/ControlNames.h"
#include "systems/SatelliteSystems.h"

namespace sattrail {

namespace {

// A line longer than this (line end counted) keeps the previous line's identifier.
constexpr std::size_t kLongestIdentifiedLine = 100;

// The system a GSV or GSA talker speaks for; a dispatched one always has one.
int TalkerSystemId(const RunState& run) {
  return SystemIdOfTalker(std::string_view(run.SentenceId).substr(0, 2)).value_or(1);
}

// The main window's pictures show slot 1, GPS and SBAS: the cycles of other systems' talkers
// leave them as they are.
bool FeedsMainPictures(int systemId) {
  return systemId == FactsOf(SatelliteSystem::Gps).systemId || systemId == kCombinedSystems;
}

// $GPGSV,3,3,11,15,,,45,03,,,39,19,,,39*77 (an MTK-3301: the last of three closes the cycle)
// Fills the sky table; a GPS cycle that closes redraws both pictures.
void ShowSatellites(RunState& run, Window& window, StreamObserver* observer) {
  const GsvLayout layout = ReadGsvLayout(run.LineBuffer, TalkerSystemId(run));
  if (ParseGsv(run, layout, run.LineBuffer) != kGsvShow) return;
  if (!FeedsMainPictures(layout.systemId)) return;
  PrepareEpochDrawing(run, layout.systemId);
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
  ParseGsa(run.GpsState, run.LineBuffer, TalkerSystemId(run));
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

// Position and time come from GPS alone ("GP") or combined GNSS ("GN", what most current
// receivers send for RMC, GGA and GSA); satellites and their use from every system's talker.
enum class Talkers { Position, EverySystem };

struct SentenceType {
  std::string_view type;      // the identifier without its talker
  std::string_view checkBox;  // ticked while the type arrives
  Tick tick;
  bool clearsSilence;  // the GSV parser clears SilenceCount itself
  Talkers talkers;
  void (*work)(RunState&, Window&, StreamObserver*);
};

// In the order the identifiers are compared. The GGA box is ticked only once its fields
// and EdHeight are through, the others before their parser runs; so a malformed number
// leaves the GGA box as it was and the RMC and GSA boxes ticked.
constexpr std::array<SentenceType, 7> kSentenceTypes{{
    {"GSV", control::CheckBox3, Tick::BeforeWork, false, Talkers::EverySystem, ShowSatellites},
    {"GGA", control::CheckBox1, Tick::AfterWork, true, Talkers::Position, ShowHeight},
    {"RMC", control::CheckBox4, Tick::BeforeWork, true, Talkers::Position, ShowPosition},
    {"GSA", control::CheckBox2, Tick::BeforeWork, true, Talkers::EverySystem, ShowFixMode},
    {"VTG", control::CheckBox6, Tick::BeforeWork, true, Talkers::Position, NoFurtherWork},
    {"ZDA", control::CheckBox7, Tick::BeforeWork, true, Talkers::Position, NoFurtherWork},
    {"GLL", control::CheckBox5, Tick::BeforeWork, true, Talkers::Position, NoFurtherWork},
}};

// Other talkers are shown in the memo and otherwise ignored.
bool IsKnownTalker(std::string_view talker, Talkers talkers) {
  if (talkers == Talkers::EverySystem) return SystemIdOfTalker(talker).has_value();
  return talker == "GP" || talker == "GN";
}

const SentenceType* FindSentenceType(std::string_view sentenceId) {
  if (sentenceId.size() != 5) return nullptr;
  for (const SentenceType& entry : kSentenceTypes) {
    if (entry.type == sentenceId.substr(2)) {
      return IsKnownTalker(sentenceId.substr(0, 2), entry.talkers) ? &entry : nullptr;
    }
  }
  return nullptr;
}

bool IsGsa(std::string_view sentenceId) {
  return sentenceId.size() == 5 && sentenceId.substr(2) == "GSA";
}

}  // namespace

void DispatchSentence(RunState& run, Window& window, StreamObserver* observer) {
  // A receiver sends the GSA sentences of an epoch one after another: the first after any
  // other sentence begins the epoch's list of the satellites in the fix.
  const bool afterGsa = IsGsa(run.SentenceId);
  // The identifier is the five characters after the first, whatever the first is. A line
  // that is too long is dropped and the previous identifier runs again on the empty line.
  if (run.LineBuffer.size() <= kLongestIdentifiedLine) {
    run.SentenceId = run.LineBuffer.substr(std::min<std::size_t>(1, run.LineBuffer.size()), 5);
  } else {
    run.LineBuffer.clear();
  }
  const SentenceType* entry = FindSentenceType(run.SentenceId);
  if (entry == nullptr) return;
  if (entry->work == ShowFixMode && !afterGsa) ++run.GpsState.InFix.Run;
  if (entry->tick == Tick::BeforeWork) window.SetChecked(entry->checkBox, true);
  entry->work(run, window, observer);
  if (entry->tick == Tick::AfterWork) window.SetChecked(entry->checkBox, true);
  if (entry->clearsSilence) run.SilenceCount = 0;
}

}  // namespace sattrail
