// SPDX-License-Identifier: BSD-2-Clause
#include "SkyModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <utility>

namespace sattrail::sim {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180.0;
constexpr double kEarthRadiusKm = 6371.0;
constexpr double kEarthRotationRadPerSecond = 7.2921159e-5;
constexpr double kSiderealDaySeconds = 2 * kPi / kEarthRotationRadPerSecond;
constexpr double kGeosynchronousRadiusKm = 42164.0;
constexpr double kJ2000 = 946728000.0;  // 2000-01-01 12:00 UTC
constexpr double kGmstAtJ2000 = 4.894961;
constexpr double kMetresPerDegree = 111320.0;

// One system's satellites on orbits of one size in evenly spread planes, evenly spaced in
// each, numbered plane by plane: a Walker constellation.
struct WalkerShell {
  SatelliteSystem system;
  double radiusKm;
  double periodSeconds;
  double inclinationDegrees;
  int planes;
  double planeShiftDegrees;  // how far each plane's satellites run ahead of the previous one's
  std::span<const int> svids;
};

// A satellite whose orbit lasts a sidereal day: its ground track is a figure of eight about
// the longitude where it crosses the equator northwards, a point when it is not inclined.
// Those sharing a track follow one another along it.
struct GeosynchronousSatellite {
  SatelliteSystem system;
  int svid;
  double inclinationDegrees;
  double longitudeDegrees;  // east
  double phaseDegrees;      // how far along the track at J2000
};

// Six planes of five; the PRN numbers of a 30-satellite sky.
constexpr int kGpsPrns[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                            16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 31};
// The older GPS satellites send no L5: the numbers the blocks launched before 2010 held in
// the mid-2020s.
constexpr int kGpsPrnsWithoutL5[] = {2, 5, 7, 12, 13, 15, 16, 17, 19, 20, 21, 22, 29, 31};
// Slots 1 to 8 in the first plane, 9 to 16 in the second, 17 to 24 in the third.
constexpr int kGlonassSlots[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
constexpr int kGalileoSvids[] = {2,  3,  4,  5,  7,  8,  9,  10, 11, 12, 13, 15,
                                 19, 21, 24, 25, 26, 27, 29, 30, 31, 33, 34, 36};
constexpr int kBeiDouMeoSvids[] = {19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30,
                                   32, 33, 34, 35, 36, 37, 41, 42, 43, 44, 45, 46};
// B2a is a signal of BeiDou's third generation, numbered from 19 on.
constexpr int kFirstBeiDouWithB2a = 19;

// The public figures of each constellation: radius, period, inclination, planes.
constexpr WalkerShell kWalkerShells[] = {
    {SatelliteSystem::Gps, 26560.0, 43082.0, 55.0, 6, 15.0, kGpsPrns},  // half a sidereal day
    {SatelliteSystem::Glonass, 25508.0, 40544.0, 64.8, 3, 15.0, kGlonassSlots},
    {SatelliteSystem::Galileo, 29600.0, 50685.0, 56.0, 3, 15.0, kGalileoSvids},
    {SatelliteSystem::BeiDou, 27906.0, 46404.0, 55.0, 3, 15.0, kBeiDouMeoSvids},
};

constexpr GeosynchronousSatellite kGeosynchronousSatellites[] = {
    // BeiDou's geostationary satellites and its inclined ones on one track over 118 E.
    {SatelliteSystem::BeiDou, 1, 0.0, 140.0, 0.0},
    {SatelliteSystem::BeiDou, 2, 0.0, 80.0, 0.0},
    {SatelliteSystem::BeiDou, 3, 0.0, 110.5, 0.0},
    {SatelliteSystem::BeiDou, 4, 0.0, 160.0, 0.0},
    {SatelliteSystem::BeiDou, 5, 0.0, 58.75, 0.0},
    {SatelliteSystem::BeiDou, 38, 55.0, 118.0, 0.0},
    {SatelliteSystem::BeiDou, 39, 55.0, 118.0, 120.0},
    {SatelliteSystem::BeiDou, 40, 55.0, 118.0, 240.0},
    // QZSS: three on the quasi-zenith track over Japan, one geostationary.
    {SatelliteSystem::Qzss, 2, 41.0, 135.0, 0.0},
    {SatelliteSystem::Qzss, 3, 41.0, 135.0, 120.0},
    {SatelliteSystem::Qzss, 4, 41.0, 135.0, 240.0},
    {SatelliteSystem::Qzss, 7, 0.0, 127.0, 0.0},
};

constexpr double kElevationMask = 5.0;
constexpr double kUsedMask = 10.0;
// GPS is listed down to the horizon until eight are in view.
constexpr std::size_t kMinimumGpsInView = 8;
constexpr std::size_t kMaximumInView = 12;  // channels for each system

bool SendsSecondSignal(SatelliteSystem system, int svid) {
  switch (system) {
    case SatelliteSystem::Gps:
      return std::find(std::begin(kGpsPrnsWithoutL5), std::end(kGpsPrnsWithoutL5), svid) ==
             std::end(kGpsPrnsWithoutL5);
    case SatelliteSystem::BeiDou:
      return svid >= kFirstBeiDouWithB2a;
    default:
      return true;
  }
}

int NumberInSentences(SatelliteSystem system, int svid) {
  return NumberOfSatellite(FactsOf(system).systemId, {system, svid}).value_or(svid);
}

OrbitingSatellite Satellite(SatelliteSystem system, int svid, double radiusKm, double periodSeconds,
                            double inclination, double node, double phase) {
  return {.system = system,
          .number = NumberInSentences(system, svid),
          .radiusKm = radiusKm,
          .periodSeconds = periodSeconds,
          .inclination = inclination,
          .node = node,
          .phase = phase,
          .sendsSecondSignal = SendsSecondSignal(system, svid)};
}

// The satellites of one system: its Walker shell, then its geosynchronous satellites.
void AddSatellitesOf(SatelliteSystem system, std::vector<OrbitingSatellite>& satellites) {
  for (const WalkerShell& shell : kWalkerShells) {
    if (shell.system != system) continue;
    const int perPlane = static_cast<int>(shell.svids.size()) / shell.planes;
    for (int index = 0; index < static_cast<int>(shell.svids.size()); ++index) {
      const int plane = index / perPlane;
      const int slot = index % perPlane;
      const double node = plane * (2 * kPi / shell.planes);
      const double phase =
          slot * (2 * kPi / perPlane) + plane * (shell.planeShiftDegrees * kDegree);
      satellites.push_back(Satellite(system, shell.svids[static_cast<std::size_t>(index)],
                                     shell.radiusKm, shell.periodSeconds,
                                     shell.inclinationDegrees * kDegree, node, phase));
    }
  }
  for (const GeosynchronousSatellite& geo : kGeosynchronousSatellites) {
    if (geo.system != system) continue;
    // Turning with the earth, it crosses the equator northwards at its longitude.
    const double phase = geo.phaseDegrees * kDegree;
    const double node = geo.longitudeDegrees * kDegree + kGmstAtJ2000 - phase;
    satellites.push_back(Satellite(system, geo.svid, kGeosynchronousRadiusKm, kSiderealDaySeconds,
                                   geo.inclinationDegrees * kDegree, node, phase));
  }
}

struct Vector3 {
  double x, y, z;
};

Vector3 SatelliteEcef(const OrbitingSatellite& sat, double utc) {
  const double node = sat.node;
  const double u = sat.phase + 2 * kPi * std::fmod((utc - kJ2000) / sat.periodSeconds, 1.0);
  const double xi = sat.radiusKm * (std::cos(u) * std::cos(node) -
                                    std::sin(u) * std::cos(sat.inclination) * std::sin(node));
  const double yi = sat.radiusKm * (std::cos(u) * std::sin(node) +
                                    std::sin(u) * std::cos(sat.inclination) * std::cos(node));
  const double zi = sat.radiusKm * std::sin(u) * std::sin(sat.inclination);
  const double theta = kGmstAtJ2000 + kEarthRotationRadPerSecond * (utc - kJ2000);
  const double c = std::cos(theta), s = std::sin(theta);
  return {c * xi + s * yi, -s * xi + c * yi, zi};
}

SatelliteView LookAngles(const OrbitingSatellite& satellite, double utc, double latitude,
                         double longitude) {
  const double phi = latitude * kDegree, lambda = longitude * kDegree;
  const Vector3 observer{kEarthRadiusKm * std::cos(phi) * std::cos(lambda),
                         kEarthRadiusKm * std::cos(phi) * std::sin(lambda),
                         kEarthRadiusKm * std::sin(phi)};
  const Vector3 sat = SatelliteEcef(satellite, utc);
  const double dx = sat.x - observer.x, dy = sat.y - observer.y, dz = sat.z - observer.z;
  const double east = -std::sin(lambda) * dx + std::cos(lambda) * dy;
  const double north = -std::sin(phi) * std::cos(lambda) * dx -
                       std::sin(phi) * std::sin(lambda) * dy + std::cos(phi) * dz;
  const double up = std::cos(phi) * std::cos(lambda) * dx + std::cos(phi) * std::sin(lambda) * dy +
                    std::sin(phi) * dz;
  SatelliteView view;
  view.prn = satellite.number;
  view.elevation = static_cast<int>(std::lround(std::atan2(up, std::hypot(east, north)) / kDegree));
  view.azimuth = static_cast<int>(std::lround(std::atan2(east, north) / kDegree + 360)) % 360;
  view.system = satellite.system;
  return view;
}

}  // namespace

std::vector<SatelliteSystem> FlownSystems() {
  std::vector<SatelliteSystem> systems;
  const auto add = [&systems](SatelliteSystem system) {
    if (std::find(systems.begin(), systems.end(), system) == systems.end())
      systems.push_back(system);
  };
  for (const WalkerShell& shell : kWalkerShells) add(shell.system);
  for (const GeosynchronousSatellite& geo : kGeosynchronousSatellites) add(geo.system);
  std::sort(systems.begin(), systems.end(), [](SatelliteSystem a, SatelliteSystem b) {
    return FactsOf(a).systemId < FactsOf(b).systemId;
  });
  return systems;
}

bool Reception::SpeaksNmea411() const {
  return dual || systems != std::vector<SatelliteSystem>{SatelliteSystem::Gps};
}

int Epoch::UsedCount() const {
  return static_cast<int>(std::count_if(satellites.begin(), satellites.end(),
                                        [](const SatelliteView& s) { return s.used; }));
}

FixSchedule ScheduleFor(StartKind kind) {
  switch (kind) {
    case StartKind::Hot:
      return {3, 5};
    case StartKind::Warm:
      return {20, 23};
    case StartKind::Cold:
      break;
  }
  return {30, 34};
}

SkyModel::SkyModel(Place start, std::uint32_t seed, Reception reception)
    : start_(start),
      reception_(std::move(reception)),
      latitude_(start.latitude),
      longitude_(start.longitude),
      random_(seed) {
  for (SatelliteSystem system : reception_.systems) AddSatellitesOf(system, satellites_);
  std::uniform_int_distribution<int> offset(-3, 3);
  for (std::size_t i = 0; i < satellites_.size(); ++i) snrOffset_.push_back(offset(random_));
  if (!reception_.dual) return;
  std::uniform_int_distribution<int> weaker(2, 5);
  for (std::size_t i = 0; i < satellites_.size(); ++i) secondWeaker_.push_back(weaker(random_));
}

void SkyModel::Restart(StartKind kind, double utc) {
  kind_ = kind;
  restartUtc_ = utc;
}

std::vector<SatelliteView> SkyModel::Visible(double utc) const {
  std::vector<SatelliteView> visible;
  for (SatelliteSystem system : reception_.systems) {
    const std::vector<SatelliteView> ofSystem = VisibleOf(system, utc);
    visible.insert(visible.end(), ofSystem.begin(), ofSystem.end());
  }
  return visible;
}

std::vector<SatelliteView> SkyModel::VisibleOf(SatelliteSystem system, double utc) const {
  std::vector<SatelliteView> all;
  for (const OrbitingSatellite& satellite : satellites_) {
    if (satellite.system != system) continue;
    all.push_back(LookAngles(satellite, utc, latitude_, longitude_));
    all.back().sendsSecondSignal = reception_.dual && satellite.sendsSecondSignal;
  }
  std::sort(all.begin(), all.end(), [](const SatelliteView& a, const SatelliteView& b) {
    return a.elevation > b.elevation;
  });
  // Above the mask, but never fewer than eight GPS satellites while any are above the horizon.
  const std::size_t minimum = system == SatelliteSystem::Gps ? kMinimumGpsInView : 0;
  std::size_t count = 0;
  while (count < all.size() && count < kMaximumInView &&
         (all[count].elevation >= kElevationMask || (count < minimum && all[count].elevation >= 0)))
    ++count;
  all.resize(count);
  return all;
}

std::size_t SkyModel::IndexOf(const SatelliteView& view) const {
  const auto found =
      std::find_if(satellites_.begin(), satellites_.end(), [&view](const OrbitingSatellite& s) {
        return s.system == view.system && s.number == view.prn;
      });
  return static_cast<std::size_t>(found - satellites_.begin());
}

// Satellites are found one after another, the highest first.
double SkyModel::AcquisitionTime(std::size_t rank) const {
  switch (kind_) {
    case StartKind::Hot:
      return 1.0 + 0.25 * static_cast<double>(rank);
    case StartKind::Warm:
      return 4.0 + 2.0 * static_cast<double>(rank);
    case StartKind::Cold:
      break;
  }
  return 8.0 + 3.0 * static_cast<double>(rank);
}

namespace {

// A slow walk: about 5 km/h, the course swinging gently.
double WalkingSpeed(double utc) {
  return 1.35 + 0.25 * std::sin(utc / 47.0);  // metres a second
}

double WalkingCourse(double utc) {
  return std::fmod(90.0 + 70.0 * std::sin(utc / 300.0) + 360.0, 360.0);
}

int FixTypeAfter(StartKind kind, double elapsed) {
  const FixSchedule schedule = ScheduleFor(kind);
  return elapsed >= schedule.threeDimensional ? 3 : elapsed >= schedule.twoDimensional ? 2 : 1;
}

}  // namespace

void SkyModel::Walk(double utc, double speed, double course) {
  if (lastUtc_ >= 0) {
    const double dt = std::clamp(utc - lastUtc_, 0.0, 5.0);
    latitude_ += dt * speed * std::cos(course * kDegree) / kMetresPerDegree;
    longitude_ += dt * speed * std::sin(course * kDegree) /
                  (kMetresPerDegree * std::cos(latitude_ * kDegree));
    // Stay within a few kilometres of the chosen place.
    if (std::abs(latitude_ - start_.latitude) > 0.05 ||
        std::abs(longitude_ - start_.longitude) > 0.05) {
      latitude_ = start_.latitude;
      longitude_ = start_.longitude;
    }
  }
  lastUtc_ = utc;
}

void SkyModel::Track(Epoch& epoch, double elapsed, std::normal_distribution<double>& noise) {
  std::vector<SatelliteView>& satellites = epoch.satellites;
  std::size_t rank = 0;
  for (std::size_t i = 0; i < satellites.size(); ++i) {
    SatelliteView& sat = satellites[i];
    // Each system has channels of its own, so it ranks its satellites among themselves.
    rank = i > 0 && satellites[i - 1].system == sat.system ? rank + 1 : 0;
    const bool lowest = i + 1 == satellites.size() || satellites[i + 1].system != sat.system;
    if (elapsed < AcquisitionTime(rank)) continue;
    const std::size_t index = IndexOf(sat);
    const double snr = 20.0 + 28.0 * std::sin(std::max(sat.elevation, 0) * kDegree) +
                       snrOffset_[index] + 1.5 * noise(random_);
    sat.snr = std::clamp(static_cast<int>(std::lround(snr)), 10, 55);
    if (sat.sendsSecondSignal) sat.secondSnr = sat.snr - secondWeaker_[index];
    // The lowest satellite of its system in view and those below the mask stay out of the
    // solution.
    sat.used = epoch.fixType >= 2 && sat.elevation >= kUsedMask && !lowest;
  }
}

void SkyModel::Solve(Epoch& epoch, double speed, double course,
                     std::normal_distribution<double>& noise) {
  const int used = std::max(epoch.UsedCount(), 3);
  epoch.hdop = 0.7 + 4.0 / used + 0.05 * noise(random_);
  epoch.vdop = epoch.hdop * 1.5;
  epoch.pdop = std::hypot(epoch.hdop, epoch.vdop);
  epoch.latitude = latitude_;
  epoch.longitude = longitude_;
  epoch.altitude = start_.altitude + 3.0 * std::sin(epoch.utc / 120.0);
  epoch.speedKnots = speed * 3600.0 / 1852.0;
  epoch.courseDegrees = course;
}

Epoch SkyModel::Step(double utc) {
  const double speed = WalkingSpeed(utc);
  const double course = WalkingCourse(utc);
  Walk(utc, speed, course);
  Epoch epoch;
  epoch.utc = utc;
  epoch.reception = reception_;
  const double elapsed = utc - restartUtc_;
  epoch.fixType = FixTypeAfter(kind_, elapsed);
  epoch.satellites = Visible(utc);
  // One distribution for the whole epoch: it hands out its normal numbers in pairs.
  std::normal_distribution<double> noise(0.0, 1.0);
  Track(epoch, elapsed, noise);
  if (epoch.fixType >= 2) Solve(epoch, speed, course, noise);
  return epoch;
}

}  // namespace sattrail::sim
