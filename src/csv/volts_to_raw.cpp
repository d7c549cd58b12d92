#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>

#include "csv/csv_reader.h"
#include "model/scale.h"

namespace sondrix {
namespace {

// Saturated first, so that the rounded value always fits: a value between 32767 and 32767.5
// ends up at 32767 either way. nearbyint rounds halves to the even neighbour in the default
// rounding mode, which the program never changes, and is several times faster than the general
// rounding for the 20 million values of a long record.
std::int16_t saturatedCount(double counts) {
  if (std::isnan(counts)) return 0;
  constexpr double lo = std::numeric_limits<std::int16_t>::min();
  constexpr double hi = std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(std::nearbyint(std::clamp(counts, lo, hi)));
}

}  // namespace

bool VoltsToRaw(const WaveHeader& header, SampleBuffers& buffers) {
  const std::int32_t points = header.Points;
  if (points < 0 || points > kSampleCapacity) return false;
  const auto n = static_cast<std::size_t>(points);
  for (std::size_t k = 0; k < kChannelCount; ++k) {
    if (header.Channel[k].DispOn == 1 && buffers.VoltData[k].size() < n) return false;
  }
  try {
    GrowSource(buffers, SourceSizeForDrawing(points));
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::size_t k = 0; k < kChannelCount; ++k) {
    const ChannelSetup& ch = header.Channel[k];
    if (ch.DispOn != 1) continue;
    const float* volts = buffers.VoltData[k].data();
    std::int16_t* counts = buffers.SrcData[k].data();
    if (ch.Vdiv == 0.0f) {
      std::fill_n(counts, n, std::int16_t{0});
      continue;
    }
    const auto offset = static_cast<double>(ch.Offset);
    const auto vdiv = static_cast<double>(ch.Vdiv);
    for (std::size_t i = 0; i < n; ++i) {
      counts[i] = saturatedCount((volts[i] + offset) / vdiv * kCountsPerDivision);
    }
  }
  return true;
}

}  // namespace sondrix
