#include "csv/to_volts.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <vector>

namespace sondrix {
namespace {

WaveRecord recordWith(std::vector<std::int16_t> counts) {
  WaveRecord r;
  r.header.Points = static_cast<std::int32_t>(counts.size());
  for (auto& src : r.buffers.SrcData) src = counts;
  return r;
}

TEST(ToVolts, OneDivisionIs8192Counts) {
  WaveRecord r = recordWith({8192, -32768, 0, 4096});
  r.header.Channel[0].Vdiv = 1.0f;
  r.header.Channel[1].Vdiv = 0.5f;
  r.header.Channel[1].Offset = 0.25f;
  ASSERT_TRUE(ToVolts(r, 0, r.buffers.SrcData[0]));
  ASSERT_TRUE(ToVolts(r, 1, r.buffers.SrcData[1]));
  EXPECT_EQ(r.buffers.VoltData[0], (std::vector<float>{1.0f, -4.0f, 0.0f, 0.5f}));
  EXPECT_EQ(r.buffers.VoltData[1], (std::vector<float>{0.25f, -2.25f, -0.25f, 0.0f}));
}

TEST(ToVolts, ChannelsBeyondTwoMeanChannelFourAndShortCountsAreRefused) {
  WaveRecord r = recordWith({8192});
  const std::vector<std::int16_t> smoothed{-8192};
  r.header.Channel[3].Vdiv = 2.0f;
  ASSERT_TRUE(ToVolts(r, 7, smoothed));
  EXPECT_EQ(r.buffers.VoltData[3][0], -2.0f);
  EXPECT_FALSE(ToVolts(r, 2, {})) << "no counts to convert";
}

TEST(ToVoltsForDisplayed, ClearsEveryColumnThenConvertsTheShownChannels) {
  WaveRecord r = recordWith({8192, 8192});
  for (auto& volts : r.buffers.VoltData) volts = {9.0f, 9.0f, 9.0f};  // an earlier waveform
  const char* displays[] = {"OFF", "on", "ON ", "ON"};
  for (int ch = 0; ch < 4; ++ch) {
    r.header.Channel[static_cast<std::size_t>(ch)].Display = displays[ch];
    r.header.Channel[static_cast<std::size_t>(ch)].Vdiv = 1.0f;
  }
  ASSERT_TRUE(ToVoltsForDisplayed(r));
  EXPECT_EQ(r.buffers.VoltData[0], (std::vector<float>{0.0f, 0.0f, 9.0f}));
  EXPECT_EQ(r.buffers.VoltData[1], (std::vector<float>{1.0f, 1.0f, 9.0f}));
  EXPECT_EQ(r.buffers.VoltData[2], (std::vector<float>{0.0f, 0.0f, 9.0f}));
  EXPECT_EQ(r.buffers.VoltData[3], (std::vector<float>{1.0f, 1.0f, 9.0f}));

  // Given counts replace the source arrays, channel by channel.
  const std::vector<std::int16_t> half{4096, -4096};
  ASSERT_TRUE(ToVoltsForDisplayed(r, [&](int ch) {
    return ch == 3 ? std::span<const std::int16_t>(half) : r.buffers.SrcData[ch];
  }));
  EXPECT_EQ(r.buffers.VoltData[1], (std::vector<float>{1.0f, 1.0f, 9.0f}));
  EXPECT_EQ(r.buffers.VoltData[3], (std::vector<float>{0.5f, -0.5f, 9.0f}));
}

TEST(ToVolts, ValuesBeyondTheFloatRangeFailAndOversizedRecordsAreRefused) {
  WaveRecord r = recordWith({8192, 1});
  r.header.Channel[0].Vdiv = 3e38f;
  r.header.Channel[0].Offset = -3e38f;
  EXPECT_FALSE(ToVolts(r, 0, r.buffers.SrcData[0]));
  EXPECT_EQ(r.buffers.VoltData[0][0], 0.0f);
  r.header.Channel[0].Vdiv = FLT_MAX;  // one division: the largest float itself still fits
  r.header.Channel[0].Offset = 0.0f;
  EXPECT_TRUE(ToVolts(r, 0, r.buffers.SrcData[0]));
  EXPECT_EQ(r.buffers.VoltData[0][0], FLT_MAX);
  r.header.Channel[0].Vdiv = 3e38f;
  r.header.Channel[0].Offset = -3e38f;
  r.header.Channel[0].Display = r.header.Channel[1].Display = "ON";
  EXPECT_FALSE(ToVoltsForDisplayed(r)) << "one channel that fails fails them all";
  r.header.Points = kSampleCapacity + 1;
  EXPECT_FALSE(ToVoltsForDisplayed(r));
}

}  // namespace
}  // namespace sondrix
