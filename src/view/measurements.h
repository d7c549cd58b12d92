#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/wave_record.h"

namespace sondrix {

// The usual figures of one channel over a window, in the channel's unit, from every sample (not
// the drawn points).
struct ChannelMeasurement {
  int channel = 0;  // 0 to 3
  double min = 0.0;
  double max = 0.0;
  double peakToPeak = 0.0;
  double mean = 0.0;
  double rms = 0.0;
  std::optional<double> frequency;  // Hz; none below two rising crossings of the mid level
};

// Counts of one channel over a window: extremes, the exact sums of the counts and their squares
// (from which mean and RMS in volts follow), and the extremes of each block of kStatsBlock counts
// (the last block may be shorter), by which the crossing search passes over whole blocks.
inline constexpr std::size_t kStatsBlock = 4096;
struct CountRange {
  std::int16_t min = 0;
  std::int16_t max = 0;
};
struct CountStats {
  std::int16_t min = 0;
  std::int16_t max = 0;
  std::int64_t sum = 0;
  std::int64_t sumOfSquares = 0;
  std::int64_t n = 0;
  std::vector<CountRange> blocks;
};
CountStats StatsOfCounts(std::span<const std::int16_t> counts);

// How many times, and at which indices first and last, the counts rise through the level halfway
// between their extremes. A hysteresis of a tenth of the peak-to-peak makes noise on a slow edge
// count once: a crossing is the first sample at or above mid + h after the signal was at or below
// mid - h. `stats` are those of the same counts.
struct Crossings {
  std::int64_t count = 0;
  std::int64_t first = 0;
  std::int64_t last = 0;
};
Crossings RisingCrossings(std::span<const std::int16_t> counts, const CountStats& stats);

// One channel's figures over samples start..end of its source, at its Vdiv and Offset; the
// frequency uses the record's sample interval. None for an empty window or one that reaches
// beyond the record's points.
std::optional<ChannelMeasurement> MeasureChannel(const WaveRecord& record, int ch,
                                                 std::int32_t start, std::int32_t end);

// The channels the renderer shows: within the channel count and displayed, in order.
std::vector<int> ShownChannels(const WaveHeader& header);

// The figures of every channel the renderer shows (within the channel count, displayed), over
// the window start..end.
std::vector<ChannelMeasurement> MeasureShownChannels(const WaveRecord& record, std::int32_t start,
                                                     std::int32_t end);

}  // namespace sondrix
