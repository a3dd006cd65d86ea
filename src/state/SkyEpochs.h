// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <array>
#include <cstdint>

#include "systems/SatelliteSystems.h"

namespace sattrail {

inline constexpr int kReceiverSlots = 20;
// The numbers the main window's pictures know: 1 to 49 of a slot, 0 stored but never drawn.
inline constexpr int kSatelliteNumbers = 50;
// Entries of a slot: GPS with SBAS up to NMEA's 64, BeiDou up to 63.
inline constexpr int kSlotEntries = 65;
// NMEA 4.11 writes a signal ID as one hex digit; 0 is "no particular signal".
inline constexpr int kSignalIds = 16;
// The C/N0 of a signal that a GSV lists with an empty field: the satellite is not tracked on it.
inline constexpr std::int16_t kNotTracked = -1;

using SlotFlags = std::array<std::array<std::uint8_t, kSlotEntries>, kReceiverSlots>;

// What the receiver said of a satellite in the latest epoch of the talker that reports it.
// Every GSV group of that epoch adds to it; none wipes what an earlier one said.
struct Sighting {
  std::uint32_t Epoch = 0;  // its talker's epoch when last reported; 0: never reported
  std::uint8_t Stream = 0;  // the system ID of that talker, 0 for a combined one
  bool HasPosition = false;
  std::int16_t Elevation = 0;  // whole degrees
  std::int16_t Azimuth = 0;
  std::uint16_t SignalIds = 0;                     // one bit per signal ID reported
  std::array<std::int16_t, kSignalIds> Signals{};  // C/N0 in dB-Hz, or kNotTracked
};

// The satellites the latest GSA sentences of each system list as used in the fix. A receiver
// sends its GSA sentences of an epoch one after another, one system after another and a long
// list split over several; such a run replaces what the runs before said of each system it
// speaks for.
struct FixSatellites {
  std::uint32_t Run = 0;                                // runs so far
  std::array<std::uint32_t, kReceiverSlots> SlotRun{};  // the run of each slot's latest GSA
  std::array<std::array<std::uint32_t, kSlotEntries>, kReceiverSlots> ListedRun{};

  bool Lists(int slot, int entry) const {
    const std::uint32_t listed = ListedRun[slot][entry];
    return listed != 0 && listed == SlotRun[slot];
  }
};

// The GSV cycles of one talker. An epoch holds one cycle for each signal the receiver reports
// (a dual-frequency receiver sends a system's cycle once per signal); it ends when a cycle of
// a signal it already holds begins.
struct GsvStream {
  std::uint32_t Epoch = 0;        // 0 before the talker's first GSV
  std::int32_t LastSentence = 0;  // the sentence number of its latest GSV
  std::uint16_t CyclesBegun = 0;  // one bit per signal ID whose cycle began in this epoch
  std::int32_t CyclesClosed = 0;
  std::int32_t CyclesClosedBefore = 0;  // in the epoch before
  std::uint32_t HeardAt = 0;            // the receiver epoch of its latest GSV
};

// The receiver's epochs as its GSV talkers show them. The receiver's epoch moves on when a
// talker begins a second epoch since it last moved: once a second for a receiver that
// reports every system every second, however many talkers it has, and still when one falls
// silent.
struct SkyEpochs {
  // By system ID, 0 for combined talkers; as many as there are slots, which a caller may
  // name as the system of a sentence.
  std::array<GsvStream, kReceiverSlots> Streams{};
  std::uint32_t ReceiverEpoch = 0;
  std::uint32_t StreamsBegun = 0;  // one bit per talker that began an epoch in this one
  // Slot 1's used flags as the first drawing of its talker's epoch found them, for the
  // drawings of the epoch's later cycles.
  std::array<std::uint8_t, kSlotEntries> UsedAtFirstDrawing{};
  // The satellites in the fix when the latest GSV cycle closed: what the sky as last drawn
  // showed, also while the GSA sentences of the next epoch have come and its GSV have not.
  FixSatellites FixAtLastCycle;
};

}  // namespace sattrail
