#include "numtext/rounding.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

namespace sondrix {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundHalfEvenTest, AgreesWithTheFloatingPointUnit) {
  // In the default rounding mode std::nearbyint rounds halves to even: an independent twin.
  std::vector<double> values{0.49999999999999994, 4503599627370495.5, kInf, -kInf};
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 100000; ++i) {
    values.push_back(std::bit_cast<double>(random()));
    values.push_back(static_cast<std::int32_t>(random()) / 4.0);  // halves and quarters
  }
  for (const double v : values) {
    if (std::isnan(v)) continue;
    ASSERT_EQ(RoundHalfEven(v), std::nearbyint(v)) << v;
  }
  EXPECT_TRUE(std::isnan(RoundHalfEven(kNaN)));
}

TEST(RoundToIntTest, FailsOutsideTheRangeInsteadOfWrapping) {
  const std::pair<double, std::optional<std::int16_t>> int16Cases[] = {
      {32767.4, 32767},   {32766.5, 32766},         {32767.5, std::nullopt},
      {-32768.5, -32768}, {-32768.6, std::nullopt}, {kNaN, std::nullopt}};
  for (const auto& [value, want] : int16Cases) EXPECT_EQ(RoundToInt16(value), want) << value;

  const std::pair<double, std::optional<std::int32_t>> int32Cases[] = {
      {2147483647.4, 2147483647},
      {2147483647.5, std::nullopt},
      {-2147483648.5, INT32_MIN},
      {-2147483649.5, std::nullopt}};
  for (const auto& [value, want] : int32Cases) EXPECT_EQ(RoundToInt32(value), want) << value;
}

TEST(RoundClampInt32Test, SaturatesAtTheRangeEnds) {
  const std::pair<double, std::int32_t> cases[] = {
      {2.5, 2},          {-2147483648.5, INT32_MIN}, {2147483647.5, INT32_MAX},
      {1e20, INT32_MAX}, {-1e20, INT32_MIN},         {kNaN, 0}};
  for (const auto& [value, want] : cases) EXPECT_EQ(RoundClampInt32(value), want) << value;
}

TEST(NarrowToFloatTest, RefusesOnlyWhatRoundsBeyondTheFloatRange) {
  // Halfway between FLT_MAX and 2^128: rounds (to even) up to 2^128, so it overflows.
  const double boundary = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);
  const std::pair<double, std::optional<float>> cases[] = {
      {FLT_MAX, FLT_MAX},
      {-double{FLT_MAX}, -FLT_MAX},
      {std::nextafter(double{FLT_MAX}, kInf), FLT_MAX},
      {std::nextafter(boundary, 0.0), FLT_MAX},
      {-std::nextafter(boundary, 0.0), -FLT_MAX},
      {boundary, std::nullopt},
      {-boundary, std::nullopt},
      {0.1, 0.1f},
      {1e-50, 0.0f},
      {kNaN, std::nullopt}};
  for (const auto& [value, want] : cases) EXPECT_EQ(NarrowToFloat(value), want) << value;
}

TEST(RoundToDecimalsTest, ExactHalvesToEvenOthersByTheirBinaryValue) {
  const std::tuple<double, int, double> cases[] = {
      {0.125, 2, 0.12},
      {0.375, 2, 0.38},
      {2.675, 2, 2.67},
      {333.33334350585938, 2, 333.33},
      {500.00002374872565, 2, 500.0},
      {1.000005, 5, 1.00001},
      {2.5, 0, 2.0},
      {-1e-9, 2, 0.0},
      {3.4028234663852886e35, 2, 3.4028234663852886e35}};
  for (const auto& [value, decimals, want] : cases) {
    EXPECT_EQ(RoundToDecimals(value, decimals), want) << value << " to " << decimals;
  }
  EXPECT_TRUE(std::isnan(RoundToDecimals(kNaN, 2)));
}

TEST(ClampToFloatTest, SaturatesInsteadOfFailing) {
  EXPECT_EQ(ClampToFloat(1e300), FLT_MAX);
  EXPECT_EQ(ClampToFloat(-kInf), -FLT_MAX);
  EXPECT_EQ(ClampToFloat(kNaN), 0.0f);
  EXPECT_EQ(ClampToFloat(0.1), 0.1f);
}

}  // namespace
}  // namespace sondrix
