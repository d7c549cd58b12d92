#include "view/smooth_samples.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <limits>

#include "numtext/rounding.h"

namespace sondrix {
namespace {

// Round half to even for |x| < 2^51 without a library call: adding 1.5 * 2^52 leaves no
// fraction bits, so the hardware's default rounding (to nearest, ties to even) does the work.
static_assert(FLT_EVAL_METHOD == 0, "the rounding below needs plain double arithmetic");
double roundHalfEvenFast(double x) {
  constexpr double shifter = 6755399441055744.0;  // 1.5 * 2^52
  return (x + shifter) - shifter;
}

// out[k] = sums[k] / width rounded half to even, saturated to 16 bits. The product with the
// reciprocal is off by far less than 2^-30 for the sums met here (|sum| < 2^50). For an odd
// width no quotient lies closer than 1 / (2 width) to a half, so the product rounds exactly;
// an even width can meet an exact half, which the remainder settles in integers.
template <typename Sum>
void storeQuotients(const Sum* sums, std::int64_t n, std::int64_t width, std::int16_t* out) {
  const double inverse = 1.0 / static_cast<double>(width);
  if (width % 2 != 0) {
    // The mean of 16-bit samples over exactly `width` of them stays in the 16-bit range.
    for (std::int64_t k = 0; k < n; ++k) {
      out[k] = static_cast<std::int16_t>(
          static_cast<std::int32_t>(roundHalfEvenFast(static_cast<double>(sums[k]) * inverse)));
    }
    return;
  }
  for (std::int64_t k = 0; k < n; ++k) {
    const auto sum = static_cast<std::int64_t>(sums[k]);
    auto q = static_cast<std::int64_t>(roundHalfEvenFast(static_cast<double>(sums[k]) * inverse));
    const std::int64_t twiceRemainder = 2 * (sum - q * width);
    const bool odd = (q & 1) != 0;
    if (twiceRemainder > width || (twiceRemainder == width && odd)) {
      ++q;
    } else if (twiceRemainder < -width || (twiceRemainder == -width && odd)) {
      --q;
    }
    out[k] = static_cast<std::int16_t>(std::clamp<std::int64_t>(q, -32768, 32767));
  }
}

// Slides the sum over start..last and stores the quotients. The sums of a block of outputs come
// first, then their quotients in one pass that the compiler vectorises. `Sum` holds every sum
// exactly: 32-bit integers when the width allows (they convert fastest), doubles otherwise.
template <typename Sum>
void slide(std::span<const std::int16_t> source, std::int64_t start, std::int64_t last,
           std::int64_t half, std::int64_t width, std::int64_t sum,
           std::span<std::int16_t> target) {
  const std::int16_t* raw = source.data();
  const auto at = [&](std::int64_t k) {
    return std::int64_t{raw[std::clamp<std::int64_t>(k, 0, last)]};
  };
  constexpr std::int64_t kBlock = 1024;
  std::array<Sum, kBlock> sums{};
  for (std::int64_t blockStart = start; blockStart <= last; blockStart += kBlock) {
    const std::int64_t n = std::min(kBlock, last - blockStart + 1);
    // Only near the record's start and the window's end do indices need clamping.
    const std::int64_t blockEnd = blockStart + n;
    const std::int64_t freeFrom = std::clamp(half, blockStart, blockEnd);
    const std::int64_t freeTo = std::clamp(last - half, freeFrom, blockEnd);
    const auto stored = [&](std::int64_t i) -> Sum& {
      return sums[static_cast<std::size_t>(i - blockStart)];
    };
    const auto slideClamped = [&](std::int64_t from, std::int64_t to) {
      for (std::int64_t i = from; i < to; ++i) {
        stored(i) = static_cast<Sum>(sum);
        sum += at(i + half + 1) - at(i - half);
      }
    };
    slideClamped(blockStart, freeFrom);
    for (std::int64_t i = freeFrom; i < freeTo; ++i) {
      stored(i) = static_cast<Sum>(sum);
      sum += std::int64_t{raw[i + half + 1]} - raw[i - half];
    }
    slideClamped(freeTo, blockEnd);
    storeQuotients(sums.data(), n, width, target.data() + blockStart);
  }
}

}  // namespace

std::int32_t SmoothSamples(std::span<const std::int16_t> source, std::int32_t start,
                           std::int32_t end, std::int32_t width, std::span<std::int16_t> target) {
  const auto limit = static_cast<std::int64_t>(std::min(source.size(), target.size()));
  const auto fits = [&](std::int64_t last) { return start >= 0 && last < limit; };
  if (width <= 2) {
    if (!fits(end)) return end;
    if (start <= end) {
      std::copy(source.begin() + start, source.begin() + end + 1, target.begin() + start);
    }
    return end;
  }
  if (start > end) end = start + 1;
  if (!fits(end)) return end;

  const std::int64_t half = RoundToInt32((width - 1.0) / 2.0).value_or(0);
  const std::int64_t last = end;
  // A sliding sum: each step adds the sample entering the window and drops the one leaving it,
  // so the cost does not grow with the width. Integer sums make it equal the direct sum.
  // The first sum counts the repeated edge samples instead of visiting them, so a width far
  // beyond the record costs no more than the record.
  const std::int64_t lo = start - half;
  const std::int64_t hi = start + half;
  const auto at = [&](std::int64_t k) { return std::int64_t{source[static_cast<std::size_t>(k)]}; };
  std::int64_t sum =
      std::max<std::int64_t>(0, -lo) * at(0) + std::max<std::int64_t>(0, hi - last) * at(last);
  for (std::int64_t k = std::max<std::int64_t>(lo, 0); k <= std::min(hi, last); ++k) sum += at(k);
  if ((2 * half + 1) * 32768 <= std::numeric_limits<std::int32_t>::max()) {
    slide<std::int32_t>(source, start, last, half, width, sum, target);
  } else {
    slide<double>(source, start, last, half, width, sum, target);
  }
  return end;
}

}  // namespace sondrix
