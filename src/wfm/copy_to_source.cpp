#include "wfm/copy_to_source.h"

#include "model/scale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace sondrix {
namespace {

void copyChannel(const WaveBuf& waveBuf, int ch, bool invert, std::vector<std::int16_t>& dest) {
  const auto n = static_cast<std::size_t>(waveBuf.points);
  const std::int16_t* src = waveBuf.column(ch);
  if (!invert) {
    std::copy_n(src, n, dest.begin());
    return;
  }
  constexpr std::int16_t lowest = std::numeric_limits<std::int16_t>::min();
  // The 16-bit negation of the lowest count is that count itself.
  std::transform(src, src + n, dest.begin(), [](std::int16_t s) {
    return s == lowest ? lowest : static_cast<std::int16_t>(-s);
  });
}

}  // namespace

ReadResult CopyWaveToSource(WaveRecord& record) {
  const WaveBuf& waveBuf = record.waveBuf;
  const std::int32_t points = waveBuf.points;
  if (points < 1 || points > kSampleCapacity ||
      waveBuf.samples.size() <
          static_cast<std::size_t>(points) * static_cast<std::size_t>(waveBuf.storedChannels)) {
    return {ReadStatus::ReadError, "no samples were read"};
  }
  const double delta = record.header.TimeDiv * kDivisionsX / points;
  if (!std::isfinite(delta)) {
    return {ReadStatus::ReadError, "the sample interval is not finite"};
  }
  const int channels = HasUpperChannels(record) ? kChannelCount : 2;
  if (waveBuf.storedChannels < channels) {
    return {ReadStatus::ReadError, "the file holds " + std::to_string(waveBuf.storedChannels) +
                                       " channel(s), but channels 1 to " +
                                       std::to_string(channels) + " are loaded together"};
  }
  GrowSource(record.buffers, SourceSizeForDrawing(points));
  for (int ch = 0; ch < channels; ++ch) {
    const bool invert = record.header.Channel[static_cast<std::size_t>(ch)].Chrev == "ON";
    copyChannel(waveBuf, ch, invert, record.buffers.SrcData[static_cast<std::size_t>(ch)]);
  }
  record.header.Points = points;
  record.header.Delta = delta;
  return {};
}

}  // namespace sondrix
