#include "wfm/placed_samples.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace sondrix {
namespace {

// A record as the reader leaves it after reading `stored` blocks of `points` samples.
WaveRecord Read(std::int32_t channels, std::int32_t stored, std::int32_t points,
                double timeDiv = 1e-3) {
  WaveRecord record;
  record.WfmChannels = channels;
  record.header.TimeDiv = timeDiv;
  record.header.Points = 77;
  record.waveBuf = {points, channels, stored};
  return record;
}

TEST(AcceptPlacedSamples, TakesPointsAndDeltaOrRefusesChangingNothing) {
  const struct {
    WaveRecord read;
    std::string reason;  // empty: taken
  } cases[] = {
      {Read(4, 4, 5), ""},
      {Read(8, 4, 5), ""},
      {Read(2, 2, kSampleCapacity), ""},
      {Read(1, 1, 5), "the file holds 1 channel(s), but channels 1 to 2 are loaded together"},
      {Read(3, 3, 5), "the file holds 3 channel(s), but channels 1 to 4 are loaded together"},
      {Read(2, 2, 0), "no samples were read"},
      {Read(2, 2, kSampleCapacity + 1), "no samples were read"},
      {Read(2, 2, 5, 1e308), "the sample interval is not finite"},
  };
  for (auto c : cases) {
    const std::int32_t points = c.read.waveBuf.points;
    const ReadResult result = AcceptPlacedSamples(c.read);
    EXPECT_EQ(result.reason, c.reason) << c.read.WfmChannels << " " << points;
    EXPECT_EQ(HoldsLoadedChannels(c.read), c.reason.find("channel(s)") == std::string::npos);
    if (c.reason.empty()) {
      EXPECT_EQ(c.read.header.Points, points);
      EXPECT_DOUBLE_EQ(c.read.header.Delta, 1e-2 / points) << "ten divisions of 1 ms";
    } else {
      EXPECT_EQ(std::tuple(c.read.header.Points, c.read.header.Delta), std::tuple(77, 0.0));
    }
  }
  EXPECT_TRUE(HasUpperChannels(Read(3, 3, 5)));
  EXPECT_FALSE(HasUpperChannels(Read(2, 2, 5)));
}

}  // namespace
}  // namespace sondrix
