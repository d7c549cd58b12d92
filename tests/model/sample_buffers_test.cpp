#include "model/sample_buffers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sondrix {
namespace {

template <typename T>
bool AllSized(const std::array<std::vector<T>, kChannelCount>& arrays, std::size_t size) {
  return std::all_of(arrays.begin(), arrays.end(), [&](const auto& a) { return a.size() == size; });
}

TEST(SampleBuffersTest, EachGroupGrowsAloneWithZeros) {
  SampleBuffers b;
  ASSERT_TRUE(GrowSource(b, 100));
  EXPECT_TRUE(AllSized(b.SrcData, 100));
  EXPECT_TRUE(AllSized(b.SmData, 0));
  EXPECT_TRUE(AllSized(b.VoltData, 0));
  ASSERT_TRUE(GrowSmoothed(b, 50));
  ASSERT_TRUE(GrowVolts(b, 70));
  EXPECT_TRUE(AllSized(b.SrcData, 100));
  EXPECT_TRUE(AllSized(b.SmData, 50));
  EXPECT_TRUE(AllSized(b.VoltData, 70));
  for (int ch = 0; ch < kChannelCount; ++ch) {
    EXPECT_EQ(std::count(b.SrcData[ch].begin(), b.SrcData[ch].end(), 0), 100);
    EXPECT_EQ(std::count(b.VoltData[ch].begin(), b.VoltData[ch].end(), 0.0f), 70);
  }
}

TEST(SampleBuffersTest, NeverShrinksAndKeepsOldContents) {
  SampleBuffers b;
  ASSERT_TRUE(GrowSource(b, 10000));
  for (int ch = 0; ch < kChannelCount; ++ch) {
    for (int i = 0; i < 10000; ++i) b.SrcData[ch][i] = static_cast<std::int16_t>(i + ch);
  }
  ASSERT_TRUE(GrowSource(b, 1000));
  ASSERT_TRUE(GrowSource(b, 0));
  ASSERT_TRUE(AllSized(b.SrcData, 10000));
  ASSERT_TRUE(GrowSource(b, 12000));
  ASSERT_TRUE(AllSized(b.SrcData, 12000));
  for (int ch = 0; ch < kChannelCount; ++ch) {
    EXPECT_EQ(b.SrcData[ch][9999], 9999 + ch);
    EXPECT_EQ(b.SrcData[ch][1000], 1000 + ch);
    EXPECT_EQ(b.SrcData[ch][10000], 0);
  }
}

TEST(SampleBuffersTest, RefusesSizesOutsideTheCapacityWithoutChange) {
  SampleBuffers b;
  ASSERT_TRUE(GrowVolts(b, 10));
  for (std::int64_t size :
       {std::int64_t{kSampleCapacity} + 1, std::int64_t{-1}, INT64_MAX, INT64_MIN}) {
    EXPECT_FALSE(GrowVolts(b, size)) << size;
    EXPECT_FALSE(GrowSource(b, size)) << size;
    EXPECT_FALSE(GrowSmoothed(b, size)) << size;
  }
  EXPECT_TRUE(AllSized(b.VoltData, 10));
  EXPECT_TRUE(AllSized(b.SrcData, 0));
  EXPECT_TRUE(AllSized(b.SmData, 0));
}

TEST(SampleBuffersTest, AcceptsExactlyTheCapacity) {
  SampleBuffers b;
  ASSERT_TRUE(GrowSmoothed(b, kSampleCapacity));
  EXPECT_TRUE(AllSized(b.SmData, 5'000'011));
  EXPECT_EQ(b.SmData[3][5'000'010], 0);
}

}  // namespace
}  // namespace sondrix
