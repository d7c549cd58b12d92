#include "view/engineering.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace sondrix {
namespace {

TEST(EngineeringTest, PrefixByMagnitudeAndMantissaRoundedHalfToEven) {
  const std::tuple<float, const char*, int, std::string> cases[] = {
      {0.5f, "V/div", 2, "500mV/div"},
      {1000.0f, "V/div", 2, "1kV/div"},
      {999.999f, "V/div", 2, "1000V/div"},  // rounds up but keeps its row
      {0.0f, "s/div", 2, "0ns/div"},
      {-0.0f, "s", 2, "0ns"},
      {0.0005f, "s/div", 2, "500us/div"},
      {0.0025f, "s/div", 2, "2.5ms/div"},
      {1.0f / 3.0f, "s/div", 2, "333.33ms/div"},
      {-0.005f, "s", 5, "-5ms"},
      {1.23456789e-6f, "s", 5, "1.23457us"},
      {2.0f, "/div", 2, "2/div"},
      {2.5e-10f, "s", 2, "0.25ns"},
      {1e-13f, "s", 2, "0ns"},  // below the n row's two decimals
      {1234.5f, "s", 2, "1.23ks"},
      {0.000999f, "s", 2, "999us"},   // just under the float nearest 1e-3
      {3.35e-10f, "s", 2, "0.33ns"},  // just under 0.335 ns as a float
      {0.125f, "s", 2, "125ms"},      // exact halves of the last decimal go to even
      {1.125f, "s", 2, "1.12s"},
      {1.375f, "s", 2, "1.38s"},
  };
  for (const auto& [value, unit, decimals, want] : cases) {
    EXPECT_EQ(CaptionText(ToEngineering(value, unit, decimals)), want) << value;
  }
}

}  // namespace
}  // namespace sondrix
