#pragma once

#include <cstdint>
#include <span>

namespace sondrix {

// The moving average of source over target[start..end]: each output is the sum of the 2 half + 1
// samples around it, half = (width - 1) / 2 rounded half to even, divided by the width and
// rounded half to even, saturated to the 16-bit range. Samples before the window (down to index
// 0) take part; beyond the window's end, and below index 0, the nearest edge sample repeats.
// A width of 2 or less copies. When start > end the window is first raised to end = start + 1,
// and the raised end is returned so the view can keep it; otherwise `end` is returned.
// Both arrays must hold index max(end, start + 1); a window outside them smooths nothing.
// A long window is shared with a second thread, which has ended when the call returns.
std::int32_t SmoothSamples(std::span<const std::int16_t> source, std::int32_t start,
                           std::int32_t end, std::int32_t width, std::span<std::int16_t> target);

}  // namespace sondrix
