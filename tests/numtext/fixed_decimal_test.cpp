#include "numtext/fixed_decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <string>

namespace sondrix {
namespace {

// The double of digits x 10^scale is from_chars' double of the text, at every scale the short cut
// takes and for mantissas up to 2^53.
TEST(ExactDecimal, IsTheNearestDoubleAtEveryScale) {
  const std::uint64_t mantissas[] = {1, 7, 98242, 123456789012345, (std::uint64_t{1} << 53) - 1};
  for (int scale = -kMaxExactPower; scale <= kMaxExactPower; ++scale) {
    for (const std::uint64_t digits : mantissas) {
      const std::string text = std::to_string(digits) + "e" + std::to_string(scale);
      double expected = 0.0;
      std::from_chars(text.data(), text.data() + text.size(), expected);
      EXPECT_EQ(ExactDecimal(digits, scale, false), expected) << text;
      EXPECT_EQ(ExactDecimal(digits, scale, true), -expected) << text;
    }
  }
}

}  // namespace
}  // namespace sondrix
