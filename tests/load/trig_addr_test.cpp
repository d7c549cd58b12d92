#include "load/trig_addr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

namespace sondrix {
namespace {

// Rounding and saturation are RoundClampInt32's, tested there. Rows: half the largest count
// without overflow; the centre; 3.5 rounded, not cut; a trigger before the record; a delay beyond
// the range; 5.25; a division later, two earlier; no time per division, so no delay.
TEST(ComputeTrigAddrTest, CentreMovedByATenthOfTheRecordPerDivision) {
  const std::tuple<double, double, std::int32_t, std::int32_t> cases[] = {
      {0, 1, INT32_MAX, 1073741824}, {0, 1e-3, 10000, 5000},         {0, 1e-3, 7, 4},
      {-100, 1, 1000, -9500},        {1e300, 1e-300, 10, INT32_MAX}, {1, 4, 10, 5},
      {1e-3, 1e-3, 10000, 6000},     {-2e-3, 1e-3, 10000, 3000},     {5e-3, 0, 10000, 5000}};
  for (const auto& [delay, timeDiv, points, want] : cases) {
    EXPECT_EQ(ComputeTrigAddr(delay, timeDiv, points), want)
        << delay << " / " << timeDiv << " at " << points << " points";
  }
}

}  // namespace
}  // namespace sondrix
