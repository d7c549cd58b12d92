#include "wfm/wfm_reader.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "support/files.h"
#include "support/recording_sink.h"
#include "synth/signals.h"
#include "synth/wfm_writer.h"
#include "wfm/messages.h"

namespace sondrix {
namespace {

using synth::Capture;
using synth::WfmFile;
using Samples = std::vector<std::int16_t>;

class WfmReaderTest : public ::testing::Test {
 protected:
  ReadResult read(const std::string& bytes) {
    sink.calls.clear();
    return ReadWfmBytes(bytes, record, sink);
  }
  ReadResult read(const WfmFile& file) { return read(synth::SerializeWfm(file)); }

  Samples column(int ch) const {
    const auto& c = record.buffers.SrcData[static_cast<std::size_t>(ch)];
    return {c.begin(), c.begin() + record.waveBuf.points};
  }

  // Four channels of different sines, the last replaced by a ramp over the whole count range.
  static Capture fourChannels(std::size_t n) {
    Capture capture = synth::SineCapture(4, n);
    capture.channels[3].samples = synth::Ramp(n, -32768, 32767);
    return capture;
  }

  static WfmFile twoBlocks(const std::string& model, const Samples& block) {
    WfmFile file;
    file.headerLines = {"ModelName = " + model, "Time/Div = 1ms"};
    file.binary.points = static_cast<std::int32_t>(block.size());
    file.binary.blockLen = file.binary.points;
    file.binary.blocks = {block, block};
    return file;
  }

