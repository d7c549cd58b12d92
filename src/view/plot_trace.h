#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "view/scene.h"

namespace sondrix {

// A window of 6 x 800 samples or more is reduced to the extremes of each group of
// span / 800 samples: about 1600 points whatever the record's length.
inline constexpr std::int32_t kPlotColumns = 800;
inline constexpr std::int32_t kLargestUndecimatedStep = 5;

// The points that plot samples[start..end] (a window outside the samples plots nothing). Below the
// decimation threshold every sample from start to end - 1; above it (start, v(start)) and then,
// for each whole group g .. g + step - 1 from start + 1 on, its extremes: for a joined line in
// time order, for dots the maximum first. Equal extremes take the earliest index; a flat group
// gives its one value twice at g. The samples after the last whole group, and the sample at
// `end`, are not plotted.
void PlotTrace(std::span<const std::int16_t> samples, std::int32_t start, std::int32_t end,
               TraceStyle style, std::vector<TracePoint>& points);

}  // namespace sondrix
