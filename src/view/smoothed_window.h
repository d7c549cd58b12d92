#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/wave_header.h"
#include "model/wave_record.h"

namespace sondrix {

// The smoothed samples of the window last drawn, one array per channel at the record's sample
// indices; only the window's indices are meaningful. The draw's smoothing step fills it; the
// arrays grow to the longest window seen and never shrink.
struct SmoothedWindow {
  std::array<std::vector<std::int16_t>, kChannelCount> samples;
};

// The smoothing step of a draw: channel `ch`'s source over start..end (an empty window raised to
// end = start + 1, as SmoothSamples does) into its array of `smoothed`. Returns the window's end.
std::int32_t SmoothWindow(const WaveRecord& record, int ch, std::int32_t start, std::int32_t end,
                          std::int32_t width, SmoothedWindow& smoothed);

// What a store writes for a smoothed display: channel `ch`'s whole record, samples 0 to
// Points - 1, smoothed with `width` by the same rules, into `out` (grown as needed).
void SmoothWholeRecord(const WaveRecord& record, int ch, std::int32_t width,
                       std::vector<std::int16_t>& out);

}  // namespace sondrix
