#pragma once

#include <cstdint>
#include <vector>

namespace sondrix {

// The reader's sample matrix, indexed (sample, channel) with the sample index varying fastest.
// Its channel dimension is the channel count of the model line, but only the first four channels
// are ever read from a file, so only those columns are stored.
struct WaveBuf {
  std::int32_t points = 0;
  std::int32_t channels = 0;          // the matrix's channel dimension
  std::int32_t storedChannels = 0;    // min(channels, 4)
  std::vector<std::int16_t> samples;  // storedChannels columns of `points` samples

  std::int16_t* column(std::int32_t ch) {
    return samples.data() + static_cast<std::size_t>(ch) * static_cast<std::size_t>(points);
  }
  const std::int16_t* column(std::int32_t ch) const {
    return samples.data() + static_cast<std::size_t>(ch) * static_cast<std::size_t>(points);
  }
};

}  // namespace sondrix
