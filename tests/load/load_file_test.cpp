#include "load/load_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "csv/csv_layout.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "model/scale.h"

#include "support/recording_sink.h"
#include "support/temp_dir.h"
#include "synth/instrument_csv_writer.h"
#include "synth/wfm_writer.h"
#include "wfm/messages.h"

namespace sondrix {
namespace {

std::string sineWfm(int channels, std::size_t points) {
  return synth::SerializeWfm(synth::MakeCapture(synth::SineCapture(channels, points)));
}

std::vector<std::int16_t> firstSamples(const WaveRecord& r, std::size_t ch, std::size_t n) {
  return {r.buffers.SrcData[ch].begin(), r.buffers.SrcData[ch].begin() + n};
}

TEST(KindOfFile, CsvAndTxtInAnyCaseElseCapture) {
  for (const char* name : {"a.csv", "B.CSV", "dir.wfm/c.Txt", ".txt"}) {
    EXPECT_EQ(KindOfFile(name), FileKind::Csv) << name;
  }
  for (const char* name : {"a.wfm", "csv", "a.csv.wfm", "a.tx", "dir.csv/a"}) {
    EXPECT_EQ(KindOfFile(name), FileKind::Wfm) << name;
  }
}

TEST(LoadWfm, FillsTheSourceArraysAndTheTriggerIndexWithTheCaption) {
  WaveRecord record;
  testing::RecordingSink sink;
  synth::Capture capture = synth::SineCapture(4, 1000);
  capture.delay = "1.0e-03";  // one division late: the trigger 100 samples right of the centre
  const LoadResult r = LoadWfmBytes(synth::SerializeWfm(synth::MakeCapture(capture)), record, sink);
  ASSERT_TRUE(r.ok) << r.reason;
  EXPECT_EQ(r.acqDataSizeText, "全取込データ数=1000");
  EXPECT_EQ(record.header.Points, 1000);
  EXPECT_EQ(record.header.TrigAddr, 600);
  EXPECT_EQ(firstSamples(record, 3, 1000), capture.channels[3].samples);
  // A draw's smoothing may reach the sample after the record's last.
  for (const auto& source : record.buffers.SrcData) EXPECT_EQ(source.size(), 1001u);
  EXPECT_EQ(sink.messages().back(), wfm_messages::kReadComplete);
}

TEST(LoadWfm, FailuresKeepTheSamplesAndStillGiveTheCaption) {
  WaveRecord record;
  testing::RecordingSink sink;
  ASSERT_TRUE(LoadWfmBytes(sineWfm(4, 2000), record, sink).ok);
  const auto before = firstSamples(record, 0, 2000);

  const LoadResult unknown =
      LoadWfmBytes("ModelName = nothing we know\r\n[END OF SETUP]\r\n", record, sink);
  EXPECT_FALSE(unknown.ok);
  EXPECT_FALSE(unknown.reason.empty());
  EXPECT_EQ(unknown.acqDataSizeText, "全取込データ数=2000");

  // A model line of three channels reads, but cannot be shown.
  synth::Capture three = synth::SineCapture(4, 500);
  three.model = synth::ZtModel(6, 3);
  const LoadResult odd = LoadWfmBytes(synth::SerializeWfm(synth::MakeCapture(three)), record, sink);
  EXPECT_FALSE(odd.ok);
  EXPECT_EQ(odd.acqDataSizeText, "全取込データ数=500");
  EXPECT_EQ(sink.messages().back(), wfm_messages::kReadError);
  EXPECT_EQ(record.header.Points, 2000);
  EXPECT_EQ(firstSamples(record, 0, 2000), before);
}

TEST(LoadWfm, FileAndBytesLoadAlike) {
  testing::TempDir dir;
  const std::string bytes = sineWfm(2, 300);
  synth::WriteBytes(dir.path() / "two.wfm", bytes);
  WaveRecord fromFile;
  WaveRecord fromBytes;
  NullSink sink;
  ASSERT_TRUE(LoadFile(dir.path() / "two.wfm", fromFile, sink).ok);
  ASSERT_TRUE(LoadWfmBytes(bytes, fromBytes, sink).ok);
  EXPECT_EQ(fromFile.buffers.SrcData, fromBytes.buffers.SrcData);
  EXPECT_FALSE(LoadFile(dir.path() / "missing.wfm", fromFile, sink).ok);
}

synth::InstrumentCsv twoChannelCsv() {
  synth::InstrumentCsv csv;
  csv.model = "DSX7002";
  csv.delay = 2e-3;  // two divisions of 0.5 ms
  csv.channels = {{true, 0.0f, 1.0f}, {false, 0.0f, 1.0f}};
  csv.volts = {{0.5f, -1.0f, 0.25f, 0.0f, 1.0f, 2.0f, -2.0f, 0.125f, 0.0f, 1.0f}, {}};
  csv.volts[1].assign(10, 3.0f);
  return csv;
}

TEST(LoadCsv, DisplayedChannelsBecomeCountsWithTheTriggerIndex) {
  WaveRecord record;
  NullSink sink;
  const LoadResult r = LoadCsvBytes(synth::SerializeInstrumentCsv(twoChannelCsv()), record, sink);
  ASSERT_TRUE(r.ok) << r.reason;
  EXPECT_EQ(r.acqDataSizeText, "全取込データ数=10");
  EXPECT_EQ(record.header.Points, 10);
  // 2 ms late at 0.5 ms/div: four divisions of one sample each right of the centre.
  EXPECT_EQ(record.header.TrigAddr, 9);
  EXPECT_EQ(firstSamples(record, 0, 3), (std::vector<std::int16_t>{4096, -8192, 2048}));
  EXPECT_TRUE(record.buffers.SrcData[1].size() < 10 || record.buffers.SrcData[1][0] == 0)
      << "a channel not displayed is not converted";
  EXPECT_EQ(record.buffers.SrcData[0].size(), 11u);
}

TEST(LoadCsv, ABadHeaderLineLeavesTheRecordAsItWas) {
  WaveRecord record;
  NullSink sink;
  ASSERT_TRUE(LoadCsvBytes(synth::SerializeInstrumentCsv(twoChannelCsv()), record, sink).ok);
  const WaveHeader before = record.header;
  const auto counts = firstSamples(record, 0, 10);

  const LoadResult r = LoadCsvBytes("Points,500\r\nCH1 Display,OFF\r\nDelay,x\r\n", record, sink);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.reason.find("line 3"), std::string::npos) << r.reason;
  EXPECT_FALSE(r.acqDataSizeText);
  EXPECT_EQ(record.header.Points, before.Points);
  EXPECT_EQ(record.header.Channel[0].DispOn, 1);
  EXPECT_EQ(record.header.Delay, before.Delay);
  EXPECT_EQ(firstSamples(record, 0, 10), counts);
}

TEST(LoadCsv, NoPointLineNoCaption) {
  WaveRecord record;
  NullSink sink;
  const LoadResult r =
      LoadCsvBytes("CH1 Display,ON\nCH1 V/div,1\nCH1 V,CH2 V\n1,2\n", record, sink);
  ASSERT_TRUE(r.ok) << r.reason;
  EXPECT_FALSE(r.acqDataSizeText);
  EXPECT_EQ(record.header.Points, 0);
}

// A capture stored as the store command writes it plays back at the same scale.
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

}  // namespace
}  // namespace sondrix
