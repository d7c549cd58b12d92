#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "model/volts.h"
#include "model/wave_record.h"

namespace sondrix {

// Whether a store converts the channel: its display text, upper-cased, is "ON".
bool IsDisplayed(const ChannelSetup& channel);

// The volts of `counts` as a store writes them, as a 32-bit float; nothing where they lie beyond
// its range. Inline: a store makes one for every sample it writes.
inline std::optional<float> FittedVolts(double counts, const ChannelSetup& channel) {
  const double v = CountsToVolts(counts, channel.Vdiv, channel.Offset);
  if (!FitsFloat(v)) return std::nullopt;
  return static_cast<float>(v);
}

// `ToVolts` of channel `ch` (anything but 0, 1 or 2 means channel 3): the first Points of
// `counts` into its VoltData, with the channel's Vdiv and Offset. False when Points is beyond the
// capacity or `counts` is shorter than Points (nothing changes then), or when a value lies beyond
// the 32-bit float range (it is stored as 0).
bool ToVolts(WaveRecord& record, int ch, std::span<const std::int16_t> counts);

// Sets the first Points samples of all four volt arrays to 0.
bool ClearVolts(WaveRecord& record);

// The counts a store writes for channel `ch`: its source, or its smoothed record.
using CountsOfChannel = std::function<std::span<const std::int16_t>(int ch)>;

// What a store does before writing: clears all four volt arrays, then converts every channel
// whose display text, upper-cased, is "ON", in channel order, from its counts (the source arrays
// when none are given). A channel that is not converted is therefore written as zeros, never
// with another waveform's volts.
bool ToVoltsForDisplayed(WaveRecord& record, const CountsOfChannel& counts = {});

}  // namespace sondrix
