#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>
#include <system_error>
#include <thread>

#include "csv/csv_reader.h"
#include "model/scale.h"

namespace sondrix {
namespace {

// Saturated first, so that the rounded value always fits: a value between 32767 and 32767.5
// ends up at 32767 either way. Adding and taking away 1.5 x 2^52 rounds to the nearest integer,
// halves to the even neighbour, in the default rounding mode (which the program never changes),
// exactly as nearbyint does for values this small, at a fraction of the library call's cost.
std::int16_t saturatedCount(double counts) {
  constexpr double lo = std::numeric_limits<std::int16_t>::min();
  constexpr double hi = std::numeric_limits<std::int16_t>::max();
  constexpr double kRoundingShift = 6755399441055744.0;  // 1.5 x 2^52
  const double saturated = std::isnan(counts) ? 0.0 : std::min(std::max(counts, lo), hi);
  return static_cast<std::int16_t>((saturated + kRoundingShift) - kRoundingShift);
}

// Fewer values than this are converted faster than a thread is started for them.
constexpr std::size_t kSecondCoreFrom = std::size_t{1} << 16;

// Samples `from` to `to` of channel `k`'s volts into its counts.
void convertChannel(const ChannelSetup& ch, SampleBuffers& buffers, std::size_t k, std::size_t from,
                    std::size_t to) {
  std::int16_t* counts = buffers.SrcData[k].data();
  if (ch.Vdiv == 0.0f) {
    std::fill(counts + from, counts + to, std::int16_t{0});
    return;
  }
  const float* volts = buffers.VoltData[k].data();
  const auto offset = static_cast<double>(ch.Offset);
  const auto vdiv = static_cast<double>(ch.Vdiv);
  for (std::size_t i = from; i < to; ++i) {
    counts[i] = saturatedCount((volts[i] + offset) / vdiv * kCountsPerDivision);
  }
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
  // Each value costs a division: a long record's are shared with a second core, by halves.
  const auto convert = [&](std::size_t from, std::size_t to) {
    for (std::size_t k = 0; k < kChannelCount; ++k) {
      if (header.Channel[k].DispOn == 1) convertChannel(header.Channel[k], buffers, k, from, to);
    }
  };
  const std::size_t half =
      n >= kSecondCoreFrom && std::thread::hardware_concurrency() > 1 ? n / 2 : 0;
  std::jthread helper;
  if (half > 0) {
    try {
      helper = std::jthread(convert, half, n);
    } catch (const std::system_error&) {
      convert(half, n);  // no second thread to be had
    }
  }
  convert(0, half > 0 ? half : n);
  return true;
}

}  // namespace sondrix
