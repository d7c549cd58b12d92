#include "model/sample_buffers.h"

#include <algorithm>

namespace sondrix {
namespace {

template <typename Array>
bool growAll(std::array<Array, kChannelCount>& arrays, std::int64_t size) {
  if (size < 0 || size > kSampleCapacity) return false;
  const auto n = static_cast<std::size_t>(size);
  for (auto& array : arrays) {
    if (array.size() < n) {
      array.resize(n);
      array.back() = 0;  // the drawing's sample past the record; the load writes the others
    }
  }
  return true;
}

}  // namespace

std::int64_t SourceSizeForDrawing(std::int64_t points) {
  return std::min<std::int64_t>(std::max<std::int64_t>(points, 1) + 1, kSampleCapacity);
}

bool GrowSource(SampleBuffers& buffers, std::int64_t size) {
  return growAll(buffers.SrcData, size);
}
bool GrowVolts(SampleBuffers& buffers, std::int64_t size) {
  return growAll(buffers.VoltData, size);
}
bool GrowVolts(VoltArrays& volts, std::int64_t size) { return growAll(volts, size); }

}  // namespace sondrix
