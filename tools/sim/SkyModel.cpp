// SPDX-License-Identifier: BSD-2-Clause
#include "SkyModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sattrail::sim {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180.0;
constexpr double kEarthRadiusKm = 6371.0;
constexpr double kOrbitRadiusKm = 26560.0;
constexpr double kOrbitPeriodSeconds = 43082.0;  // half a sidereal day
constexpr double kEarthRotationRadPerSecond = 7.2921159e-5;
constexpr double kInclination = 55.0 * kDegree;
constexpr double kJ2000 = 946728000.0;  // 2000-01-01 12:00 UTC
constexpr double kGmstAtJ2000 = 4.894961;
constexpr double kMetresPerDegree = 111320.0;

// Six orbital planes of five satellites each; the PRN numbers of a 30-satellite sky.
constexpr int kPlanes = 6;
constexpr int kPerPlane = 5;
constexpr int kPrns[kPlanes * kPerPlane] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                            11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                                            21, 22, 23, 24, 25, 26, 27, 28, 29, 31};

constexpr double kElevationMask = 5.0;
constexpr double kUsedMask = 10.0;
constexpr std::size_t kMinimumInView = 8;
constexpr std::size_t kMaximumInView = 12;

struct Vector3 {
  double x, y, z;
};

Vector3 SatelliteEcef(int index, double utc) {
  const int plane = index / kPerPlane;
  const int slot = index % kPerPlane;
  const double node = plane * (2 * kPi / kPlanes);
  const double phase = slot * (2 * kPi / kPerPlane) + plane * (kPi / 12);
  const double u = phase + 2 * kPi * std::fmod((utc - kJ2000) / kOrbitPeriodSeconds, 1.0);
  const double xi = kOrbitRadiusKm * (std::cos(u) * std::cos(node) -
                                      std::sin(u) * std::cos(kInclination) * std::sin(node));
  const double yi = kOrbitRadiusKm * (std::cos(u) * std::sin(node) +
                                      std::sin(u) * std::cos(kInclination) * std::cos(node));
  const double zi = kOrbitRadiusKm * std::sin(u) * std::sin(kInclination);
  const double theta = kGmstAtJ2000 + kEarthRotationRadPerSecond * (utc - kJ2000);
  const double c = std::cos(theta), s = std::sin(theta);
  return {c * xi + s * yi, -s * xi + c * yi, zi};
}

SatelliteView LookAngles(int index, double utc, double latitude, double longitude) {
  const double phi = latitude * kDegree, lambda = longitude * kDegree;
  const Vector3 observer{kEarthRadiusKm * std::cos(phi) * std::cos(lambda),
                         kEarthRadiusKm * std::cos(phi) * std::sin(lambda),
                         kEarthRadiusKm * std::sin(phi)};
  const Vector3 sat = SatelliteEcef(index, utc);
  const double dx = sat.x - observer.x, dy = sat.y - observer.y, dz = sat.z - observer.z;
  const double east = -std::sin(lambda) * dx + std::cos(lambda) * dy;
  const double north = -std::sin(phi) * std::cos(lambda) * dx -
                       std::sin(phi) * std::sin(lambda) * dy + std::cos(phi) * dz;
  const double up = std::cos(phi) * std::cos(lambda) * dx + std::cos(phi) * std::sin(lambda) * dy +
                    std::sin(phi) * dz;
  SatelliteView view;
  view.prn = kPrns[index];
  view.elevation = static_cast<int>(std::lround(std::atan2(up, std::hypot(east, north)) / kDegree));
  view.azimuth = static_cast<int>(std::lround(std::atan2(east, north) / kDegree + 360)) % 360;
  return view;
}

}  // namespace

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

SkyModel::SkyModel(Place start, std::uint32_t seed)
    : start_(start), latitude_(start.latitude), longitude_(start.longitude), random_(seed) {
  std::uniform_int_distribution<int> offset(-3, 3);
  for (std::size_t i = 0; i < std::size(kPrns); ++i) snrOffset_.push_back(offset(random_));
}

void SkyModel::Restart(StartKind kind, double utc) {
  kind_ = kind;
  restartUtc_ = utc;
}

std::vector<SatelliteView> SkyModel::Visible(double utc) const {
  std::vector<SatelliteView> all;
  for (std::size_t i = 0; i < std::size(kPrns); ++i)
    all.push_back(LookAngles(static_cast<int>(i), utc, latitude_, longitude_));
  std::sort(all.begin(), all.end(), [](const SatelliteView& a, const SatelliteView& b) {
    return a.elevation > b.elevation;
  });
  // Above the mask, but never fewer than eight while any are above the horizon.
  std::size_t count = 0;
  while (count < all.size() && count < kMaximumInView &&
         (all[count].elevation >= kElevationMask ||
          (count < kMinimumInView && all[count].elevation >= 0)))
    ++count;
  all.resize(count);
  return all;
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
  for (std::size_t rank = 0; rank < epoch.satellites.size(); ++rank) {
    SatelliteView& sat = epoch.satellites[rank];
    if (elapsed < AcquisitionTime(rank)) continue;
    const auto index = static_cast<std::size_t>(
        std::find(std::begin(kPrns), std::end(kPrns), sat.prn) - std::begin(kPrns));
    const double snr = 20.0 + 28.0 * std::sin(std::max(sat.elevation, 0) * kDegree) +
                       snrOffset_[index] + 1.5 * noise(random_);
    sat.snr = std::clamp(static_cast<int>(std::lround(snr)), 10, 55);
    // The lowest satellite in view and those below the mask stay out of the solution.
    sat.used =
        epoch.fixType >= 2 && sat.elevation >= kUsedMask && rank + 1 < epoch.satellites.size();
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
