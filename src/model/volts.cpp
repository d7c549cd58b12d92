#include "model/volts.h"

#include <cstddef>
#include <limits>

namespace sondrix {
namespace {

// counts x perCount - offset in double. For whole counts this is CountsToVolts to the bit: a
// 16-bit count times a float's 24-bit significand is exact in double, and the divisions by powers
// of two only scale it, so one product with their combined factor rounds nowhere the two divisions
// do not. One multiplication instead of three is what lets the loop run at memory speed.
[[gnu::always_inline]] inline void scaleRow(const std::int16_t* counts, float* volts, std::size_t n,
                                            double perCount, double offset) {
  for (std::size_t i = 0; i < n; ++i) {
    volts[i] = static_cast<float>(static_cast<double>(counts[i]) * perCount - offset);
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
[[gnu::target("avx512f")]] void scaleRowSixteen(const std::int16_t* counts, float* volts,
                                                std::size_t n, double perCount, double offset) {
  scaleRow(counts, volts, n, perCount, offset);
}

[[gnu::target("avx2")]] void scaleRowEight(const std::int16_t* counts, float* volts, std::size_t n,
                                           double perCount, double offset) {
  scaleRow(counts, volts, n, perCount, offset);
}
#endif

}  // namespace

bool CountsToFloatVolts(std::span<const std::int16_t> counts, float* volts, float vdiv,
                        float offset, [[maybe_unused]] Lanes lanes) {
  const auto toVolts = [vdiv, offset](std::int16_t count) {
    return CountsToVolts(count, vdiv, offset);
  };
  // Volts grow or fall with the count (an exact product, then one rounded subtraction), so when
  // the extreme counts fit, every count does, and the loop needs no check.
  if (FitsFloat(toVolts(std::numeric_limits<std::int16_t>::min())) &&
      FitsFloat(toVolts(std::numeric_limits<std::int16_t>::max()))) {
    const double perCount = static_cast<double>(vdiv) / kCountsPerDivision;
    const auto off = static_cast<double>(offset);
#if defined(__x86_64__) && defined(__GNUC__)
    if (lanes == Lanes::Widest && HaveAvx512()) {
      scaleRowSixteen(counts.data(), volts, counts.size(), perCount, off);
      return true;
    }
    if (lanes != Lanes::Four && HaveAvx2()) {
      scaleRowEight(counts.data(), volts, counts.size(), perCount, off);
      return true;
    }
#endif
    scaleRow(counts.data(), volts, counts.size(), perCount, off);
    return true;
  }
  bool fits = true;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    const double v = toVolts(counts[i]);
    const bool fit = FitsFloat(v);
    fits = fits && fit;
    volts[i] = fit ? static_cast<float>(v) : 0.0f;
  }
  return fits;
}

}  // namespace sondrix
