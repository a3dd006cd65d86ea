// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The sentence bodies (without "$", checksum and line end) that describe one epoch of the
// built-in sky, and the choice of which of them fit into a second at the chosen speed.

#include <string>
#include <vector>

#include "SkyModel.h"

namespace sattrail::sim {

// $GPGGA,hhmmss.ss,ddmm.mmmm,N,dddmm.mmmm,E,quality,used,HDOP,altitude,M,geoid,M,,
std::string BuildGga(const Epoch& epoch);
// $GPGSA,A,fix,twelve satellite fields,PDOP,HDOP,VDOP
std::string BuildGsa(const Epoch& epoch);
// $GPGSV,total,number,in view,{PRN,elevation,azimuth,SNR} up to four times
std::vector<std::string> BuildGsv(const Epoch& epoch);
// $GPRMC,time,A|V,lat,N,lon,E,knots,course,ddmmyy,,,mode
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
// into byteBudget framed bytes. At 4800 bit/s not all of them fit into every second.
std::vector<std::string> BuildEpochBodies(const Epoch& epoch, std::size_t byteBudget,
                                          unsigned rotation);

// Bytes of the framed line of a body: "$", body, "*", two digits, CR LF.
constexpr std::size_t FramedSize(const std::string& body) {
  return body.size() + 6;
}

}  // namespace sattrail::sim
