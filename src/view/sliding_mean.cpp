#include "view/sliding_mean.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cstddef>
#include <cstring>
#include <limits>
#include <utility>

namespace sondrix {
namespace {

// Round half to even for |x| < 2^51 without a library call: adding 1.5 * 2^52 leaves no
// fraction bits, so the hardware's default rounding (to nearest, ties to even) does the work.
static_assert(FLT_EVAL_METHOD == 0, "the rounding below needs plain double arithmetic");
constexpr double kShifter = 6755399441055744.0;  // 1.5 * 2^52
double roundHalfEvenFast(double x) { return (x + kShifter) - kShifter; }

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

// The sum around output i, counting the repeated edge samples instead of visiting them, so a
// width far beyond the record costs no more than the record.
std::int64_t firstSum(const MeanWindow& w, std::int64_t i) {
  const std::int64_t lo = i - w.half;
  const std::int64_t hi = i + w.half;
  std::int64_t sum = std::max<std::int64_t>(0, -lo) * w.source[0] +
                     std::max<std::int64_t>(0, hi - w.last) * w.source[w.last];
  for (std::int64_t k = std::max<std::int64_t>(lo, 0); k <= std::min(hi, w.last); ++k) {
    sum += w.source[k];
  }
  return sum;
}

// Slides the sum over from..to-1 and stores the quotients; returns the sum at `to`. The sums of
// a block of outputs come first, then their quotients in one pass that the compiler vectorises.
// `Sum` holds every sum exactly: 32-bit integers when the width allows, doubles otherwise.
template <typename Sum>
std::int64_t slide(const MeanWindow& w, std::int64_t from, std::int64_t to, std::int64_t sum) {
  const std::int16_t* raw = w.source;
  const auto at = [&](std::int64_t k) {
    return std::int64_t{raw[std::clamp<std::int64_t>(k, 0, w.last)]};
  };
  constexpr std::int64_t kBlock = 1024;
  std::array<Sum, kBlock> sums{};
  for (std::int64_t blockStart = from; blockStart < to; blockStart += kBlock) {
    const std::int64_t n = std::min(kBlock, to - blockStart);
    // Only near the record's start and the window's end do indices need clamping.
    const std::int64_t blockEnd = blockStart + n;
    const std::int64_t freeFrom = std::clamp(w.half, blockStart, blockEnd);
    const std::int64_t freeTo = std::clamp(w.last - w.half, freeFrom, blockEnd);
    const auto stored = [&](std::int64_t i) -> Sum& {
      return sums[static_cast<std::size_t>(i - blockStart)];
    };
    const auto slideClamped = [&](std::int64_t first, std::int64_t end) {
      for (std::int64_t i = first; i < end; ++i) {
        stored(i) = static_cast<Sum>(sum);
        sum += at(i + w.half + 1) - at(i - w.half);
      }
    };
    slideClamped(blockStart, freeFrom);
    for (std::int64_t i = freeFrom; i < freeTo; ++i) {
      stored(i) = static_cast<Sum>(sum);
      sum += std::int64_t{raw[i + w.half + 1]} - raw[i - w.half];
    }
    slideClamped(freeTo, blockEnd);
    storeQuotients(sums.data(), n, w.width, w.target + blockStart);
  }
  return sum;
}

// Away from the edges, 2 L outputs at a time in vectors of L 32-bit lanes: the even-numbered
// samples in one vector, the odd-numbered in another, so that widening 16-bit samples takes
// shifts only. The sums are a running total that may wrap: each window sum itself fits 32 bits,
// so the total taken modulo 2^32 still gives it exactly. Lanes that wrap are unsigned.
static_assert(std::endian::native == std::endian::little, "a lane holds its even sample low");

template <int L>
struct LaneTypes {
  using I32 [[gnu::vector_size(4 * L)]] = std::int32_t;
  using U32 [[gnu::vector_size(4 * L)]] = std::uint32_t;
  using F32 [[gnu::vector_size(4 * L)]] = float;
};

// Adding 1.5 * 2^23 to a float below 2^22 in magnitude rounds it to an integer, which the low
// bits of the sum then hold.
constexpr float kFloatShifter = 12582912.0f;

// The means of L window sums. With the sum raised by half the width, the mean rounded half up is
// the floor of the quotient. A float estimate of the quotient is within 2^-7 of it (sums below
// 2^31, quotients below 2^16), so rounded it is the floor or one more, which the sign of the
// remainder tells apart. A remainder of 0 is an exact half, and an even width then rounds an odd
// mean down to the even one. Vectors pass by reference: by value their layout would depend on
// the instruction set.
template <int L, bool kEven>
[[gnu::always_inline]] inline void means(typename LaneTypes<L>::I32& sums, float inverse,
                                         std::int32_t width) {
  using I32 = typename LaneTypes<L>::I32;
  using U32 = typename LaneTypes<L>::U32;
  using F32 = typename LaneTypes<L>::F32;
  // No lane overflows: |sum| <= 32768 (2 half + 1) and width <= 2 half + 2 <= 65536.
  const I32 raised = sums + width / 2;
  const F32 rounded = __builtin_convertvector(raised, F32) * inverse + kFloatShifter;
  I32 mean = __builtin_bit_cast(I32, rounded) - __builtin_bit_cast(std::int32_t, kFloatShifter);
  // The product may pass 2^31 by a little; the remainder itself is below the width.
  const I32 remainder = __builtin_bit_cast(
      I32, __builtin_bit_cast(U32, raised) -
               __builtin_bit_cast(U32, mean) * static_cast<std::uint32_t>(width));
  mean += remainder >> 31;
  if constexpr (kEven) {
    mean -= (remainder == 0) & (mean & 1);
    mean = mean < -32768 ? -32768 : mean;
    mean = mean > 32767 ? 32767 : mean;
  }
  sums = mean;
}

// run[k] += run[k - shift], the lanes below `shift` adding nothing.
template <int shift, typename U32, std::size_t... k>
[[gnu::always_inline]] inline void addShifted(U32& run, std::index_sequence<k...>) {
  constexpr int n = sizeof...(k);
  run += __builtin_shufflevector(run, U32{}, (k < shift ? n : static_cast<int>(k) - shift)...);
}

// The processor's own prefetching falls behind on a record that is not in the cache: asking for
// the entering samples and the output lines this far ahead takes some 45 % off the smoothing
// (11 to 6 ms for 4 x 5 million samples on the build machine).
constexpr std::int64_t kAhead = 2048;  // samples, 4 KB

// Outputs from..to-1, all at least `half` from both edges (to + half <= last), starting from the
// sum at `from`; returns the sum at the first output not written.
template <int L, bool kEven>
[[gnu::always_inline]] inline std::int64_t slideLanes(const MeanWindow& w, std::int64_t from,
                                                      std::int64_t to, std::int64_t sum) {
  using I32 = typename LaneTypes<L>::I32;
  using U32 = typename LaneTypes<L>::U32;
  const float inverse = 1.0f / static_cast<float>(w.width);
  const auto width = static_cast<std::int32_t>(w.width);
  // Copies, so that the stores below need not be assumed to change them.
  const std::int16_t* const source = w.source;
  std::int16_t* const target = w.target;
  const std::int64_t half = w.half;
  const std::int64_t last = w.last;
  U32 total = U32{} + static_cast<std::uint32_t>(sum);
  std::int64_t i = from;
  for (; i + std::int64_t{2} * L <= to; i += std::int64_t{2} * L) {
    I32 in;
    I32 gone;
    std::memcpy(&in, source + (i + half + 1), sizeof in);
    std::memcpy(&gone, source + (i - half), sizeof gone);
    // Clamped, so that the addresses stay in the arrays.
    __builtin_prefetch(source + std::min(i + half + 1 + kAhead, last));
    __builtin_prefetch(target + std::min(i + kAhead, last), 1);
    // Little-endian: an even-numbered sample in the low half of a lane, the odd one in the high.
    const I32 evenStep = ((in << 16) >> 16) - ((gone << 16) >> 16);
    const I32 oddStep = (in >> 16) - (gone >> 16);
    // Running totals over the pairs in log2(L) shifted adds.
    const auto pairStep = __builtin_bit_cast(U32, evenStep + oddStep);
    U32 run = pairStep;
    const auto lanes = std::make_index_sequence<L>{};
    addShifted<1>(run, lanes);
    if constexpr (L > 2) addShifted<2>(run, lanes);
    if constexpr (L > 4) addShifted<4>(run, lanes);
    if constexpr (L > 8) addShifted<8>(run, lanes);
    static_assert(L <= 16);
    auto evenSums = __builtin_bit_cast(I32, total + run - pairStep);
    I32 oddSums = evenSums + evenStep;
    means<L, kEven>(evenSums, inverse, width);
    means<L, kEven>(oddSums, inverse, width);
    const I32 both = (evenSums & 0xffff) | (oddSums << 16);
    std::memcpy(target + i, &both, sizeof both);
    total += run[L - 1];
  }
  return slide<std::int32_t>(w, i, to, static_cast<std::int32_t>(total[0]));
}

// Four lanes suit every processor; eight take AVX2 and sixteen AVX-512, each looked up once.
// Sixteen lanes take a third less time than eight, eight half as much as four.
#if defined(__x86_64__) && defined(__GNUC__)
template <bool kEven>
[[gnu::target("avx512f")]] std::int64_t slideSixteenLanes(const MeanWindow& w, std::int64_t from,
                                                          std::int64_t to, std::int64_t sum) {
  return slideLanes<16, kEven>(w, from, to, sum);
}

template <bool kEven>
[[gnu::target("avx2")]] std::int64_t slideEightLanes(const MeanWindow& w, std::int64_t from,
                                                     std::int64_t to, std::int64_t sum) {
  return slideLanes<8, kEven>(w, from, to, sum);
}
#endif

template <bool kEven>
std::int64_t slideVectors(const MeanWindow& w, std::int64_t from, std::int64_t to, std::int64_t sum,
                          [[maybe_unused]] Lanes lanes) {
#if defined(__x86_64__) && defined(__GNUC__)
  if (lanes == Lanes::Widest && HaveAvx512()) return slideSixteenLanes<kEven>(w, from, to, sum);
  if (lanes != Lanes::Four && HaveAvx2()) return slideEightLanes<kEven>(w, from, to, sum);
#endif
  return slideLanes<4, kEven>(w, from, to, sum);
}

}  // namespace

void SlideMeans(const MeanWindow& w, std::int64_t from, std::int64_t to, Lanes lanes) {
  std::int64_t sum = firstSum(w, from);
  if ((2 * w.half + 1) * 32768 > std::numeric_limits<std::int32_t>::max()) {
    slide<double>(w, from, to, sum);
    return;
  }
  // Clamped indices at the record's start and the window's end; plain ones between.
  const std::int64_t freeFrom = std::clamp(w.half, from, to);
  const std::int64_t freeTo = std::clamp(w.last - w.half, freeFrom, to);
  sum = slide<std::int32_t>(w, from, freeFrom, sum);
  sum = w.width % 2 != 0 ? slideVectors<false>(w, freeFrom, freeTo, sum, lanes)
                         : slideVectors<true>(w, freeFrom, freeTo, sum, lanes);
  slide<std::int32_t>(w, freeTo, to, sum);
}

}  // namespace sondrix
