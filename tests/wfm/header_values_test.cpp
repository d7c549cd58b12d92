#include "wfm/header_values.h"

#include <gtest/gtest.h>

#include <string>

namespace sondrix {
namespace {

TEST(UnitValue, ReadsPrefixesAndUnitLetters) {
  const struct {
    std::string text;
    float expected;
  } cases[] = {
      {"500MV", 0.5f}, {"2.00V", 2.0f}, {"5KV", 5000.0f},  {"10MA", 0.01f}, {"-1.5V", -1.5f},
      {"V", 0.0f},     {"", 0.0f},      {"500MV\r", 0.5f}, {"1.5", 1.5f},   {"1.5M", 0.0015f},
      {"2W", 2.0f},    {"3C", 3.0f},    {"1.5X", 1.5f},    {"ABC", 0.0f},
  };
  for (const auto& c : cases) {
    const auto value = UnitValue(c.text);
    ASSERT_TRUE(value) << c.text;
    EXPECT_FLOAT_EQ(*value, c.expected) << c.text;
  }
}

TEST(UnitValue, FailsOnlyWhenTheNumberDoesNotFitAFloat) {
  EXPECT_FALSE(UnitValue("1E39V"));
  EXPECT_FALSE(UnitValue("1E400"));
  EXPECT_TRUE(UnitValue("1E39MV"));  // milli brings it back into range
}

TEST(TimeDivValue, DividesByThePrefixTestedInFixedOrder) {
  const struct {
    std::string line;
    double expected;
  } cases[] = {
      {"TIME/DIV = 500US\r", 5e-4}, {"TIME/DIV = 2.00MS", 2e-3},
      {"TIME/DIV = 1.00S\r", 1.0},  {"TIME/DIV = 100NS", 1e-7},
      {"TIME/DIV = 20PS", 2e-11},   {"TIME/DIV = 5US MS", 5e-3},  // milli is tested first
      {"TIME/DIV = ", 0.0},
  };
  for (const auto& c : cases) {
    const auto value = TimeDivValue(c.line);
    ASSERT_TRUE(value) << c.line;
    EXPECT_DOUBLE_EQ(*value, c.expected) << c.line;
  }
}

TEST(TimeDivValue, FailsWhenThePrefixSitsBeforeTheValueColumn) {
  EXPECT_FALSE(TimeDivValue("TIMS/DIV = 5"));  // "MS" at column 3
  EXPECT_FALSE(TimeDivValue("TIME/DIV"));      // too short for a value
  EXPECT_FALSE(TimeDivValue("TIME/DIV = 1E400"));
}

}  // namespace
}  // namespace sondrix
