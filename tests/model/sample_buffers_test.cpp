#include "model/sample_buffers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

namespace sondrix {
namespace {

// Counts grown are the load's to write but the drawing's last one, which is zero.
TEST(SampleBuffers, GrowNeverShrinkKeepOlderSamplesAndHoldExactlyTheCapacity) {
  SampleBuffers b;
  ASSERT_TRUE(GrowSource(b, 10000));
  for (auto& src : b.SrcData) src[9999] = 7;
  ASSERT_TRUE(GrowSource(b, 1000));  // a shorter record keeps the longer one's tail
  ASSERT_TRUE(GrowSource(b, 12000));
  for (const auto& src : b.SrcData)
    EXPECT_EQ(std::tuple(src.size(), src[9999], src[11999]), std::tuple(12000u, 7, 0));
  for (const std::int64_t size : {std::int64_t{kSampleCapacity} + 1, std::int64_t{-1}, INT64_MAX}) {
    EXPECT_FALSE(GrowVolts(b, size)) << size;
  }
  EXPECT_TRUE(b.VoltData[0].empty()) << "each group grows alone, and a refused size grows none";
  ASSERT_TRUE(GrowVolts(b, kSampleCapacity));
  EXPECT_EQ(std::tuple(b.VoltData[3].size(), b.VoltData[3][5'000'010]),
            std::tuple(5'000'011u, 0.0f));
  EXPECT_EQ(std::tuple(SourceSizeForDrawing(0), SourceSizeForDrawing(8),
                       SourceSizeForDrawing(kSampleCapacity)),
            std::tuple(2, 9, std::int64_t{kSampleCapacity}));
}

}  // namespace
}  // namespace sondrix
