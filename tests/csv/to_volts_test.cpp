#include "csv/to_volts.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <vector>

namespace sondrix {
namespace {

using V = VoltArray;

WaveRecord recordWith(std::vector<std::int16_t> counts) {
  WaveRecord r;
  r.header.Points = static_cast<std::int32_t>(counts.size());
  for (auto& src : r.buffers.SrcData) src.assign(counts.begin(), counts.end());
  return r;
}

// Channel numbers other than 0 to 2 mean channel 4; a value beyond the float range is stored as 0.
TEST(ToVolts, OneDivisionIs8192CountsAndOtherChannelNumbersMeanChannelFour) {
  WaveRecord r = recordWith({8192, -32768, 0, 4096});
  auto& [ch1, ch2, ch3, ch4] = r.header.Channel;
  std::tie(ch1.Vdiv, ch1.Offset, ch3.Vdiv, ch4.Vdiv) = std::tuple(0.5f, 0.25f, 1.0f, 2.0f);
  for (const int ch : {0, 2, 7}) ASSERT_TRUE(ToVolts(r, ch, r.buffers.SrcData[0]));
  EXPECT_EQ(r.buffers.VoltData, (VoltArrays{V{0.25f, -2.25f, -0.25f, 0}, V{0, 0, 0, 0},
                                            V{1, -4, 0, 0.5f}, V{2, -8, 0, 1}}));
  EXPECT_FALSE(ToVolts(r, 1, {})) << "no counts to convert";

  const std::vector<std::int16_t> oneDivision{8192, 0, 0, 0};
  std::tie(ch1.Vdiv, ch1.Offset) = std::tuple(FLT_MAX, 0.0f);  // the largest float still fits
  EXPECT_TRUE(ToVolts(r, 0, oneDivision));
  EXPECT_EQ(r.buffers.VoltData[0][0], FLT_MAX);
  std::tie(ch1.Vdiv, ch1.Offset) = std::tuple(3e38f, -3e38f);
  EXPECT_FALSE(ToVolts(r, 0, oneDivision));
  EXPECT_EQ(r.buffers.VoltData[0][0], 0.0f);
}

TEST(ToVoltsForDisplayed, ClearsEveryColumnThenConvertsTheShownChannels) {
  WaveRecord r = recordWith({8192, 8192});
  for (auto& volts : r.buffers.VoltData) volts = {9.0f, 9.0f, 9.0f};  // an earlier waveform
  const char* displays[] = {"OFF", "on", "ON ", "ON"};
  for (std::size_t ch = 0; ch < 4; ++ch) {
    r.header.Channel[ch].Vdiv = 1.0f;
    r.header.Channel[ch].Display = displays[ch];
  }
  ASSERT_TRUE(ToVoltsForDisplayed(r));
  EXPECT_EQ(r.buffers.VoltData, (VoltArrays{V{0, 0, 9}, V{1, 1, 9}, V{0, 0, 9}, V{1, 1, 9}}));

  // Given counts replace the source arrays, channel by channel.
  const std::vector<std::int16_t> half{4096, -4096};
  ASSERT_TRUE(ToVoltsForDisplayed(r, [&](int ch) {
    return ch == 3 ? std::span<const std::int16_t>(half) : r.buffers.SrcData[ch];
  }));
  EXPECT_EQ(r.buffers.VoltData, (VoltArrays{V{0, 0, 9}, V{1, 1, 9}, V{0, 0, 9}, V{.5, -.5, 9}}));

  std::tie(r.header.Channel[1].Vdiv, r.header.Channel[1].Offset) = std::tuple(3e38f, -3e38f);
  EXPECT_FALSE(ToVoltsForDisplayed(r)) << "one channel that fails fails them all";
  r.header.Points = kSampleCapacity + 1;
  EXPECT_FALSE(ToVoltsForDisplayed(r));
  EXPECT_FALSE(ClearVolts(r));
}

}  // namespace
}  // namespace sondrix
