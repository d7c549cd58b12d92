#include "python/capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "load/load_file.h"
#include "model/ui_sink.h"
#include "model/volts.h"
#include "support/files.h"
#include "synth/instrument_csv_writer.h"
#include "synth/signals.h"
#include "synth/wfm_writer.h"

namespace sondrix::python {
namespace {

// A capture is read piece by piece on any number of threads, its volts made as each piece
// arrives: it must hold the counts the converter's load makes of the file, and their volts, to the
// bit. 600,001 samples make pieces that meet inside every channel and a shorter last one.
TEST(ReadCaptureTest, PiecesOnAnyThreadsHoldTheLoadsCountsAndTheirVolts) {
  const testing::TempDir dir;
  constexpr std::size_t n = 600'001;
  for (const bool sixteenBit : {true, false}) {
    synth::Capture made = synth::SineCapture(4, n);
    made.sixteenBit = sixteenBit;
    made.leadingSkip = 3;
    made.trailingSpare = 2;
    made.channels[1].samples = synth::Ramp(n, -32768, 32767);
    made.channels[1].voltsPerDiv = "2V";
    made.channels[1].offset = "-1.5V";
    made.channels[2].invert = true;
    made.channels[3].display = false;
    const auto path = dir.path() / (sixteenBit ? "sixteen.WFM" : "eight.WFM");
    synth::WriteBytes(path, synth::SerializeWfm(synth::MakeCapture(made)));
    WaveRecord loaded;
    NullSink quiet;
    ASSERT_TRUE(LoadWfmFile(path, loaded, quiet).ok);

    for (const int threads : {1, 2, 5}) {
      SCOPED_TRACE(std::string(sixteenBit ? "16" : "8") + "-bit on " + std::to_string(threads) +
                   " thread(s)");
      const std::unique_ptr<Capture> capture = ReadCapture(path, threads);
      ASSERT_EQ(capture->shown(), (std::vector<int>{0, 1, 2}));
      ASSERT_EQ(capture->header().Points, static_cast<std::int32_t>(n));
      const Block<std::int16_t> raw = capture->raw();
      const Block<float>& volts = capture->volts();
      for (std::size_t row = 0; row < 3; ++row) {
        const auto& counts = loaded.buffers.SrcData[row];
        EXPECT_TRUE(std::equal(counts.begin(), counts.begin() + n, raw.data.get() + row * n))
            << "counts of row " << row;
        const ChannelSetup& setup = loaded.header.Channel[row];
        std::vector<float> expected(n);
        CountsToFloatVolts({counts.data(), n}, expected.data(), setup.Vdiv, setup.Offset);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), volts.data.get() + row * n))
            << "volts of row " << row;
      }
    }
  }
}

// A CSV file's volts are made from the counts its load gives back, in the same pieces.
TEST(ReadCaptureTest, CsvVoltsInPiecesAreThoseOfTheLoadsCounts) {
  const testing::TempDir dir;
  constexpr std::size_t lines = 300'001;
  synth::InstrumentCsv csv;
  csv.channels = {{.offset = 0.25f, .voltsPerDiv = 0.5f}, {.voltsPerDiv = 2.0f}};
  csv.volts = {synth::CountsToVolts(synth::Sine(lines, 20000, 3), 0.5f, 0.25f),
               synth::CountsToVolts(synth::Ramp(lines, -30000, 30000), 2.0f, 0.0f)};
  const auto path = dir.path() / "long.CSV";
  synth::WriteBytes(path, synth::SerializeInstrumentCsv(csv));
  WaveRecord loaded;
  NullSink quiet;
  ASSERT_TRUE(LoadFileStrict(path, loaded, quiet).ok);
  const auto n = static_cast<std::size_t>(loaded.header.Points);
  ASSERT_GT(n, std::size_t{1} << 18);  // more than one piece

  const std::unique_ptr<Capture> capture = ReadCapture(path, 2);
  ASSERT_EQ(capture->shown(), (std::vector<int>{0, 1}));
  ASSERT_EQ(capture->header().Points, loaded.header.Points);
  for (std::size_t row = 0; row < 2; ++row) {
    const ChannelSetup& setup = loaded.header.Channel[row];
    std::vector<float> expected(n);
    CountsToFloatVolts({loaded.buffers.SrcData[row].data(), n}, expected.data(), setup.Vdiv,
                       setup.Offset);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), capture->volts().data.get() + row * n))
        << "volts of row " << row;
  }
}

}  // namespace
}  // namespace sondrix::python
