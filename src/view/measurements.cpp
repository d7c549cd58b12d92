#include "view/measurements.h"

#include <algorithm>
#include <cmath>

#include "model/scale.h"
#include "model/volts.h"

namespace sondrix {
namespace {

// A block's sum of counts fits 32 bits (2^12 x 2^15); its three simple loops, each of which the
// compiler vectorises, run over it while it is in the cache.
static_assert(kStatsBlock <= (std::size_t{1} << 16));

// Within a block the crossing search tests this many samples at once by their extreme.
constexpr std::size_t kChunk = 64;

// The first index from `from` on whose count is at or below `level` (Below) or at or above it,
// or the size. A signal changes side rarely: whole blocks are passed over by their extremes,
// without reading their samples again, and within a block whole chunks by a vectorised reduction.
template <bool Below>
std::size_t FindFrom(std::span<const std::int16_t> counts, std::span<const CountRange> blocks,
                     std::size_t from, std::int32_t level) {
  const auto hit = [level](std::int32_t c) { return Below ? c <= level : c >= level; };
  const std::size_t n = counts.size();
  std::size_t i = from;
  while (i < n) {
    const CountRange& block = blocks[i / kStatsBlock];
    const std::size_t blockEnd = std::min(n, (i / kStatsBlock + 1) * kStatsBlock);
    if (!hit(Below ? block.min : block.max)) {
      i = blockEnd;
      continue;
    }
    for (; i < blockEnd && i % kChunk != 0; ++i) {
      if (hit(counts[i])) return i;
    }
    for (; i + kChunk <= blockEnd; i += kChunk) {
      std::int16_t extreme = counts[i];
      for (std::size_t j = 1; j < kChunk; ++j) {
        extreme = Below ? std::min(extreme, counts[i + j]) : std::max(extreme, counts[i + j]);
      }
      if (hit(extreme)) break;
    }
    for (; i < blockEnd; ++i) {
      if (hit(counts[i])) return i;
    }
  }
  return n;
}

}  // namespace

CountStats StatsOfCounts(std::span<const std::int16_t> counts) {
  CountStats stats;
  if (counts.empty()) return stats;
  stats.min = stats.max = counts.front();
  stats.n = static_cast<std::int64_t>(counts.size());
  stats.blocks.reserve((counts.size() + kStatsBlock - 1) / kStatsBlock);
  for (std::size_t at = 0; at < counts.size(); at += kStatsBlock) {
    const auto block = counts.subspan(at, std::min(kStatsBlock, counts.size() - at));
    CountRange range{block.front(), block.front()};
    for (const std::int16_t c : block) {
      range.min = std::min(range.min, c);
      range.max = std::max(range.max, c);
    }
    std::int32_t sum = 0;
    for (const std::int16_t c : block) sum += c;
    // Squares two at a time: each is at most 2^30, so a pair fits an unsigned 32-bit lane, which
    // widens to 64 bits more cheaply than a signed one (a third faster).
    std::uint64_t squares = 0;
    std::size_t i = 0;
    for (; i + 1 < block.size(); i += 2) {
      squares += static_cast<std::uint32_t>(block[i] * block[i]) +
                 static_cast<std::uint32_t>(block[i + 1] * block[i + 1]);
    }
    if (i < block.size()) squares += static_cast<std::uint32_t>(block[i] * block[i]);
    stats.blocks.push_back(range);
    stats.min = std::min(stats.min, range.min);
    stats.max = std::max(stats.max, range.max);
    stats.sum += sum;
    stats.sumOfSquares += static_cast<std::int64_t>(squares);
  }
  return stats;
}

Crossings RisingCrossings(std::span<const std::int16_t> counts, const CountStats& stats) {
  Crossings crossings;
  const double min = stats.min;
  const double max = stats.max;
  const double mid = (min + max) / 2.0;
  const double hysteresis = (max - min) / 10.0;
  if (hysteresis <= 0.0) return crossings;
  // Whole counts, so that the search compares 16-bit integers.
  const auto low = static_cast<std::int32_t>(std::floor(mid - hysteresis));
  const auto high = static_cast<std::int32_t>(std::ceil(mid + hysteresis));
  std::size_t at = 0;
  while (true) {
    at = FindFrom<true>(counts, stats.blocks, at, low);
    at = FindFrom<false>(counts, stats.blocks, at, high);
    if (at == counts.size()) return crossings;
    const auto index = static_cast<std::int64_t>(at);
    if (crossings.count == 0) crossings.first = index;
    crossings.last = index;
    ++crossings.count;
  }
}

std::optional<ChannelMeasurement> MeasureChannel(const WaveRecord& record, int ch,
                                                 std::int32_t start, std::int32_t end) {
  if (ch < 0 || ch >= kChannelCount || start < 0 || end < start) return std::nullopt;
  // Samples from Points on are an earlier, longer record's.
  const auto& source = record.buffers.SrcData[static_cast<std::size_t>(ch)];
  if (end >= record.header.Points || static_cast<std::size_t>(end) >= source.size()) {
    return std::nullopt;
  }
  const std::span<const std::int16_t> window(source.data() + start,
                                             static_cast<std::size_t>(end - start) + 1);
  const CountStats stats = StatsOfCounts(window);
  const ChannelSetup& setup = record.header.Channel[static_cast<std::size_t>(ch)];

  ChannelMeasurement m;
  m.channel = ch;
  const double a = CountsToVolts(stats.min, setup.Vdiv, setup.Offset);
  const double b = CountsToVolts(stats.max, setup.Vdiv, setup.Offset);
  // A negative Vdiv turns the extremes round.
  m.min = std::min(a, b);
  m.max = std::max(a, b);
  m.peakToPeak = m.max - m.min;
  const double n = static_cast<double>(stats.n);
  const double meanCounts = static_cast<double>(stats.sum) / n;
  m.mean = CountsToVolts(meanCounts, setup.Vdiv, setup.Offset);
  // The mean square of k c - offset, from the exact sums of c and c squared.
  const double k = CountsToVolts(1.0, setup.Vdiv, 0.0f);
  const double offset = setup.Offset;
  const double meanSquare = k * k * (static_cast<double>(stats.sumOfSquares) / n) -
                            2.0 * k * offset * meanCounts + offset * offset;
  m.rms = std::sqrt(std::max(meanSquare, 0.0));

  const Crossings rising = RisingCrossings(window, stats);
  const double delta = record.header.Delta;
  if (rising.count >= 2 && delta > 0.0 && std::isfinite(delta)) {
    const auto span = static_cast<double>(rising.last - rising.first);
    m.frequency = static_cast<double>(rising.count - 1) / (span * delta);
  }
  return m;
}

std::vector<int> ShownChannels(const WaveHeader& header) {
  std::vector<int> shown;
  const int channels = std::clamp<int>(header.ChCount, 0, kChannelCount);
  for (int ch = 0; ch < channels; ++ch) {
    if (header.Channel[static_cast<std::size_t>(ch)].DispOn != 0) shown.push_back(ch);
  }
  return shown;
}

std::vector<ChannelMeasurement> MeasureShownChannels(const WaveRecord& record, std::int32_t start,
                                                     std::int32_t end) {
  std::vector<ChannelMeasurement> shown;
  for (const int ch : ShownChannels(record.header)) {
    if (auto m = MeasureChannel(record, ch, start, end)) shown.push_back(*m);
  }
  return shown;
}

}  // namespace sondrix
