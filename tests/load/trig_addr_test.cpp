#include "load/trig_addr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace sondrix {
namespace {

TEST(ComputeTrigAddrTest, CentreMovedByATenthOfTheRecordPerDivision) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  struct Case {
    double delay;
    double timeDiv;
    std::int32_t points;
    std::int32_t want;
  };
  const Case cases[] = {
      {0, 1e-3, 10000, 5000},
      {1e-3, 1e-3, 10000, 6000},  // one division later
      {-2e-3, 1e-3, 10000, 3000},
      {0, 1e-3, 5, 2},         // 2.5: half to even
      {0, 1e-3, 7, 4},         // 3.5
      {1, 2, 10, 6},           // 5.5
      {3, 2, 10, 6},           // 6.5
      {1, 4, 10, 5},           // 5.25
      {5e-3, 0, 10000, 5000},  // no time per division: no delay
      {1, 0, 5, 2},
      {-1, 0, 7, 4},
      {0, 1, 0, 0},
      {0, 1, INT32_MAX, 1073741824},  // 1073741823.5
      {-100, 1, 1000, -9500},         // the trigger may lie before the record
      {1e300, 1e-300, 10000, INT32_MAX},
      {-1e300, 1e-300, 10000, INT32_MIN},
      {kInf, 1, 10000, INT32_MAX},
      {-kInf, 1, 10000, INT32_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComputeTrigAddr(c.delay, c.timeDiv, c.points), c.want)
        << c.delay << " / " << c.timeDiv << " at " << c.points << " points";
  }
}

}  // namespace
}  // namespace sondrix
