#include "wfm/placed_samples.h"

#include <cmath>
#include <string>

#include "model/scale.h"

namespace sondrix {
namespace {

int loadedChannels(const WaveRecord& record) {
  return HasUpperChannels(record) ? kChannelCount : 2;
}

}  // namespace

bool HoldsLoadedChannels(const WaveRecord& record) {
  return record.waveBuf.storedChannels >= loadedChannels(record);
}

ReadResult AcceptPlacedSamples(WaveRecord& record) {
  const WaveBuf& read = record.waveBuf;
  const std::int32_t points = read.points;
  if (points < 1 || points > kSampleCapacity)
    return {ReadStatus::ReadError, "no samples were read"};
  const double delta = record.header.TimeDiv * kDivisionsX / points;
  if (!std::isfinite(delta)) {
    return {ReadStatus::ReadError, "the sample interval is not finite"};
  }
  if (!HoldsLoadedChannels(record)) {
    return {ReadStatus::ReadError, "the file holds " + std::to_string(read.storedChannels) +
                                       " channel(s), but channels 1 to " +
                                       std::to_string(loadedChannels(record)) +
                                       " are loaded together"};
  }
  record.header.Points = points;
  record.header.Delta = delta;
  return {};
}

}  // namespace sondrix
