// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The built-in sky: the constellations of GPS, GLONASS, Galileo, BeiDou and QZSS on circular
// orbits seen from a walker near a chosen place, with the acquisition of a receiver after a
// hot, warm or cold start. Time is passed in by the caller (seconds of UTC since 1970), so
// the model runs as fast as a test wants.

#include <cstdint>
#include <random>
#include <vector>

#include "systems/SatelliteSystems.h"

namespace sattrail::sim {

struct Place {
  double latitude = 47.3769;  // degrees, north positive (Zurich, Hauptbahnhof)
  double longitude = 8.5417;  // degrees, east positive
  double altitude = 408.0;    // metres above mean sea level
};

enum class StartKind { Hot, Warm, Cold };

// The systems the built-in sky flies, in system-ID order.
std::vector<SatelliteSystem> FlownSystems();

// What the receiver tracks: some of the flown systems, in system-ID order, on their first
// signal or on both.
struct Reception {
  std::vector<SatelliteSystem> systems{SatelliteSystem::Gps};
  bool dual = false;
  // Anything but GPS on one signal goes out as NMEA 4.11: the combined talker, and system and
  // signal IDs in GSA and GSV.
  bool SpeaksNmea411() const;
};

struct SatelliteView {
  int prn = 0;        // the number in the sentences, under the system's own ID
  int elevation = 0;  // whole degrees
  int azimuth = 0;    // whole degrees, 0 to 359
  int snr = -1;       // dB-Hz; -1 while the satellite is not tracked (an empty field)
  bool used = false;  // part of the fix
  SatelliteSystem system = SatelliteSystem::Gps;
  bool sendsSecondSignal = false;  // and the receiver listens to it
  int secondSnr = -1;              // of the second signal, as snr
};

struct Epoch {
  double utc = 0;   // seconds since 1970, whole seconds
  int fixType = 1;  // 1 no fix, 2 two-dimensional, 3 three-dimensional (GSA field 2)
  double latitude = 0, longitude = 0, altitude = 0;
  double speedKnots = 0, courseDegrees = 0;
  double pdop = 0, hdop = 0, vdop = 0;
  Reception reception;
  std::vector<SatelliteView> satellites;  // in view, system by system, each highest first
  int UsedCount() const;
};

// Seconds after a start at which the fix becomes two- and three-dimensional.
struct FixSchedule {
  double twoDimensional;
  double threeDimensional;
};
FixSchedule ScheduleFor(StartKind kind);

// A satellite of the sky on its circular orbit; angles in radians.
struct OrbitingSatellite {
  SatelliteSystem system;
  int number;  // in the sentences
  double radiusKm, periodSeconds, inclination;
  double node, phase;  // right ascension of the ascending node, argument of latitude at J2000
  bool sendsSecondSignal;
};

class SkyModel {
 public:
  SkyModel(Place start, std::uint32_t seed, Reception reception = {});

  // A start command: acquisition begins again at utc.
  void Restart(StartKind kind, double utc);

  // The receiver's state at utc; call with rising times, about once a second.
  Epoch Step(double utc);

  // Satellites in view at utc (their place and whether they send a second signal only),
  // system by system, each highest first.
  std::vector<SatelliteView> Visible(double utc) const;

 private:
  std::vector<SatelliteView> VisibleOf(SatelliteSystem system, double utc) const;
  std::size_t IndexOf(const SatelliteView& view) const;
  double AcquisitionTime(std::size_t rank) const;
  // The walker moves on from the previous step's place.
  void Walk(double utc, double speed, double course);
  // Signal and use of the satellites acquired since the start.
  void Track(Epoch& epoch, double elapsed, std::normal_distribution<double>& noise);
  // Dilutions, place and motion of a fix.
  void Solve(Epoch& epoch, double speed, double course, std::normal_distribution<double>& noise);

  Place start_;
  Reception reception_;
  std::vector<OrbitingSatellite> satellites_;
  double latitude_, longitude_;
  StartKind kind_ = StartKind::Cold;
  double restartUtc_ = 0;
  double lastUtc_ = -1;
  std::mt19937 random_;
  std::vector<int> snrOffset_;     // dB-Hz, for each satellite
  std::vector<int> secondWeaker_;  // dB by which its second signal is weaker
};

}  // namespace sattrail::sim
