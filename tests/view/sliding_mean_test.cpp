#include "view/sliding_mean.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "view/smooth_samples.h"

namespace sondrix {
namespace {

// The processor picks the vector loop's lanes; whichever it picks, eight and four lanes must agree
// with it (SmoothSamples is checked against the direct sum). Odd and even widths, a tie-prone width
// of 4, the widest 32-bit sums, and windows that leave a few outputs after the last whole vector.
TEST(SlideMeansTest, FewerLanesAgreeWithTheWidest) {
  std::mt19937 engine(31);
  std::vector<std::int16_t> source(150000);
  for (auto& s : source) s = static_cast<std::int16_t>(static_cast<int>(engine() % 65536) - 32768);
  struct Case {
    std::int64_t last, half, width;
  };
  const Case cases[] = {{149999, 5, 11},    {149990, 2, 4},         {149997, 4, 10},
                        {99999, 500, 1001}, {149999, 32767, 65535}, {149998, 32766, 65534}};
  for (const Case& c : cases) {
    std::vector<std::int16_t> widest(source.size(), 0);
    SmoothSamples(source, 0, static_cast<std::int32_t>(c.last), static_cast<std::int32_t>(c.width),
                  widest);
    for (Lanes lanes : {Lanes::Eight, Lanes::Four}) {
      std::vector<std::int16_t> fewer(source.size(), 0);
      SlideMeans({source.data(), fewer.data(), c.last, c.half, c.width}, 0, c.last + 1, lanes);
      EXPECT_EQ(fewer, widest) << "width " << c.width << " to " << c.last << " lanes "
                               << (lanes == Lanes::Eight ? 8 : 4);
    }
  }
}

}  // namespace
}  // namespace sondrix
