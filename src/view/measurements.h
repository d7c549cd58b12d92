#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/wave_record.h"

namespace sondrix {

// The usual figures of one channel over a window, in volts, from every sample (not the drawn
// points).
struct ChannelMeasurement {
  int channel = 0;  // 0 to 3
  double min = 0.0;
  double max = 0.0;
  double peakToPeak = 0.0;
  double mean = 0.0;
  double rms = 0.0;
  std::optional<double> frequency;  // Hz; none below two rising crossings of the mid level
};

// Counts of one channel over a window: extremes, and the exact sums of the counts and their
// squares, from which mean and RMS in volts follow.
struct CountStats {
  std::int16_t min = 0;
  std::int16_t max = 0;
  std::int64_t sum = 0;
  std::int64_t sumOfSquares = 0;
  std::int64_t n = 0;
};
CountStats StatsOfCounts(std::span<const std::int16_t> counts);

// Rising crossings of the level halfway between the extremes, with a hysteresis of a tenth of
// the peak-to-peak so that noise on a slow edge counts once: a crossing is counted when the
// signal, having been at or below mid - h, reaches mid + h. Returns the indices of the crossings.
std::vector<std::int64_t> RisingCrossings(std::span<const std::int16_t> counts, std::int16_t min,
                                          std::int16_t max);

// One channel's figures over samples start..end of its source, at its Vdiv and Offset; the
// frequency uses the record's sample interval. None for an empty or out-of-range window.
std::optional<ChannelMeasurement> MeasureChannel(const WaveRecord& record, int ch,
                                                 std::int32_t start, std::int32_t end);

// The figures of every channel the renderer shows (within the channel count, displayed), over
// the window start..end.
std::vector<ChannelMeasurement> MeasureShownChannels(const WaveRecord& record, std::int32_t start,
                                                     std::int32_t end);

}  // namespace sondrix
