#include "load/load_file.h"
#include "load/trig_addr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "csv/csv_layout.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "model/scale.h"

#include "support/files.h"
#include "support/recording_sink.h"
#include "synth/instrument_csv_writer.h"
#include "synth/wfm_writer.h"
#include "wfm/messages.h"

namespace sondrix {
namespace {

std::vector<std::int16_t> firstSamples(const WaveRecord& r, std::size_t ch, std::size_t n) {
  return {r.buffers.SrcData[ch].begin(), r.buffers.SrcData[ch].begin() + n};
}

// The converter reads a file of any other name as a capture; the window refuses it.
TEST(WaveFileKind, WfmCsvAndTxtInAnyCaseElseNone) {
  const std::pair<const char*, std::optional<FileKind>> cases[] = {
      {"a.csv", FileKind::Csv},     {"B.CSV", FileKind::Csv}, {"dir.wfm/c.Txt", FileKind::Csv},
      {".txt", FileKind::Csv},      {"a.wfm", FileKind::Wfm}, {"csv", std::nullopt},
      {"a.csv.WfM", FileKind::Wfm}, {"a.tx", std::nullopt},   {"dir.csv/a", std::nullopt}};
  for (const auto& [name, kind] : cases) {
    EXPECT_EQ(WaveFileKind(name), kind) << name;
    EXPECT_EQ(KindOfFile(name), kind.value_or(FileKind::Wfm)) << name;
  }
}

TEST(LoadWfm, FillsTheSourceArraysAndTheTriggerIndexWithTheCaptionAndFailuresKeepThem) {
  synth::Capture capture = synth::SineCapture(4, 1000);
  capture.delay = "1.0e-03";  // one division late: the trigger 100 samples right of the centre
  const std::string bytes = synth::SerializeWfm(synth::MakeCapture(capture));
  testing::TempDir dir;
  synth::WriteBytes(dir.path() / "four.wfm", bytes);
  testing::RecordingSink sink;
  WaveRecord record;  // the second load reads into the record of the first, as the window does
  for (const bool fromFile : {true, false}) {
    const LoadResult r = fromFile ? LoadFile(dir.path() / "four.wfm", record, sink)
                                  : LoadWfmBytes(bytes, record, sink);
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(std::tuple(r.acqDataSizeText, record.header.Points, record.header.TrigAddr),
              std::tuple("全取込データ数=1000", 1000, 600));
    EXPECT_EQ(firstSamples(record, 3, 1000), capture.channels[3].samples);
    EXPECT_FALSE(LoadFile(dir.path() / "missing.wfm", record, sink).ok);
  }

  const auto before = firstSamples(record, 0, 1000);
  const LoadResult unknown = LoadWfmBytes("ModelName = nothing we know\r\n", record, sink);
  EXPECT_EQ(std::tuple(unknown.ok, unknown.reason.empty(), unknown.acqDataSizeText),
            std::tuple(false, false, "全取込データ数=1000"));
  // A model line of three channels reads, but cannot be shown.
  synth::Capture three = synth::SineCapture(4, 500);
  three.model = synth::ZtModel(6, 3);
  const LoadResult odd = LoadWfmBytes(synth::SerializeWfm(synth::MakeCapture(three)), record, sink);
  EXPECT_EQ(std::tuple(odd.ok, odd.acqDataSizeText, sink.messages().back(), record.header.Points),
            std::tuple(false, "全取込データ数=500", wfm_messages::kReadError, 1000));
  EXPECT_EQ(firstSamples(record, 0, 1000), before);
}

TEST(LoadCsv, DisplayedChannelsBecomeCountsWithTheTriggerIndex) {
  synth::InstrumentCsv csv;
  csv.model = "DSX7002";
  csv.delay = 2e-3;  // two divisions of 0.5 ms
  csv.channels = {{true, 0.0f, 1.0f}, {false, 0.0f, 1.0f}};
  csv.volts = {{0.5f, -1.0f, 0.25f, 0.0f, 1.0f, 2.0f, -2.0f, 0.125f, 0.0f, 1.0f},
               std::vector<float>(10, 3.0f)};
  WaveRecord record;
  NullSink sink;
  const LoadResult r = LoadCsvBytes(synth::SerializeInstrumentCsv(csv), record, sink);
  ASSERT_TRUE(r.ok) << r.reason;
  // 2 ms late at 0.5 ms/div: four divisions of one sample each right of the centre. A CSV file
  // carries no format version: the converter's --info shows that of a fresh record, 0.
  const WaveHeader& h = record.header;
  EXPECT_EQ(std::tuple(r.acqDataSizeText, h.Points, h.TrigAddr, h.WfmVersion,
                       record.buffers.SrcData[0].size()),
            std::tuple("全取込データ数=10", 10, 9, 0, 11u));
  const std::vector<std::int16_t> counts{4096, -8192, 2048};
  EXPECT_EQ(firstSamples(record, 0, 3), counts);

  const WaveHeader before = h;
  const LoadResult bad = LoadCsvBytes("Points,500\r\nCH1 Display,OFF\r\nDelay,x\r\n", record, sink);
  EXPECT_NE(bad.reason.find("line 3"), std::string::npos) << bad.reason;
  EXPECT_EQ(
      std::tuple(bad.ok, bad.acqDataSizeText.has_value(), h.Points, h.Channel[0].DispOn, h.Delay),
      std::tuple(false, false, before.Points, 1, before.Delay));
  EXPECT_EQ(firstSamples(record, 0, 3), counts);

  // No point line, no caption.
  const LoadResult bare =
      LoadCsvBytes("CH1 Display,ON\nCH1 V/div,1\nCH1 V,CH2 V\n1,2\n", record, sink);
  ASSERT_TRUE(bare.ok) << bare.reason;
  EXPECT_FALSE(bare.acqDataSizeText);
}

// What the converter and the picture refuse as holding no waveform; the window plays it all.
TEST(LoadCsv, NoWaveformReasons) {
  const std::pair<std::string, std::string> rows[] = {
      {"CH1 Display,ON\n1,2\n",
       "no column header line (\"CH1 ...,CH2 ...\" or \"Time...,CH1 ...\") was found"},
      {"CH1 V,CH2 V\n/ no data\n", "no data line follows the column header"},
      {"CH1 V,CH2 V\nfoo,bar\n1,2\n1,2\n1,2\n1,2\n1,2\n", "the first data line holds no number"},
      // Five lines round half to the even 0.
      {"CH1 V,CH2 V\n1,2\n1,2\n1,2\n1,2\n1,2\n",
       "no point is left of 5 data lines (the count is rounded to tens)"},
      {"Time(s),CH1 V\n0,1\n0,1\n0,1\n0,1\n0,1\n0,1\n", ""},
  };
  for (const auto& [text, reason] : rows) {
    WaveRecord record;
    NullSink sink;
    const LoadResult loaded = LoadCsvBytes(text, record, sink);
    ASSERT_TRUE(loaded.ok) << loaded.reason;
    EXPECT_EQ(NoWaveformReason(loaded, record.header).value_or(""), reason) << text;
  }
}

TEST(LoadCsv, AStoredCaptureReadsBack) {
  synth::Capture capture = synth::SineCapture(4, 1000);
  capture.delay = "1.000000e-03";
  capture.channels[1].invert = true;
  capture.channels[1].voltsPerDiv = "2V";
  capture.channels[2].probe = "10X";
  capture.channels[2].offset = "250mV";
  capture.channels[3].display = false;
  testing::TempDir dir;
  NullSink sink;
  WaveRecord stored;
  ASSERT_TRUE(LoadWfmBytes(synth::SerializeWfm(synth::MakeCapture(capture)), stored, sink).ok);
  ASSERT_TRUE(ToVoltsForDisplayed(stored));
  const WaveHeader& a = stored.header;
  ASSERT_TRUE(WriteCsvFile(dir.path() / "cap.CSV", a, stored.buffers.VoltData, 0, sink).ok());

  WaveRecord back;
  const WaveHeader& b = back.header;
  ASSERT_TRUE(LoadFile(dir.path() / "cap.CSV", back, sink).ok);
  EXPECT_EQ(std::tuple(b.TimeDiv, b.Delay, b.Delta, b.Points, b.ChCount, b.TrigAddr),
            std::tuple(a.TimeDiv, a.Delay, a.Delta, a.Points, a.ChCount, a.TrigAddr));
  const double relative = 0.5 * std::pow(10.0, -ValueDecimals(a));  // of the printed volts
  for (std::size_t k = 0; k < kChannelCount; ++k) {
    const ChannelSetup& ca = a.Channel[k];
    const ChannelSetup& cb = b.Channel[k];
    EXPECT_EQ(std::tuple(cb.Vdiv, cb.Offset, cb.Unit, cb.DispOn),
              std::tuple(ca.Vdiv, ca.Offset, ca.Unit, k == 3 ? 0 : 1));
    for (std::size_t i = 0; i < 1000 && cb.DispOn == 1; ++i) {
      const double v = std::fabs(stored.buffers.VoltData[k][i]);
      ASSERT_NEAR(back.buffers.SrcData[k][i], stored.buffers.SrcData[k][i],
                  0.5 + v * relative / ca.Vdiv * kCountsPerDivision)
          << "channel " << k + 1 << " sample " << i;
    }
  }
}

// Rounding and saturation are RoundClampInt32's, tested there; no time per division, no delay.
TEST(ComputeTrigAddrTest, CentreMovedByATenthOfTheRecordPerDivision) {
  const std::tuple<double, double, std::int32_t, std::int32_t> cases[] = {
      {0, 1, INT32_MAX, 1073741824}, {0, 1e-3, 10000, 5000},         {0, 1e-3, 7, 4},
      {-100, 1, 1000, -9500},        {1e300, 1e-300, 10, INT32_MAX}, {1, 4, 10, 5},
      {1e-3, 1e-3, 10000, 6000},     {-2e-3, 1e-3, 10000, 3000},     {5e-3, 0, 10000, 5000}};
  for (const auto& [delay, timeDiv, points, want] : cases) {
    EXPECT_EQ(ComputeTrigAddr(delay, timeDiv, points), want)
        << delay << " / " << timeDiv << " at " << points << " points";
  }
}

}  // namespace
}  // namespace sondrix
