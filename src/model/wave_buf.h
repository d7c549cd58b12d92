#pragma once

#include <cstdint>

namespace sondrix {

// What the WFM reader read of the binary part. The samples themselves go straight into the
// source arrays; only the first four of the model line's channels are ever read from a file.
struct WaveBuf {
  std::int32_t points = 0;
  std::int32_t channels = 0;        // the model line's channel count
  std::int32_t storedChannels = 0;  // min(channels, 4): the blocks read
};

}  // namespace sondrix
