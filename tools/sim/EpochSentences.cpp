// SPDX-License-Identifier: BSD-2-Clause
#include "EpochSentences.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "numbers/NumberConversion.h"

namespace sattrail::sim {
namespace {

// Whole numbers only; reals go through FormatFixed, which ignores the locale.
std::string Format(const char* format, auto... values) {
  char text[96];
  const int n = std::snprintf(text, sizeof text, format, values...);
  return std::string(text, static_cast<std::size_t>(std::max(n, 0)));
}

std::tm Broken(double utc) {
  const auto seconds = static_cast<std::time_t>(std::floor(utc));
  std::tm broken{};
  gmtime_r(&seconds, &broken);
  return broken;
}

int Centiseconds(double utc) {
  return static_cast<int>(std::lround((utc - std::floor(utc)) * 100)) % 100;
}

std::string Angle(double degrees, int degreeDigits, char positive, char negative) {
  const double magnitude = std::abs(degrees);
  int whole = static_cast<int>(magnitude);
  // Minutes to four decimals, carried into the degrees when they round up to 60.
  long tenThousandths = std::lround((magnitude - whole) * 60.0 * 10000.0);
  if (tenThousandths >= 600000) {
    tenThousandths -= 600000;
    ++whole;
  }
  return Format("%0*d%02ld.%04ld,%c", degreeDigits, whole, tenThousandths / 10000,
                tenThousandths % 10000, degrees < 0 ? negative : positive);
}

bool Fixed(const Epoch& epoch) {
  return epoch.fixType >= 2;
}

// GP while the receiver reports GPS alone on one signal, else GN, the talker of them all.
std::string Talker(const Epoch& epoch) {
  return std::string(epoch.reception.SpeaksNmea411() ? kCombinedTalker
                                                     : FactsOf(SatelliteSystem::Gps).talker);
}

// "A,fix,twelve satellite fields,PDOP,HDOP,VDOP" of the used satellites that counts accepts.
std::string GsaFields(const Epoch& epoch, auto counts) {
  std::string fields = Format("A,%d", epoch.fixType);
  int listed = 0;
  for (const SatelliteView& sat : epoch.satellites) {
    if (!sat.used || !counts(sat) || listed == 12) continue;
    fields += Format(",%02d", sat.prn);
    ++listed;
  }
  for (; listed < 12; ++listed) fields += ",";
  if (Fixed(epoch)) {
    return fields + "," + FormatFixed(epoch.pdop, 1) + "," + FormatFixed(epoch.hdop, 1) + "," +
           FormatFixed(epoch.vdop, 1);
  }
  return fields + ",,,";
}

struct GsvEntry {
  int prn, elevation, azimuth, snr;
};

// The cycle of talker's GSV sentences over entries, four to a sentence; each body ends with
// ending.
std::vector<std::string> GsvCycle(const std::string& talker, const std::vector<GsvEntry>& entries,
                                  const std::string& ending) {
  const std::size_t inView = entries.size();
  const std::size_t total = std::max<std::size_t>(1, (inView + 3) / 4);
  std::vector<std::string> bodies;
  for (std::size_t number = 1; number <= total; ++number) {
    std::string body = talker + Format("GSV,%zu,%zu,%02zu", total, number, inView);
    for (std::size_t i = (number - 1) * 4; i < std::min(inView, number * 4); ++i) {
      const GsvEntry& sat = entries[i];
      body += Format(",%02d,%02d,%03d,", sat.prn, sat.elevation, sat.azimuth);
      if (sat.snr >= 0) body += Format("%02d", sat.snr);
    }
    bodies.push_back(body + ending);
  }
  return bodies;
}

}  // namespace

std::string UtcTimeField(double utc) {
  const std::tm t = Broken(utc);
  return Format("%02d%02d%02d.%02d", t.tm_hour, t.tm_min, t.tm_sec, Centiseconds(utc));
}

std::string UtcDateField(double utc) {
  const std::tm t = Broken(utc);
  return Format("%02d%02d%02d", t.tm_mday, t.tm_mon + 1, t.tm_year % 100);
}

std::string LatitudeFields(double degrees) {
  return Angle(degrees, 2, 'N', 'S');
}
std::string LongitudeFields(double degrees) {
  return Angle(degrees, 3, 'E', 'W');
}

std::string BuildGga(const Epoch& epoch) {
  std::string body = Talker(epoch) + "GGA," + UtcTimeField(epoch.utc) + ",";
  if (!Fixed(epoch)) return body + ",,,,0,00,,,M,,M,,";
  body += LatitudeFields(epoch.latitude) + "," + LongitudeFields(epoch.longitude);
  body += Format(",1,%02d,", epoch.UsedCount()) + FormatFixed(epoch.hdop, 1) + "," +
          FormatFixed(epoch.altitude, 1) + ",M,47.6,M,,";
  return body;
}

std::string BuildGsa(const Epoch& epoch) {
  return Talker(epoch) + "GSA," + GsaFields(epoch, [](const SatelliteView&) { return true; });
}

std::string BuildGsa(const Epoch& epoch, SatelliteSystem system) {
  const std::string fields =
      GsaFields(epoch, [system](const SatelliteView& sat) { return sat.system == system; });
  return Talker(epoch) + "GSA," + fields + Format(",%d", FactsOf(system).systemId);
}

std::vector<std::string> BuildGsv(const Epoch& epoch) {
  std::vector<GsvEntry> entries;
  for (const SatelliteView& sat : epoch.satellites)
    entries.push_back({sat.prn, sat.elevation, sat.azimuth, sat.snr});
  return GsvCycle(Talker(epoch), entries, "");
}

std::vector<std::string> BuildGsv(const Epoch& epoch, SatelliteSystem system, Signal signal) {
  const SystemFacts& facts = FactsOf(system);
  std::vector<GsvEntry> entries;
  for (const SatelliteView& sat : epoch.satellites) {
    if (sat.system != system) continue;
    if (signal == Signal::First) {
      entries.push_back({sat.prn, sat.elevation, sat.azimuth, sat.snr});
    } else if (sat.sendsSecondSignal) {
      entries.push_back({sat.prn, sat.elevation, sat.azimuth, sat.secondSnr});
    }
  }
  const int signalId = signal == Signal::First ? facts.firstSignal : facts.secondSignal;
  return GsvCycle(std::string(facts.talker), entries, Format(",%X", signalId));
}

std::string BuildRmc(const Epoch& epoch) {
  std::string body = Talker(epoch) + "RMC," + UtcTimeField(epoch.utc);
  if (Fixed(epoch)) {
    body += ",A," + LatitudeFields(epoch.latitude) + "," + LongitudeFields(epoch.longitude);
    body +=
        "," + FormatFixed(epoch.speedKnots, 1) + "," + FormatFixed(epoch.courseDegrees, 1) + ",";
  } else {
    body += ",V,,,,,,,";
  }
  body += UtcDateField(epoch.utc) + (Fixed(epoch) ? ",,,A" : ",,,N");
  // NMEA 4.10's navigational status: this receiver judges no integrity.
  return epoch.reception.SpeaksNmea411() ? body + ",V" : body;
}

std::string BuildVtg(const Epoch& epoch) {
  if (!Fixed(epoch)) return Talker(epoch) + "VTG,,T,,M,,N,,K,N";
  return Talker(epoch) + "VTG," + FormatFixed(epoch.courseDegrees, 1) + ",T,,M," +
         FormatFixed(epoch.speedKnots, 1) + ",N," + FormatFixed(epoch.speedKnots * 1.852, 1) +
         ",K,A";
}

std::string BuildGll(const Epoch& epoch) {
  if (!Fixed(epoch)) return Talker(epoch) + "GLL,,,,," + UtcTimeField(epoch.utc) + ",V,N";
  return Talker(epoch) + "GLL," + LatitudeFields(epoch.latitude) + "," +
         LongitudeFields(epoch.longitude) + "," + UtcTimeField(epoch.utc) + ",A,A";
}

std::string BuildZda(const Epoch& epoch) {
  const std::tm t = Broken(epoch.utc);
  return Talker(epoch) + "ZDA," + UtcTimeField(epoch.utc) +
         Format(",%02d,%02d,%04d,00,00", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
}

namespace {

std::size_t TotalFramedSize(const std::vector<std::string>& bodies) {
  std::size_t bytes = 0;
  for (const std::string& body : bodies) bytes += FramedSize(body);
  return bytes;
}

void Append(std::vector<std::string>& bodies, std::vector<std::string> more) {
  for (std::string& body : more) bodies.push_back(std::move(body));
}

// The indices of VTG, GLL and ZDA that fit into byteBudget beside bytes already taken,
// tried from a different one each second, in the order tried.
std::vector<std::size_t> FittingOptional(const std::string (&optional)[3], std::size_t bytes,
                                         std::size_t byteBudget, unsigned rotation) {
  std::vector<std::size_t> fitting;
  for (std::size_t i = 0; i < std::size(optional); ++i) {
    const std::size_t index = (rotation + i) % std::size(optional);
    if (bytes + FramedSize(optional[index]) > byteBudget) continue;
    bytes += FramedSize(optional[index]);
    fitting.push_back(index);
  }
  return fitting;
}

}  // namespace

std::vector<std::string> BuildEpochBodies(const Epoch& epoch, std::size_t byteBudget,
                                          unsigned rotation) {
  const std::string optional[] = {BuildVtg(epoch), BuildGll(epoch), BuildZda(epoch)};
  if (!epoch.reception.SpeaksNmea411()) {
    std::vector<std::string> bodies{BuildGga(epoch), BuildGsa(epoch)};
    Append(bodies, BuildGsv(epoch));
    bodies.push_back(BuildRmc(epoch));
    for (std::size_t index :
         FittingOptional(optional, TotalFramedSize(bodies), byteBudget, rotation))
      bodies.push_back(optional[index]);
    return bodies;
  }

  std::vector<std::string> always{BuildGga(epoch)};
  for (SatelliteSystem system : epoch.reception.systems) always.push_back(BuildGsa(epoch, system));
  for (SatelliteSystem system : epoch.reception.systems) {
    Append(always, BuildGsv(epoch, system, Signal::First));
    if (epoch.reception.dual) Append(always, BuildGsv(epoch, system, Signal::Second));
  }
  const std::string rmc = BuildRmc(epoch);
  const std::vector<std::size_t> fitting =
      FittingOptional(optional, TotalFramedSize(always) + FramedSize(rmc), byteBudget, rotation);
  const auto fits = [&fitting](std::size_t index) {
    return std::find(fitting.begin(), fitting.end(), index) != fitting.end();
  };
  // As NMEA 4.11 receivers send them: the position first, the satellites after it.
  std::vector<std::string> bodies{rmc};
  if (fits(0)) bodies.push_back(optional[0]);
  Append(bodies, std::move(always));
  for (std::size_t index : {1u, 2u})
    if (fits(index)) bodies.push_back(optional[index]);
  return bodies;
}

}  // namespace sattrail::sim
