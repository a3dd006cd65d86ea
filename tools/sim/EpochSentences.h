// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The sentence bodies (without "$", checksum and line end) that describe one epoch of the
// built-in sky, and the choice of which of them fit into a second at the chosen speed. A
// receiver of GPS alone on one signal writes GP talkers; any other writes NMEA 4.11: GN for
// the fix, one GSA for each system and a GSV cycle for each system and signal.

#include <string>
#include <vector>

#include "SkyModel.h"

namespace sattrail::sim {

// $GPGGA,hhmmss.ss,ddmm.mmmm,N,dddmm.mmmm,E,quality,used,HDOP,altitude,M,geoid,M,,
std::string BuildGga(const Epoch& epoch);
// $GPGSA,A,fix,twelve satellite fields,PDOP,HDOP,VDOP
std::string BuildGsa(const Epoch& epoch);
// $GNGSA,A,fix,twelve fields of the system's used satellites,PDOP,HDOP,VDOP,system ID
std::string BuildGsa(const Epoch& epoch, SatelliteSystem system);
// $GPGSV,total,number,in view,{PRN,elevation,azimuth,SNR} up to four times
std::vector<std::string> BuildGsv(const Epoch& epoch);
// $GLGSV,total,number,in view,{number,elevation,azimuth,SNR} up to four times,signal ID: the
// system's satellites on its first signal, or those that send the second one.
enum class Signal { First, Second };
std::vector<std::string> BuildGsv(const Epoch& epoch, SatelliteSystem system, Signal signal);
// $GPRMC,time,A|V,lat,N,lon,E,knots,course,ddmmyy,,,mode (NMEA 4.11: ,navigational status)
std::string BuildRmc(const Epoch& epoch);
// $GPVTG,course,T,,M,knots,N,km/h,K,mode
std::string BuildVtg(const Epoch& epoch);
// $GPGLL,lat,N,lon,E,time,A|V,mode
std::string BuildGll(const Epoch& epoch);
// $GPZDA,time,dd,mm,yyyy,00,00
std::string BuildZda(const Epoch& epoch);

// "hhmmss.ss" and "ddmmyy" of a UTC time in seconds since 1970.
std::string UtcTimeField(double utc);
std::string UtcDateField(double utc);
// "ddmm.mmmm,N" and "dddmm.mmmm,E".
std::string LatitudeFields(double degrees);
std::string LongitudeFields(double degrees);

// The bodies of one epoch. GGA, GSA, the GSV cycle and RMC always go out; VTG, GLL and ZDA
// are added, starting with a different one each second, as long as the epoch still fits
// into byteBudget framed bytes. At 4800 bit/s not all of them fit into every second. GPS
// alone: GGA, GSA, GSV, RMC, then the others as they fit. NMEA 4.11: RMC, VTG, GGA, the GSA
// of each system, the GSV cycles system by system (first signal, then second), GLL, ZDA.
std::vector<std::string> BuildEpochBodies(const Epoch& epoch, std::size_t byteBudget,
                                          unsigned rotation);

// Bytes of the framed line of a body: "$", body, "*", two digits, CR LF.
constexpr std::size_t FramedSize(const std::string& body) {
  return body.size() + 6;
}

}  // namespace sattrail::sim
