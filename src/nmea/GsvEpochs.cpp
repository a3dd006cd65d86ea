// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/GsvEpochs.h"

#include <algorithm>

namespace sattrail {

namespace {

constexpr int kMainPicturesSlot = 1;

void BeginStreamEpoch(SkyEpochs& sky, int systemId) {
  GsvStream& stream = sky.Streams[systemId];
  stream.CyclesClosedBefore = stream.CyclesClosed;
  stream.CyclesClosed = 0;
  stream.CyclesBegun = 0;
  ++stream.Epoch;
  const std::uint32_t bit = 1u << systemId;
  if ((sky.StreamsBegun & bit) != 0) {
    ++sky.ReceiverEpoch;
    sky.StreamsBegun = bit;
  } else {
    sky.StreamsBegun |= bit;
  }
}

}  // namespace

GsvStream& BeginGsvSentence(SkyEpochs& sky, const GsvLayout& layout) {
  GsvStream& stream = sky.Streams[layout.systemId];
  // A sentence number that does not follow the last begins a cycle, also when the cycle's
  // first sentence was lost.
  if (stream.Epoch == 0 || layout.number <= stream.LastSentence) {
    const auto bit = static_cast<std::uint16_t>(1u << layout.signalId);
    if (stream.Epoch == 0 || (stream.CyclesBegun & bit) != 0) {
      BeginStreamEpoch(sky, layout.systemId);
    }
    stream.CyclesBegun |= bit;
  }
  stream.LastSentence = layout.number;
  stream.HeardAt = sky.ReceiverEpoch;
  return stream;
}

void PrepareEpochDrawing(RunState& run, int systemId) {
  const GsvStream& stream = run.Sky.Streams[systemId];
  std::array<std::uint8_t, kSlotEntries>& used = run.GpsState.UsedSatellites[kMainPicturesSlot];
  if (stream.CyclesClosed <= 1) {
    run.Sky.UsedAtFirstDrawing = used;
    return;
  }
  SatelliteRow& row = run.SatelliteTable[kMainPicturesSlot];
  for (int n = 1; n < kSatelliteNumbers; ++n) {
    const Sighting& seen = run.Sightings[kMainPicturesSlot][n];
    if (seen.Epoch == stream.Epoch && seen.Stream == systemId) {
      row[n].Reported = 1;
      row[n].Signal = StrongestSignal(seen);
    }
    used[n] |= run.Sky.UsedAtFirstDrawing[n];
  }
}

int StrongestSignal(const Sighting& seen) {
  int strongest = 0;
  for (int id = 0; id < kSignalIds; ++id) {
    if ((seen.SignalIds >> id & 1u) != 0) strongest = std::max<int>(strongest, seen.Signals[id]);
  }
  return strongest;
}

bool IsCurrent(const SkyEpochs& sky, const Sighting& seen) {
  if (seen.Epoch == 0) return false;
  const GsvStream& stream = sky.Streams[seen.Stream];
  if (sky.ReceiverEpoch - stream.HeardAt > 1) return false;
  if (seen.Epoch == stream.Epoch) return true;
  return seen.Epoch + 1 == stream.Epoch && stream.CyclesClosed < stream.CyclesClosedBefore;
}

}  // namespace sattrail