  testing::TempDir dir;
  testing::RecordingSink sink;
  WaveRecord record;
};

TEST_F(WfmReaderTest, ReadsFourBlocksWhateverTheFirstTwoBytesAndForAnEightChannelModel) {
  Capture capture = fourChannels(3000);
  capture.leadingSkip = 7;
  capture.trailingSpare = 5;
  for (const int channels : {4, 8}) {
    capture.model = synth::ZtModel(6, channels);
    std::string bytes = synth::SerializeWfm(synth::MakeCapture(capture));
    if (channels == 8) bytes.replace(0, 2, "\xFFz");  // the first two bytes are never looked at
    const ReadResult r = read(bytes);
    ASSERT_TRUE(r.ok()) << r.reason;
    EXPECT_EQ(sink.messages(), (std::vector<std::string>{wfm_messages::kMayTakeAWhile,
                                                         wfm_messages::kReadComplete}));
    EXPECT_EQ(std::tuple(record.WfmChannels, record.waveBuf.storedChannels, record.WfmPoints,
                         record.header.DataWidth, record.header.ModelName),
              std::tuple(channels, 4, 3000, 64, capture.model + "\r"));
    for (int ch = 0; ch < 4; ++ch) EXPECT_EQ(column(ch), capture.channels[ch].samples) << ch;
  }
}

// The samples go straight into the source arrays, negated where the channel is inverted (the
// lowest count stays), sized for drawing at once; what a load does not take stays as it was.
TEST_F(WfmReaderTest, PlacesTheSamplesOfTheChannelsALoadTakesAndNothingElse) {
  Capture four = fourChannels(8);
  const Samples samples{-32768, 32767, 0, -5, 1, 1, 1, 1};
  const Samples negated{-32768, -32767, 0, 5, -1, -1, -1, -1};
  for (auto& ch : four.channels) ch.samples = samples;
  four.channels[0].invert = four.channels[3].invert = true;
  ASSERT_TRUE(read(synth::MakeCapture(four)).ok());
  for (int ch = 0; ch < 4; ++ch) EXPECT_EQ(column(ch), ch % 3 == 0 ? negated : samples) << ch;
  EXPECT_EQ(std::tuple(record.buffers.SrcData[3].size(), record.buffers.SrcData[3][8]),
            std::tuple(9u, 0))
      << "the sample past the end";
  const auto whole = [&] { return record.buffers.SrcData; };
  const auto placed = whole();
  // A file lacking a channel the load takes, or cut short in its last block, places nothing.
  Capture three = synth::SineCapture(3, 8);
  three.model = synth::ZtModel(6, 3);
  ASSERT_TRUE(read(synth::MakeCapture(three)).ok());
  EXPECT_EQ(whole(), placed);
  const std::string cut = synth::SerializeWfm(synth::MakeCapture(synth::SineCapture(4, 8)));
  EXPECT_FALSE(read(cut.substr(0, cut.size() - 1)).ok());
  EXPECT_EQ(whole(), placed);
  // A shorter two-channel file: channels 3 and 4, and the longer tails, stay.
  Capture two = synth::SineCapture(2, 5);
  two.model = synth::ZtModel(6, 2);
  ASSERT_TRUE(read(synth::MakeCapture(two)).ok());
  EXPECT_EQ(column(1), two.channels[1].samples);
  EXPECT_EQ(Samples(record.buffers.SrcData[1].begin() + 5, record.buffers.SrcData[1].begin() + 8),
            (Samples{1, 1, 1}));
  EXPECT_EQ(record.buffers.SrcData[2], placed[2]);
  Capture one = synth::SineCapture(1, 5);
  one.model = synth::ZtModel(6, 1);
  EXPECT_TRUE(read(synth::MakeCapture(one)).ok()) << "a one-channel model";
}

TEST_F(WfmReaderTest, TheBinaryHeaderSizesAndPlacesTheShownSamples) {
  // The data-width field chooses the sample size: block bytes 80 7F FF 01 are the 8-bit samples
  // -128, 127, -1, 1 or the 16-bit 807F, FF01. Rows: the field's bytes, the long header, 16-bit
  // samples; 0x0780 / 256 = 7.5 and 0x0880 / 256 = 8.5 both go to the even 8.
  const Samples wide{-32641, -255};
  const Samples narrow{-128, 127, -1, 1};
  const Samples narrowRead{-32768, 32512, -256, 256};  // each 8-bit step is 256 counts
  const std::tuple<std::uint8_t, std::uint8_t, bool, bool> widths[] = {
      {0x00, 0x08, false, true}, {0x00, 0x40, true, true},  {0x00, 0x00, false, false},
      {0x00, 0x01, true, false}, {0x80, 0x07, false, true}, {0x80, 0x08, false, true}};
  for (const auto& [first, second, longHeader, sixteenBit] : widths) {
    WfmFile file = twoBlocks(synth::ZtModel(longHeader ? 6 : 5, 2), sixteenBit ? wide : narrow);
    file.binary.longHeader = longHeader;
    file.binary.dataWidthField = {first, second};
    const ReadResult r = read(file);
    ASSERT_TRUE(r.ok()) << r.reason;
    EXPECT_EQ(column(0), sixteenBit ? wide : narrowRead) << int(first) << " " << int(second);
  }

  // The first index plus four is where the shown samples start.
  const struct {
    std::int32_t firstIndex;
    std::int32_t points;
    std::uint8_t width;
    Samples want;  // empty: a read error
  } cases[] = {{-10, 3, 0x08, {10, 11, 12}},
               {2, 3, 0x08, {}},                               // 6 + 3 > 8
               {2, 1, 0x08, {16}},                             // one sample is a capture too
               {0, 3, 0x01, {14 * 256, 15 * 256, 16 * 256}}};  // 8-bit: one byte per sample
  WfmFile file = twoBlocks(synth::QkModel(2), {10, 11, 12, 13, 14, 15, 16, 17});
  for (const auto& c : cases) {
    file.binary.firstIndex = c.firstIndex;
    file.binary.points = c.points;
    file.binary.dataWidthField = {0x00, c.width};
    EXPECT_EQ(read(file).ok() ? column(0) : Samples{}, c.want) << c.firstIndex << " " << c.points;
  }
  WfmFile lone = twoBlocks(synth::QkModel(2), {42});
  lone.binary.firstIndex = -10;
  EXPECT_EQ(read(lone).ok() ? column(0) : Samples{}, Samples{42}) << "a block of one sample";
}

TEST_F(WfmReaderTest, EveryBrokenFileIsAReadErrorWithAReason) {
  const WfmFile good = synth::MakeCapture(fourChannels(64));
  const auto broken = [&](auto change) {
    WfmFile f = good;
    change(f.headerLines, f.binary);
    return synth::SerializeWfm(f);
  };
  const std::string goodBytes = synth::SerializeWfm(good);
  const std::size_t binaryStart = goodBytes.find("[END OF SETUP]\r\n") + 16;
  const struct {
    std::string bytes;
    const char* reason;  // a part of it
  } cases[] = {
      {"", "the file ends before its setup header"},
      {goodBytes.substr(0, binaryStart - 16), "the file ends before \"[END OF SETUP]\""},
      {broken([](auto&, auto& b) { b.blockLen = b.points - 1; }), "fewer than 64"},
      {broken([](auto&, auto& b) { b.points = 0; }), "gives 0 points"},
      {broken([](auto&, auto& b) { b.points = b.blockLen = 5'000'012; }), "more than the 5000011"},
      // As many points as the program holds pass that test and meet the next.
      {broken([](auto&, auto& b) { b.points = 5'000'011; }), "fewer than 5000011"},
      {broken([](auto& h, auto&) { h[0] = "ModelName = " + synth::ZtModel(6, 0); }), "0 channels"},
      {goodBytes.substr(0, goodBytes.size() - 1), "channel 4 ends before its 64 samples"},
      {goodBytes.substr(0, binaryStart + 20), "the file ends within the binary header"},
      {broken([](auto& h, auto&) { h[4] = "Time/Div = 0ms"; }), "time per division is 0 or not"},
      {broken([](auto& h, auto&) { h[4] = "Time/Div = 1E308"; }),
       "over 10 divisions is not finite"},
      {"Mo" + std::string(2 << 20, 'A') + "\n", "longer than 1048576 bytes"},
      {broken([](auto&, auto& b) { b.firstIndex = INT32_MAX; }),
       "the first sample index overflows"},
      {broken([](auto&, auto& b) { b.firstIndex = INT32_MAX - 4; }),
       "fewer than 2147483711 (first index + points)"},
  };
  for (const auto& c : cases) {
    const ReadResult r = read(c.bytes);
    EXPECT_EQ(r.status, ReadStatus::ReadError) << c.reason;
    EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
    EXPECT_EQ(sink.messages().back(), wfm_messages::kReadError) << c.reason;
  }
  // A large time per division is fine while the sample interval stays finite.
  EXPECT_TRUE(read(broken([](auto& h, auto&) { h[4] = "Time/Div = 1E306"; })).ok());

  EXPECT_EQ(ReadWfmFile(dir / "absent.wfm", record, sink).reason,
            "the file cannot be opened: No such file or directory");
  // From a file, blocks larger than the read buffer go straight to the samples, and the reader
  // still knows where it is when a later block is cut short.
  const std::string large = synth::SerializeWfm(synth::MakeCapture(fourChannels(40'000)));
  synth::WriteBytes(dir / "cut.wfm", large.substr(0, large.size() - 40'000 * 2 - 100));
  EXPECT_NE(ReadWfmFile(dir / "cut.wfm", record, sink).reason.find("channel 3 ends before"),
            std::string::npos);
}

TEST_F(WfmReaderTest, AFailedReadKeepsWhatItHadAlreadySet) {
  ASSERT_TRUE(read(synth::MakeCapture(fourChannels(10))).ok());
  Capture next = fourChannels(10);
  next.acquisitionMode = "Average";
  next.delay = "not a number";  // fails after the mode line, before the channels
  next.channels[0].voltsPerDiv = "2V";
  EXPECT_EQ(read(synth::MakeCapture(next)).status, ReadStatus::ReadError);
  EXPECT_EQ(record.header.AcqMode, "Average\r");
  EXPECT_FLOAT_EQ(record.header.Channel[0].Vdiv, 0.5f) << "not reached: the earlier file's value";
  // An unknown series stops the read at the model line, and is no read error.
  WfmFile other = synth::MakeCapture(fourChannels(10));
  other.headerLines[0] = "ModelName = OTHER-SCOPE-1234";
  EXPECT_EQ(read(other).status, ReadStatus::UnknownSeries);
  EXPECT_EQ(sink.messages(), std::vector<std::string>{wfm_messages::kMayTakeAWhile});
  EXPECT_EQ(record.header.AcqMode, "Average\r");
}

// Read where they lie, piece by piece, the samples are those the whole read places.
TEST_F(WfmReaderTest, ASampleReaderReadsThePiecesTheWholeReadPlaces) {
  Capture capture = fourChannels(5000);
  capture.leadingSkip = 3;
  capture.channels[2].invert = true;
  for (const bool sixteenBit : {true, false}) {
    capture.sixteenBit = sixteenBit;
    const std::string bytes = synth::SerializeWfm(synth::MakeCapture(capture));
    ASSERT_TRUE(read(bytes).ok());
    WaveRecord header;
    WfmSampleReader samples;
    ASSERT_TRUE(samples.openBytes(bytes, header, sink).ok());
    EXPECT_EQ(sink.messages().back(), wfm_messages::kReadComplete);
    for (int ch = 0; ch < 4; ++ch) {
      Samples piece(1234);
      ASSERT_TRUE(samples.read(ch, 3766, piece).ok());
      const Samples whole = column(ch);
      EXPECT_EQ(piece, Samples(whole.begin() + 3766, whole.end())) << ch;
    }
    Samples beyond(1235);
    EXPECT_FALSE(samples.read(3, 3766, beyond).ok());
    EXPECT_FALSE(samples.read(4, 0, std::span(beyond).first(1)).ok());
  }
}

}  // namespace
}  // namespace sondrix
