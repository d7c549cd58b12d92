#include "view/engineering.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace sondrix {
namespace {

TEST(EngineeringTest, PrefixByMagnitudeAndRoundedMantissa) {
  const std::tuple<float, const char*, int, std::string> cases[] = {
      {0.5f, "V/div", 2, "500mV/div"},
      {0.25f, "V/div", 2, "250mV/div"},
      {1000.0f, "V/div", 2, "1kV/div"},
      {999.999f, "V/div", 2, "1000V/div"},  // rounds up but keeps its row
      {0.0f, "s/div", 2, "0ns/div"},
      {-0.0f, "s", 2, "0ns"},
      {0.0005f, "s/div", 2, "500us/div"},
      {0.0025f, "s/div", 2, "2.5ms/div"},
      {1.0f / 3.0f, "s/div", 2, "333.33ms/div"},
      {-0.005f, "s", 5, "-5ms"},
      {-2.5e-6f, "s", 5, "-2.5us"},
      {1.23456789e-6f, "s", 5, "1.23457us"},
      {2.0f, "/div", 2, "2/div"},
      {2.5e-10f, "s", 2, "0.25ns"},
      {1e-13f, "s", 2, "0ns"},  // below the n row's two decimals
      {1234.5f, "s", 2, "1.23ks"},
      {0.000999f, "s", 2, "999us"},   // just under the float nearest 1e-3
      {3.35e-10f, "s", 2, "0.33ns"},  // just under 0.335 ns as a float
  };
  for (const auto& [value, unit, decimals, want] : cases) {
    EXPECT_EQ(CaptionText(ToEngineering(value, unit, decimals)), want) << value;
  }
}

TEST(EngineeringTest, HalvesOfTheLastDecimalGoToEven) {
  EXPECT_EQ(ToEngineering(0.125f, "s", 2).mantissa, 125.0);  // m row, whole
  EXPECT_EQ(ToEngineering(1.125f, "s", 2).mantissa, 1.12);
  EXPECT_EQ(ToEngineering(1.375f, "s", 2).mantissa, 1.38);
}

}  // namespace
}  // namespace sondrix
