#include "model/volts.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <numeric>
#include <vector>

namespace sondrix {
namespace {

// Every count, each lane width, scales with odd significands, the extremes of the float range and
// a misaligned, short row for the loops' tails: each value bit for bit the rounded CountsToVolts.
TEST(CountsToFloatVolts, EveryCountIsTheRoundedScaleOfEveryLoop) {
  std::vector<std::int16_t> counts(65536);
  std::iota(counts.begin(), counts.end(), std::numeric_limits<std::int16_t>::min());
  struct Scale {
    float vdiv, offset;
  };
  const float tiny = std::numeric_limits<float>::denorm_min();
  for (const Scale s : {Scale{0.2f, 0.0f}, Scale{0.123456789f, -0.3f}, Scale{-7.77e-3f, 1e-9f},
                        Scale{1e37f, 1e38f}, Scale{tiny, tiny}, Scale{3.0e33f, -2.5e29f}}) {
    for (const Lanes lanes : {Lanes::Widest, Lanes::Eight, Lanes::Four}) {
      for (const std::size_t from : {std::size_t{0}, std::size_t{32771}}) {
        const std::size_t n = from == 0 ? counts.size() : 37;
        std::vector<float> volts(n + 1, -1.0f);
        ASSERT_TRUE(
            CountsToFloatVolts({counts.data() + from, n}, volts.data(), s.vdiv, s.offset, lanes));
        for (std::size_t i = 0; i < n; ++i) {
          const auto want = static_cast<float>(CountsToVolts(counts[from + i], s.vdiv, s.offset));
          ASSERT_EQ(std::bit_cast<std::uint32_t>(volts[i]), std::bit_cast<std::uint32_t>(want))
              << "count " << counts[from + i] << ", V/div " << s.vdiv;
        }
        EXPECT_EQ(volts[n], -1.0f) << "nothing past the row";
      }
    }
  }
}

// Beyond the float range a value is 0 and the row reports it; the others are converted.
TEST(CountsToFloatVolts, ValuesBeyondTheFloatRangeAreZero) {
  const std::vector<std::int16_t> counts = {-32768, -1, 0, 1, 22111, 32767};
  std::vector<float> volts(counts.size());
  EXPECT_FALSE(CountsToFloatVolts(counts, volts.data(), 1e38f, 0.0f));
  const float fit = static_cast<float>(CountsToVolts(22111, 1e38f, 0.0f));
  EXPECT_EQ(volts, (std::vector<float>{0.0f, -1e38f / 8192, 0.0f, 1e38f / 8192, fit, 0.0f}));
  EXPECT_FALSE(
      CountsToFloatVolts(counts, volts.data(), std::numeric_limits<float>::quiet_NaN(), 0.0f));
  EXPECT_EQ(volts, std::vector<float>(counts.size(), 0.0f));
}

}  // namespace
}  // namespace sondrix
