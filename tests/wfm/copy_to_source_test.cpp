#include "wfm/copy_to_source.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>
#include <vector>

namespace sondrix {
namespace {

using Samples = std::vector<std::int16_t>;

// A record as the reader leaves it: `channels` columns of the given samples.
void setRead(WaveRecord& record, std::int32_t channels, const std::vector<Samples>& columns,
             double timeDiv = 1e-3) {
  record.WfmChannels = channels;
  record.header.TimeDiv = timeDiv;
  WaveBuf& buf = record.waveBuf;
  buf.points = static_cast<std::int32_t>(columns[0].size());
  buf.channels = channels;
  buf.storedChannels = static_cast<std::int32_t>(columns.size());
  buf.samples.clear();
  for (const auto& c : columns) buf.samples.insert(buf.samples.end(), c.begin(), c.end());
}

Samples source(const WaveRecord& r, int ch, std::size_t n) {
  const auto& s = r.buffers.SrcData[static_cast<std::size_t>(ch)];
  return {s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n)};
}

TEST(CopyWaveToSource, InvertsOnExactlyOnAndATwoChannelFileLeavesChannelsThreeAndFour) {
  WaveRecord r;
  const char* chrev[] = {"ON", "on", "", "ON"};
  for (int ch = 0; ch < 4; ++ch) r.header.Channel[static_cast<std::size_t>(ch)].Chrev = chrev[ch];
  const Samples samples{-32768, 32767, 0, -5, 1, 1, 1, 1};
  const Samples inverted{-32768, -32767, 0, 5, -1, -1, -1, -1};  // the lowest count is kept
  setRead(r, 4, {samples, samples, samples, samples});
  ASSERT_TRUE(CopyWaveToSource(r).ok());
  EXPECT_TRUE(HasUpperChannels(r));
  EXPECT_EQ(std::tuple(r.buffers.SrcData[3].size(), r.buffers.SrcData[3][8]), std::tuple(9u, 0))
      << "sized for drawing at once, the sample past the end zero";
  for (int ch = 0; ch < 4; ++ch)
    EXPECT_EQ(source(r, ch, 8), std::string_view(chrev[ch]) == "ON" ? inverted : samples) << ch;
  // A shorter two-channel file: channels 3 and 4, and the longer tails, stay.
  setRead(r, 2, {Samples(5, 7), Samples(5, 8)});
  ASSERT_TRUE(CopyWaveToSource(r).ok());
  EXPECT_FALSE(HasUpperChannels(r));
  EXPECT_EQ(source(r, 1, 8), (Samples{8, 8, 8, 8, 8, 1, 1, 1}));
  EXPECT_EQ(std::tuple(source(r, 2, 8), r.header.Points), std::tuple(samples, 5));
  EXPECT_DOUBLE_EQ(r.header.Delta, 2e-3) << "ten divisions of 1 ms over 5 points";
}

TEST(CopyWaveToSource, RefusesWhatItCannotHoldAndChangesNothing) {
  WaveRecord r;
  r.buffers.SrcData[0].assign(3, 99);
  setRead(r, 1, {{5, 6, 7}});
  EXPECT_FALSE(CopyWaveToSource(r).ok()) << "channel 2 is always copied";
  setRead(r, 3, {{5, 6, 7}, {5, 6, 7}, {5, 6, 7}});
  EXPECT_FALSE(CopyWaveToSource(r).ok()) << "channels 3 and 4 are copied together";
  EXPECT_EQ(source(r, 0, 3), (Samples{99, 99, 99}));
  WaveRecord fresh;
  setRead(fresh, 2, {{1, 2}, {3, 4}}, 1e308);
  EXPECT_EQ(CopyWaveToSource(fresh).reason, "the sample interval is not finite");
  EXPECT_EQ(std::tuple(fresh.header.Points, fresh.buffers.SrcData[0].size()), std::tuple(0, 0u));
  setRead(r, 2, {Samples(kSampleCapacity, 1), Samples(kSampleCapacity, 2)});
  EXPECT_TRUE(CopyWaveToSource(r).ok()) << "as many points as the arrays hold";
  setRead(r, 2, {{1, 2}, {3, 4}});
  r.waveBuf.samples.pop_back();  // fewer samples than its points and columns
  EXPECT_EQ(CopyWaveToSource(r).reason, "no samples were read");
  WaveRecord empty;  // no points: nothing to copy, whatever the time per division
  EXPECT_EQ(CopyWaveToSource(empty).reason, "no samples were read");
}

}  // namespace
}  // namespace sondrix
