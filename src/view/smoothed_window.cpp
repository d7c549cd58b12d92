#include "view/smoothed_window.h"

#include <algorithm>

#include "view/smooth_samples.h"

namespace sondrix {
namespace {

void growTo(std::vector<std::int16_t>& samples, std::int64_t size) {
  if (static_cast<std::int64_t>(samples.size()) < size) {
    samples.resize(static_cast<std::size_t>(size));
  }
}

}  // namespace

std::int32_t SmoothWindow(const WaveRecord& record, int ch, std::int32_t start, std::int32_t end,
                          std::int32_t width, SmoothedWindow& smoothed) {
  const auto c = static_cast<std::size_t>(ch);
  std::vector<std::int16_t>& target = smoothed.samples[c];
  // The index after an empty window, which smoothing raises the window to, belongs to it too.
  growTo(target, std::max<std::int64_t>(end, std::int64_t{start} + 1) + 1);
  return SmoothSamples(record.buffers.SrcData[c], start, end, width, target);
}

void SmoothWholeRecord(const WaveRecord& record, int ch, std::int32_t width,
                       std::vector<std::int16_t>& out) {
  const std::int32_t points = std::max(record.header.Points, 0);
  growTo(out, std::max(points, 2));
  SmoothSamples(record.buffers.SrcData[static_cast<std::size_t>(ch)], 0, points - 1, width, out);
}

}  // namespace sondrix
