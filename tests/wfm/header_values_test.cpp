#include "wfm/header_values.h"
#include "wfm/byte_order.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace sondrix {
namespace {

constexpr auto kFails = std::nullopt;

TEST(UnitValue, ReadsPrefixesAndUnitLettersAndFailsOnlyBeyondTheFloatRange) {
  const std::pair<std::string_view, std::optional<float>> cases[] = {
      {"500MV", 0.5f},   {"2.00V", 2.0f},   {"5KV", 5000.0f},  {"10MA", 0.01f}, {"-1.5V", -1.5f},
      {"V", 0.0f},       {"", 0.0f},        {"500MV\r", 0.5f}, {"1.5", 1.5f},   {"1.5M", 0.0015f},
      {"2W", 2.0f},      {"3C", 3.0f},      {"1.5X", 1.5f},    {"ABC", 0.0f},   {"1E39V", kFails},
      {"1E400", kFails}, {"1E39MV", 1e36f},  // milli brings it back into range
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(UnitValue(text), want) << text;
}

// Milli goes first; the value starts after "=", so "MS" at column 3 of "TIMS" is an error.
TEST(TimeDivValue, DividesByThePrefixTestedInFixedOrderAfterTheValueColumn) {
  const std::pair<std::string_view, std::optional<double>> cases[] = {
      {"TIME/DIV = ", 0.0},        {"TIME/DIV = 1E400", kFails}, {"TIME/DIV = 100NS", 1e-7},
      {"TIME/DIV = 20PS", 2e-11},  {"TIME/DIV = 1.00S\r", 1.0},  {"TIMS/DIV = 5", kFails},
      {"TIME/DIV =5MS", 5e-3},     {"TIME/DIV = 5US MS", 5e-3},  {"TIME/DIV", kFails},
      {"TIME/DIV = 2.00MS", 2e-3}, {"TIME/DIV = 500US\r", 5e-4}};
  for (const auto& [line, want] : cases) EXPECT_EQ(TimeDivValue(line), want) << line;
}

TEST(ByteOrder, TakesBytesBigEndianWithTheSignOfTheFirstByte) {
  EXPECT_EQ(std::tuple(Swap16({0x00, 0x01}), Swap16({0x01, 0x00}), Swap16({0xFF, 0xFF}),
                       Swap16({0x80, 0x00})),
            std::tuple(1, 256, -1, -32768));
  EXPECT_EQ(std::tuple(Swap32({0x00, 0x00, 0x27, 0x10}), Swap32({0xFF, 0xFF, 0xFF, 0xF6}),
                       Swap32({0x80, 0x00, 0x00, 0x00})),
            std::tuple(10000, -10, INT32_MIN));
}

}  // namespace
}  // namespace sondrix
