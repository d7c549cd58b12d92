#include "wfm/copy_to_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace sondrix {
namespace {

// A record as the reader leaves it: `channels` columns of the given samples.
void setRead(WaveRecord& record, std::int32_t channels,
             const std::vector<std::vector<std::int16_t>>& columns, double timeDiv = 1e-3) {
  record.WfmChannels = channels;
  record.header.TimeDiv = timeDiv;
  WaveBuf& buf = record.waveBuf;
  buf.points = static_cast<std::int32_t>(columns[0].size());
  buf.channels = channels;
  buf.storedChannels = static_cast<std::int32_t>(columns.size());
  buf.samples.clear();
  for (const auto& c : columns) buf.samples.insert(buf.samples.end(), c.begin(), c.end());
}

std::vector<std::int16_t> source(const WaveRecord& r, int ch, std::size_t n) {
  const auto& s = r.buffers.SrcData[static_cast<std::size_t>(ch)];
  return {s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n)};
}

TEST(CopyWaveToSource, InvertsOnlyOnExactlyOnWithTheLowestCountKept) {
  WaveRecord r;
  r.header.Channel[0].Chrev = "ON";
  r.header.Channel[1].Chrev = "on";
  r.header.Channel[2].Chrev = "";
  r.header.Channel[3].Chrev = "ON";
  const std::vector<std::int16_t> samples{-32768, 32767, 0, -5};
  setRead(r, 4, {samples, samples, samples, samples});
  ASSERT_TRUE(CopyWaveToSource(r).ok());
  EXPECT_EQ(source(r, 0, 4), (std::vector<std::int16_t>{-32768, -32767, 0, 5}));
  EXPECT_EQ(source(r, 1, 4), samples);
  EXPECT_EQ(source(r, 2, 4), samples);
  EXPECT_EQ(source(r, 3, 4), (std::vector<std::int16_t>{-32768, -32767, 0, 5}));
}

TEST(CopyWaveToSource, SetsPointsAndTheSampleInterval) {
  WaveRecord r;
  setRead(r, 2, {std::vector<std::int16_t>(10000, 1), std::vector<std::int16_t>(10000, 2)});
  ASSERT_TRUE(CopyWaveToSource(r).ok());
  EXPECT_EQ(r.header.Points, 10000);
  EXPECT_DOUBLE_EQ(r.header.Delta, 1e-6);
}

TEST(CopyWaveToSource, TwoChannelFileLeavesChannelsThreeAndFourAndLongerTails) {
  WaveRecord r;
  setRead(r, 4,
          {std::vector<std::int16_t>(8, 1), std::vector<std::int16_t>(8, 2),
           std::vector<std::int16_t>(8, 3), std::vector<std::int16_t>(8, 4)});
  ASSERT_TRUE(CopyWaveToSource(r).ok());
  EXPECT_TRUE(HasUpperChannels(r));
  setRead(r, 2, {std::vector<std::int16_t>(5, 7), std::vector<std::int16_t>(5, 8)});
  ASSERT_TRUE(CopyWaveToSource(r).ok());
  EXPECT_FALSE(HasUpperChannels(r));
  EXPECT_EQ(source(r, 0, 8), (std::vector<std::int16_t>{7, 7, 7, 7, 7, 1, 1, 1}));
  EXPECT_EQ(source(r, 2, 8), std::vector<std::int16_t>(8, 3));
  EXPECT_EQ(r.header.Points, 5);
}

TEST(CopyWaveToSource, AChannelWithoutAColumnFailsTheCopy) {
  WaveRecord r;
  r.buffers.SrcData[0].assign(3, 99);
  setRead(r, 1, {{5, 6, 7}});
  EXPECT_FALSE(CopyWaveToSource(r).ok()) << "channel 2 is always copied";
  setRead(r, 3, {{5, 6, 7}, {5, 6, 7}, {5, 6, 7}});
  EXPECT_FALSE(CopyWaveToSource(r).ok()) << "channels 3 and 4 are copied together";
  EXPECT_EQ(source(r, 0, 3), (std::vector<std::int16_t>{99, 99, 99}));
}

TEST(CopyWaveToSource, RefusesWhatItCannotHoldAndChangesNothing) {
  WaveRecord r;
  setRead(r, 2, {{1, 2}, {3, 4}}, 1e308);  // Delta would overflow
  EXPECT_FALSE(CopyWaveToSource(r).ok());
  EXPECT_EQ(r.header.Points, 0);
  EXPECT_TRUE(r.buffers.SrcData[0].empty());
  WaveRecord empty;
  EXPECT_FALSE(CopyWaveToSource(empty).ok());
  WaveRecord shortMatrix;
  setRead(shortMatrix, 2, {{1, 2}, {3, 4}});
  shortMatrix.waveBuf.samples.pop_back();  // fewer samples than its points and columns
  EXPECT_EQ(CopyWaveToSource(shortMatrix).reason, "no samples were read");
}

}  // namespace
}  // namespace sondrix
