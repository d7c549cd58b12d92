#include "load/trig_addr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

namespace sondrix {
namespace {

// The rounding and the saturation are RoundClampInt32's, tested with it.
TEST(ComputeTrigAddrTest, CentreMovedByATenthOfTheRecordPerDivision) {
  const std::tuple<double, double, std::int32_t, std::int32_t> cases[] = {
      {0, 1e-3, 10000, 5000},
      {1e-3, 1e-3, 10000, 6000},  // one division later
      {-2e-3, 1e-3, 10000, 3000},
      {0, 1e-3, 7, 4},                // 3.5: rounded, not cut
      {1, 4, 10, 5},                  // 5.25
      {5e-3, 0, 10000, 5000},         // no time per division: no delay
      {0, 1, INT32_MAX, 1073741824},  // 1073741823.5, with no overflow of the count
      {-100, 1, 1000, -9500},         // the trigger may lie before the record
      {1e300, 1e-300, 10, INT32_MAX}};
  for (const auto& [delay, timeDiv, points, want] : cases) {
    EXPECT_EQ(ComputeTrigAddr(delay, timeDiv, points), want)
        << delay << " / " << timeDiv << " at " << points << " points";
  }
}

}  // namespace
}  // namespace sondrix
