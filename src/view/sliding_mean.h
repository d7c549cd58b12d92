#pragma once

#include <cstdint>

#include "model/lanes.h"

namespace sondrix {

// The window that SmoothSamples averages: outputs at indices up to `last`, each the sum of the
// 2 half + 1 source samples around it (indices clamped to 0..last) divided by `width`, rounded
// half to even and saturated to 16 bits. `source` and `target` hold index `last`.
struct MeanWindow {
  const std::int16_t* source = nullptr;
  std::int16_t* target = nullptr;
  std::int64_t last = 0;
  std::int64_t half = 0;
  std::int64_t width = 0;
};

// Writes the outputs from..to-1 of the window (0 <= from <= to <= last + 1). Each stretch starts
// from its own first sum, so stretches of one window can be computed on different threads.
void SlideMeans(const MeanWindow& window, std::int64_t from, std::int64_t to,
                Lanes lanes = Lanes::Widest);

}  // namespace sondrix
