#include "view/measurements.h"

#include <algorithm>
#include <cmath>

#include "model/scale.h"

namespace sondrix {
namespace {

double toVolts(double counts, const ChannelSetup& setup) {
  return counts * static_cast<double>(setup.Vdiv) / kCountsPerDivision -
         static_cast<double>(setup.Offset);
}

// Blocks short enough that a block's sum of counts fits 32 bits and its sum of squares is exact
// in a double, which keeps the inner loop simple enough to vectorise.
constexpr std::size_t kStatsBlock = 1 << 15;

}  // namespace

CountStats StatsOfCounts(std::span<const std::int16_t> counts) {
  CountStats stats;
  if (counts.empty()) return stats;
  stats.min = stats.max = counts.front();
  stats.n = static_cast<std::int64_t>(counts.size());
  for (std::size_t at = 0; at < counts.size(); at += kStatsBlock) {
    const auto block = counts.subspan(at, std::min(kStatsBlock, counts.size() - at));
    std::int16_t lo = block.front();
    std::int16_t hi = block.front();
    std::int32_t sum = 0;
    double squares = 0.0;
    for (const std::int16_t c : block) {
      lo = std::min(lo, c);
      hi = std::max(hi, c);
      sum += c;
      squares += static_cast<double>(std::int32_t{c} * std::int32_t{c});
    }
    stats.min = std::min(stats.min, lo);
    stats.max = std::max(stats.max, hi);
    stats.sum += sum;
    stats.sumOfSquares += static_cast<std::int64_t>(squares);
  }
  return stats;
}

std::vector<std::int64_t> RisingCrossings(std::span<const std::int16_t> counts, std::int16_t min,
                                          std::int16_t max) {
  std::vector<std::int64_t> crossings;
  const double mid = (double{min} + double{max}) / 2.0;
  const double hysteresis = (double{max} - double{min}) / 10.0;
  if (hysteresis <= 0.0) return crossings;
  const double low = mid - hysteresis;
  const double high = mid + hysteresis;
  auto at = counts.begin();
  while (true) {
    at = std::find_if(at, counts.end(), [low](std::int16_t c) { return c <= low; });
    at = std::find_if(at, counts.end(), [high](std::int16_t c) { return c >= high; });
    if (at == counts.end()) return crossings;
    crossings.push_back(at - counts.begin());
  }
}

std::optional<ChannelMeasurement> MeasureChannel(const WaveRecord& record, int ch,
                                                 std::int32_t start, std::int32_t end) {
  if (ch < 0 || ch >= kChannelCount || start < 0 || end < start) return std::nullopt;
  const auto& source = record.buffers.SrcData[static_cast<std::size_t>(ch)];
  if (static_cast<std::size_t>(end) >= source.size()) return std::nullopt;
  const std::span<const std::int16_t> window(source.data() + start,
                                             static_cast<std::size_t>(end - start) + 1);
  const CountStats stats = StatsOfCounts(window);
  const ChannelSetup& setup = record.header.Channel[static_cast<std::size_t>(ch)];

  ChannelMeasurement m;
  m.channel = ch;
  const double a = toVolts(stats.min, setup);
  const double b = toVolts(stats.max, setup);
  m.min = std::min(a, b);
  m.max = std::max(a, b);
  m.peakToPeak = m.max - m.min;
  const double n = static_cast<double>(stats.n);
  const double meanCounts = static_cast<double>(stats.sum) / n;
  m.mean = toVolts(meanCounts, setup);
  // The mean square of k c - offset, from the exact sums of c and c squared.
  const double k = static_cast<double>(setup.Vdiv) / kCountsPerDivision;
  const double offset = static_cast<double>(setup.Offset);
  const double meanSquare = k * k * (static_cast<double>(stats.sumOfSquares) / n) -
                            2.0 * k * offset * meanCounts + offset * offset;
  m.rms = std::sqrt(std::max(meanSquare, 0.0));

  const std::vector<std::int64_t> rising = RisingCrossings(window, stats.min, stats.max);
  const double delta = record.header.Delta;
  if (rising.size() >= 2 && delta > 0.0 && std::isfinite(delta)) {
    const auto span = static_cast<double>(rising.back() - rising.front());
    m.frequency = static_cast<double>(rising.size() - 1) / (span * delta);
  }
  return m;
}

std::vector<ChannelMeasurement> MeasureShownChannels(const WaveRecord& record, std::int32_t start,
                                                     std::int32_t end) {
  std::vector<ChannelMeasurement> shown;
  const int channels = std::clamp<int>(record.header.ChCount, 0, kChannelCount);
  for (int ch = 0; ch < channels; ++ch) {
    if (record.header.Channel[static_cast<std::size_t>(ch)].DispOn == 0) continue;
    if (auto m = MeasureChannel(record, ch, start, end)) shown.push_back(*m);
  }
  return shown;
}

}  // namespace sondrix
