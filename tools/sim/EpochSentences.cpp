// SPDX-License-Identifier: BSD-2-Clause
#include "EpochSentences.h"

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
  std::string body = "GPGGA," + UtcTimeField(epoch.utc) + ",";
  if (!Fixed(epoch)) return body + ",,,,0,00,,,M,,M,,";
  body += LatitudeFields(epoch.latitude) + "," + LongitudeFields(epoch.longitude);
  body += Format(",1,%02d,", epoch.UsedCount()) + FormatFixed(epoch.hdop, 1) + "," +
          FormatFixed(epoch.altitude, 1) + ",M,47.6,M,,";
  return body;
}

std::string BuildGsa(const Epoch& epoch) {
  std::string body = Format("GPGSA,A,%d", epoch.fixType);
  int fields = 0;
  for (const SatelliteView& sat : epoch.satellites) {
    if (!sat.used || fields == 12) continue;
    body += Format(",%02d", sat.prn);
    ++fields;
  }
  for (; fields < 12; ++fields) body += ",";
  if (Fixed(epoch)) {
    return body + "," + FormatFixed(epoch.pdop, 1) + "," + FormatFixed(epoch.hdop, 1) + "," +
           FormatFixed(epoch.vdop, 1);
  }
  return body + ",,,";
}

std::vector<std::string> BuildGsv(const Epoch& epoch) {
  const std::size_t inView = epoch.satellites.size();
  const std::size_t total = std::max<std::size_t>(1, (inView + 3) / 4);
  std::vector<std::string> bodies;
  for (std::size_t number = 1; number <= total; ++number) {
    std::string body = Format("GPGSV,%zu,%zu,%02zu", total, number, inView);
    for (std::size_t i = (number - 1) * 4; i < std::min(inView, number * 4); ++i) {
      const SatelliteView& sat = epoch.satellites[i];
      body += Format(",%02d,%02d,%03d,", sat.prn, sat.elevation, sat.azimuth);
      if (sat.snr >= 0) body += Format("%02d", sat.snr);
    }
    bodies.push_back(body);
  }
  return bodies;
}

std::string BuildRmc(const Epoch& epoch) {
  std::string body = "GPRMC," + UtcTimeField(epoch.utc);
  if (Fixed(epoch)) {
    body += ",A," + LatitudeFields(epoch.latitude) + "," + LongitudeFields(epoch.longitude);
    body +=
        "," + FormatFixed(epoch.speedKnots, 1) + "," + FormatFixed(epoch.courseDegrees, 1) + ",";
  } else {
    body += ",V,,,,,,,";
  }
  return body + UtcDateField(epoch.utc) + (Fixed(epoch) ? ",,,A" : ",,,N");
}

std::string BuildVtg(const Epoch& epoch) {
  if (!Fixed(epoch)) return "GPVTG,,T,,M,,N,,K,N";
  return "GPVTG," + FormatFixed(epoch.courseDegrees, 1) + ",T,,M," +
         FormatFixed(epoch.speedKnots, 1) + ",N," + FormatFixed(epoch.speedKnots * 1.852, 1) +
         ",K,A";
}

std::string BuildGll(const Epoch& epoch) {
  if (!Fixed(epoch)) return "GPGLL,,,,," + UtcTimeField(epoch.utc) + ",V,N";
  return "GPGLL," + LatitudeFields(epoch.latitude) + "," + LongitudeFields(epoch.longitude) + "," +
         UtcTimeField(epoch.utc) + ",A,A";
}

std::string BuildZda(const Epoch& epoch) {
  const std::tm t = Broken(epoch.utc);
  return "GPZDA," + UtcTimeField(epoch.utc) +
         Format(",%02d,%02d,%04d,00,00", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
}

std::vector<std::string> BuildEpochBodies(const Epoch& epoch, std::size_t byteBudget,
                                          unsigned rotation) {
  std::vector<std::string> bodies{BuildGga(epoch), BuildGsa(epoch)};
  for (std::string& gsv : BuildGsv(epoch)) bodies.push_back(std::move(gsv));
  bodies.push_back(BuildRmc(epoch));
  std::size_t bytes = 0;
  for (const std::string& body : bodies) bytes += FramedSize(body);

  const std::string optional[] = {BuildVtg(epoch), BuildGll(epoch), BuildZda(epoch)};
  for (std::size_t i = 0; i < std::size(optional); ++i) {
    const std::string& body = optional[(rotation + i) % std::size(optional)];
    if (bytes + FramedSize(body) > byteBudget) continue;
    bytes += FramedSize(body);
    bodies.push_back(body);
  }
  return bodies;
}

}  // namespace sattrail::sim
