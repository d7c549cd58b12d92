#include "view/plot_trace.h"

#include <algorithm>
#include <cstddef>

namespace sondrix {
namespace {

struct Extremes {
  std::int32_t maxIndex;
  std::int16_t max;
  std::int32_t minIndex;
  std::int16_t min;
};

// Whether any of n samples equals a or b; a branch-free loop the compiler vectorises.
bool holdsEither(const std::int16_t* p, std::int32_t n, std::int16_t a, std::int16_t b) {
  int hit = 0;
  for (std::int32_t k = 0; k < n; ++k)
    hit |= static_cast<int>(p[k] == a) | static_cast<int>(p[k] == b);
  return hit != 0;
}

// The first index of the largest and of the smallest sample of a group. The values come from a
// vectorised pass; the indices from a second one that looks into a chunk only when the chunk
// holds an extreme, and stops as soon as both are found.
Extremes groupExtremes(const std::int16_t* group, std::int32_t first, std::int32_t count) {
  std::int16_t hi = group[0];
  std::int16_t lo = group[0];
  for (std::int32_t j = 1; j < count; ++j) {
    hi = std::max(hi, group[j]);
    lo = std::min(lo, group[j]);
  }
  constexpr std::int32_t chunk = 64;
  std::int32_t maxAt = -1;
  std::int32_t minAt = -1;
  for (std::int32_t c = 0; maxAt < 0 || minAt < 0; c += chunk) {
    const std::int32_t n = std::min(chunk, count - c);
    const std::int16_t* p = group + c;
    if (!holdsEither(p, n, maxAt < 0 ? hi : lo, minAt < 0 ? lo : hi)) continue;
    for (std::int32_t j = 0; j < n; ++j) {
      if (maxAt < 0 && p[j] == hi) maxAt = c + j;
      if (minAt < 0 && p[j] == lo) minAt = c + j;
    }
  }
  return {first + maxAt, hi, first + minAt, lo};
}

}  // namespace

void PlotTrace(std::span<const std::int16_t> samples, std::int32_t start, std::int32_t end,
               TraceStyle style, std::vector<TracePoint>& points) {
  const auto size = static_cast<std::int64_t>(samples.size());
  if (start < 0 || start >= size || end < -1 || end >= size) return;  // not the caller's window
  const auto at = [&](std::int32_t i) {
    return TracePoint{i, samples[static_cast<std::size_t>(i)]};
  };
  const std::int32_t step = (end - start) / kPlotColumns;
  const bool dots = style == TraceStyle::Dots;

  if (step <= kLargestUndecimatedStep) {
    // A joined line starts at `start` even when the window is empty.
    if (!dots) points.push_back(at(start));
    for (std::int32_t i = dots ? start : start + 1; i < end; ++i) points.push_back(at(i));
    return;
  }

  points.reserve(points.size() + 2 * static_cast<std::size_t>((end - start) / step) + 1);
  points.push_back(at(start));
  const std::int16_t* data = samples.data();
  for (std::int32_t g = start + 1; g <= end - step - 1; g += step) {
    const Extremes e = groupExtremes(data + g, g, step);
    const TracePoint maxPoint{e.maxIndex, e.max};
    const TracePoint minPoint{e.minIndex, e.min};
    if (!dots && e.minIndex < e.maxIndex) {
      points.push_back(minPoint);
      points.push_back(maxPoint);
    } else {
      points.push_back(maxPoint);
      points.push_back(minPoint);
    }
  }
}

}  // namespace sondrix
