// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/RecordFile.h"
#include "platform/SerialDevice.h"
#include "state/SkyEpochs.h"

namespace sattrail {

// The latest fix as the parsers stored it. Real values are 32-bit floats on purpose: the
// shown digits are those of the single-precision value (10.5 knots shows 19.4459991455078).
// A plain record: the port opening lives beside it in serial/PortOpening.h.
struct CoMPort {
  std::int32_t TimeZoneHours = 0;  // whole hours added to UTC, from the longitude
  std::string HeightText;          // GGA altitude, "%.1f"
  std::int32_t FixType = 0;        // GSA fix type as received
  // By receiver slot and entry, as SatelliteTable: listed by a GSA since the slot was last
  // drawn. Entry 0 is never set.
  SlotFlags UsedSatellites{};
  FixSatellites InFix;  // which satellites the latest GSA sentences of each system list
  float Pdop = 0;
  std::string LonHemisphere;  // "E", "W" or "0"
  std::string LatHemisphere;  // "N", "S" or "0"
  float UtcTime = 0;          // hhmmss.ss
  float Latitude = 0;         // ddmm.mmmm
  float SpeedKmh = 0;
  float Longitude = 0;        // dddmm.mmmm
  std::int32_t UtcDate = 0;   // ddmmyy
  std::int32_t DayCarry = 0;  // -1, 0 or +1: the day shift of the local time
};

// What the next drawing of the main window's pictures draws of a satellite.
struct SatelliteEntry {
  std::int32_t Reported = 0;  // 1 when a GSV listed it since it was last drawn
  std::int32_t Elevation = 0;
  std::int32_t Azimuth = 0;
  std::int32_t Signal = 0;  // the strongest of its signals in the epoch
};

inline constexpr int kRawLineCapacity = 256;

using SatelliteRow = std::array<SatelliteEntry, kSatelliteNumbers>;
using SatelliteSlots = std::array<SatelliteRow, kReceiverSlots>;
using SightingSlots = std::array<std::array<Sighting, kSlotEntries>, kReceiverSlots>;

// What the command line asked to record and how far the run has come with it. The file is
// open while the port is; the bytes of the polls since the last flush wait in Unwritten.
struct RecordingState {
  std::string Path;      // --record FILE; empty: nothing is recorded
  bool Append = false;   // --append: the run's first open adds to the file instead of replacing
  bool Opened = false;   // opened once this run, so later opens append
  bool Stopped = false;  // a write error ended the recording for the rest of the run
  std::unique_ptr<RecordFile> File;
  std::vector<std::uint8_t> Unwritten;
  std::int32_t PollsUntilFlush = 0;
  std::string Failure;  // the reason of a stop, until its box has been shown
};

// Everything the program knows during one run. The app creates exactly one, before the
// window; every test creates a fresh one. Nothing of it is ever saved.
struct RunState {
  CoMPort GpsState;
  SatelliteSlots SatelliteTable{};
  // By the same slots, and for every number of a system: what the receiver's latest epochs
  // say of each satellite.
  SightingSlots Sightings{};
  SkyEpochs Sky;            // the GSV cycles of each talker, epoch after epoch
  std::string FixModeText;  // "2", "3" or "0" after the first GSA
  std::string LineBuffer;   // the line being assembled, line end included
  std::string SentenceId;   // the five characters after the first of the dispatched line
  std::array<std::uint8_t, kRawLineCapacity> RawLineBytes{};
  std::int32_t RawLineCount = 0;
  std::int32_t SilenceCount = 0;  // silent polls since a known sentence was handled

  std::unique_ptr<SerialHandle> PortHandle;  // null: no port
  DeviceControlBlock DeviceControl{};
  // The device that said it had gone while open, awaited until OFF: what reopens it (empty
  // when nothing is awaited) and the polls left before the next try.
  std::string ReopenTarget;
  std::int32_t PollsUntilReopen = 0;

  RecordingState Recording;
};

}  // namespace sattrail
