#include "model/sample_buffers.h"

#include <algorithm>

namespace sondrix {
namespace {

template <typename Array>
bool growAll(std::array<Array, kChannelCount>& arrays, std::int64_t size) {
  if (size < 0 || size > kSampleCapacity) return false;
  const auto n = static_cast<std::size_t>(size);
  for (auto& array : arrays) {
    if (array.size() < n) array.resize(n);
  }
  return true;
}

}  // namespace

std::int64_t SourceSizeForDrawing(std::int64_t points) {
  return std::min<std::int64_t>(std::max<std::int64_t>(points, 1) + 1, kSampleCapacity);
}

bool GrowSource(SampleBuffers& buffers, std::int64_t size) {
  std::array<std::size_t, kChannelCount> before{};
  for (std::size_t c = 0; c < kChannelCount; ++c) before[c] = buffers.SrcData[c].size();
  if (!growAll(buffers.SrcData, size)) return false;
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    SampleArray& counts = buffers.SrcData[c];
    if (counts.size() > before[c]) counts.back() = 0;
  }
  return true;
}
bool GrowVolts(SampleBuffers& buffers, std::int64_t size) {
  return growAll(buffers.VoltData, size);
}
bool GrowVolts(VoltArrays& volts, std::int64_t size) { return growAll(volts, size); }

}  // namespace sondrix
