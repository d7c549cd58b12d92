#include "load/spare_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/recording_sink.h"
#include "synth/wfm_writer.h"

namespace sondrix {
namespace {

std::string wfmOf(int channels, std::size_t points) {
  return synth::SerializeWfm(synth::MakeCapture(synth::SineCapture(channels, points)));
}

// The samples a load has determined: those of every record read so far and the drawing's
// sample past each. Samples of a grown channel that no file wrote are left out.
struct Written {
  std::array<std::size_t, kChannelCount> upTo{};
  void add(const WaveRecord& record) {
    for (std::size_t ch = 0; ch < static_cast<std::size_t>(record.waveBuf.storedChannels); ++ch) {
      upTo[ch] = std::max(upTo[ch], static_cast<std::size_t>(record.header.Points) + 1);
    }
  }
};

void expectSameSamples(const WaveRecord& got, const WaveRecord& want, const Written& written,
                       const std::string& step) {
  for (std::size_t ch = 0; ch < kChannelCount; ++ch) {
    const std::size_t n = written.upTo[ch];
    ASSERT_GE(got.buffers.SrcData[ch].size(), want.buffers.SrcData[ch].size()) << step;
    EXPECT_TRUE(std::equal(want.buffers.SrcData[ch].begin(), want.buffers.SrcData[ch].begin() + n,
                           got.buffers.SrcData[ch].begin()))
        << step << ", channel " << ch + 1;
  }
}

// Loads through spare arrays leave what loads straight into the shown arrays leave: longer and
// shorter records, two-channel files that keep channels 3 and 4, and the sample past each.
TEST(LoadBesideShown, LeavesWhatAReadIntoTheShownArraysLeaves) {
  const std::pair<int, std::size_t> files[] = {{4, 2000}, {4, 300},  {4, 1000}, {2, 300},
                                               {4, 400},  {2, 3000}, {4, 700}};
  testing::RecordingSink sink;
  WaveRecord straight;
  WaveRecord beside;
  SourceArrays spare;
  Written written;
  for (const auto& [channels, points] : files) {
    const std::string bytes = wfmOf(channels, points);
    const std::string step = std::to_string(channels) + " x " + std::to_string(points);
    ASSERT_TRUE(LoadWfmBytes(bytes, straight, sink).ok) << step;
    const LoadResult loaded = LoadBesideShown(
        beside, spare, [&](WaveRecord& record) { return LoadWfmBytes(bytes, record, sink); });
    ASSERT_TRUE(loaded.ok) << step << ": " << loaded.reason;
    written.add(straight);
    expectSameSamples(beside, straight, written, step);
  }
}

// A read that fails after it placed samples (the file cut short while it was read) leaves every
// shown sample as it was.
TEST(LoadBesideShown, AFailedLoadKeepsTheShownSamples) {
  testing::RecordingSink sink;
  WaveRecord record;
  SourceArrays spare;
  const std::string shown = wfmOf(4, 500);
  ASSERT_TRUE(LoadBesideShown(record, spare, [&](WaveRecord& r) {
                return LoadWfmBytes(shown, r, sink);
              }).ok);
  const SourceArrays before = record.buffers.SrcData;
  const std::string other = wfmOf(4, 800);
  const LoadResult failed = LoadBesideShown(record, spare, [&](WaveRecord& r) {
    LoadResult partly = LoadWfmBytes(other, r, sink);
    partly.ok = false;
    return partly;
  });
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(record.buffers.SrcData, before);
}

}  // namespace
}  // namespace sondrix
