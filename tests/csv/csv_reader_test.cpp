#include "csv/csv_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "csv/csv_layout.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "fixtures/instrument_csv_writer.h"
#include "fixtures/signals.h"
#include "fixtures/wfm_writer.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"
#include "view/trig_addr.h"
#include "wfm/copy_to_source.h"
#include "wfm/wfm_reader.h"

namespace sondrix {
namespace {

constexpr const char* kColumns = "CH1 V,CH2 V,CH3 V,CH4 V";

std::string Join(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + eol;
  return text;
}

// `count` data lines "i,-i,2i,3i" for i = 1, 2, ...
std::vector<std::string> DataLines(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) {
    lines.push_back(std::to_string(i) + "," + std::to_string(-i) + "," + std::to_string(2 * i) +
                    "," + std::to_string(3 * i));
  }
  return lines;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class CsvReaderTest : public ::testing::Test {
 protected:
  CsvReadResult read(const std::string& bytes, UiSink& ui) {
    const auto path = dir / "trace.CSV";
    fixtures::WriteBytes(path, bytes);
    return ReadCsvFile(path, volts, header, ui);
  }
  CsvReadResult read(const std::string& bytes) { return read(bytes, sink); }

  testing::TempDir dir;
  NullSink sink;
  VoltArrays volts;
  WaveHeader header;
};

TEST(ReadTextLineTest, LineEnds) {
  struct Row {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"a,1\r\nb\r\n", {"a,1", "b"}},
      {"a,1\nb", {"a,1", "b"}},            // the last line needs no end
      {"a\rb\n\r\nc\r", {"ab", "", "c"}},  // CR is dropped wherever it is; it ends no line
      {"\n\n", {"", ""}},
      {"", {}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
  };
  testing::TempDir dir;
  for (const Row& row : rows) {
    fixtures::WriteBytes(dir / "t.txt", row.bytes);
    TextFile file(dir / "t.txt");
    ASSERT_TRUE(file.isOpen());
    std::vector<std::string> lines;
    std::string line;
    while (!file.atEnd()) lines.emplace_back(ReadTextLine(file, line));
    EXPECT_EQ(lines, row.lines) << row.bytes;
  }
  EXPECT_FALSE(TextFile(dir / "missing.txt").isOpen());
}

TEST(ReadTextLineTest, AnOverlongLineKeepsItsStartAndTheNextLineFollows) {
  testing::TempDir dir;
  fixtures::WriteBytes(dir / "t.txt", std::string(kMaxLineChars + 70'000, 'A') + "\r\nnext");
  TextFile file(dir / "t.txt");
  std::string line;
  EXPECT_EQ(ReadTextLine(file, line).size(), kMaxLineChars);
  EXPECT_EQ(ReadTextLine(file, line), "next");
  EXPECT_TRUE(file.atEnd());
}

TEST(GetItemsTest, SplitsIntoSlotsThatKeepEarlierFields) {
  struct Row {
    std::string line;
    int count;
    std::vector<std::string> first;  // the leading slots after the split
  };
  const std::string eleven = "0,1,2,3,4,5,6,7,8,9,10";
  const Row rows[] = {
      {"a,b", 2, {"a", "b", "old2"}},
      {"", 1, {"", "old1"}},
      {"a,", 2, {"a", "", "old2"}},
      {"\"x,y\",z", 3, {"\"x", "y\"", "z", "old3"}},  // quotes mean nothing
      {" a , b", 2, {" a ", " b"}},                   // nor are fields trimmed
      {"a\rb,c\n", 2, {"ab", "c"}},
      {eleven, 11, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
      // A twelfth field: the first eleven were stored, then slots 0 and 1 emptied.
      {eleven + ",11", 2, {"", "", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
      {std::string(kMaxSplitChars, 'x'), 1, {std::string(kMaxSplitChars, 'x'), "old1"}},
      {std::string(kMaxSplitChars + 1, ','), 2, {"", "", "old2", "old3", "old4"}},
  };
  for (const Row& row : rows) {
    FieldTable item;
    for (int i = 0; i < kFieldSlots; ++i)
      item[static_cast<std::size_t>(i)] = "old" + std::to_string(i);
    EXPECT_EQ(Get_Items(row.line, item), row.count) << row.line.substr(0, 40);
    for (std::size_t i = 0; i < row.first.size(); ++i) {
      EXPECT_EQ(item[i], row.first[i]) << row.line.substr(0, 40) << " slot " << i;
    }
  }
}

TEST_F(CsvReaderTest, HeaderLinesSetTheirMembers) {
  header.TimeDiv = 7.0;
  header.Delta = 3.0;
  header.AcqMode = "OLD";
  header.Channel[3].DispOn = 1;
  header.Channel[3].Vdiv = 2.5f;
  const CsvReadResult r = read(Join({
      "// a comment: MODEL,X",
      "Model,dsx7004",
      "Delay, -1.5e-3 ",
      "Trigger Address,abc",  // not looked at
      "CH1 Display,on",       // upper-cased first
      "CH2 Display, ON",      // the blank stays: not on
      "CH1 Offset,0.25",
      "CH1 mV/div,50",
      "CH2 V/div,2",
      "ch5 coupling,DC",  // no channel 5, but nothing is stored
      "Points,135",
      "FileVersion,1.2",
  }));
  EXPECT_EQ(r.points, 0) << r.reason;
  EXPECT_EQ(header.Points, 0) << "no data section: nothing read";
  EXPECT_EQ(r.acqDataSizeText, "全取込データ数=140");
  EXPECT_EQ(header.ModelName, "DSX7004");
  EXPECT_EQ(header.ChCount, 4);
  EXPECT_EQ(header.TimeDiv, 7.0) << "not in the file: kept";
  EXPECT_EQ(header.Delay, -1.5e-3);
  EXPECT_EQ(header.Delta, 1e-9) << "reset by every read";
  EXPECT_EQ(header.AcqMode, "");
  EXPECT_EQ(header.Channel[0].Display, "ON");
  EXPECT_EQ(header.Channel[0].DispOn, 1);
  EXPECT_EQ(header.Channel[1].Display, " ON");
  EXPECT_EQ(header.Channel[1].DispOn, 0);
  EXPECT_EQ(header.Channel[3].DispOn, 0);
  EXPECT_EQ(header.Channel[0].Offset, 0.25f);
  EXPECT_EQ(header.Channel[0].Vdiv, 50.0f);
  EXPECT_EQ(header.Channel[0].Unit, "M");
  EXPECT_EQ(header.Channel[1].Vdiv, 2.0f);
  EXPECT_EQ(header.Channel[3].Vdiv, 2.5f);
}

TEST_F(CsvReaderTest, PointLineCaptionRoundsToTens) {
  for (const auto& [given, shown] : {std::pair{"125", "120"}, {"135", "140"}, {" 7x", "10"}}) {
    const CsvReadResult r = read(Join({"Points," + std::string(given)}));
    EXPECT_EQ(r.acqDataSizeText, "全取込データ数=" + std::string(shown)) << given;
  }
}

TEST_F(CsvReaderTest, HeaderFailuresStopWithTheLineNumber) {
  struct Row {
    std::string line;
    std::string reason;
  };
  const Row rows[] = {
      {"Model,DSX70", "the model name \"DSX70\" has no digit in column 7"},
      {"Model,DSX700A", "the model name \"DSX700A\" has no digit in column 7"},
      {"Time/div,1ms", "the time per division \"1MS\" is not a number"},
      {"Delay,", "the delay \"\" is not a number"},
      {"Delta,inf", "the sample interval \"INF\" is not a number"},
      {"CH1 Offset,x", "the offset \"X\" is not a number"},
      {"CH2 V/div,1e39", "the volts per division \"1E39\" is not a number"},
      {"CH5 Display,ON", "column 3 holds \"5\", not a channel 1 to 4"},
      {"CHX Offset,0", "column 3 holds \"X\", not a channel 1 to 4"},
      {"Points,99999999999", "the point count \"99999999999\" is beyond the 32-bit range"},
  };
  for (const Row& row : rows) {
    header.Points = 55;
    const CsvReadResult r = read(Join({"/ comment", row.line, kColumns, "1,2,3,4"}));
    EXPECT_EQ(r.points, -1) << row.line;
    EXPECT_EQ(r.reason, "line 2: " + row.reason);
    EXPECT_EQ(header.Points, 55) << row.line;
  }
  // Members set before the failure keep their values.
  const CsvReadResult r = read(Join({"Points,200", "Model,DSX7002", "CH1 Offset,?"}));
  EXPECT_EQ(r.points, -1);
  EXPECT_EQ(r.acqDataSizeText, "全取込データ数=200");
  EXPECT_EQ(header.Points, 200);
  EXPECT_EQ(header.ChCount, 2);
  EXPECT_EQ(read("").points, 0);
  EXPECT_EQ(ReadCsvFile(dir / "missing.CSV", volts, header, sink).points, -1);
}

TEST_F(CsvReaderTest, ColumnHeaderStartsTheData) {
  struct Row {
    std::string columns;
    std::int32_t points;
    float ch1;  // sample 0
  };
  const Row rows[] = {
      {kColumns, 20, 1.0f},
      {"ch1 v,ch2 v", 20, 1.0f},
      {"  CH1 V,CH2 mV  ", 20, 1.0f},
      {"CH1,CH2,CH3,CH4", 0, 0.0f},  // no blank after the numbers
      {"CH1 V, CH2 V", 0, 0.0f},     // the second field begins with the blank
      {"CH2 V,CH1 V", 0, 0.0f},
      {"Time(s),Ch1 V,Ch2 V", 20, -1.0f},  // the program's own files: time column skipped
      {"TIME,CH2 V", 0, 0.0f},
  };
  for (const Row& row : rows) {
    volts = {};
    const CsvReadResult r = read(Join(std::vector<std::string>{row.columns} + DataLines(24)));
    EXPECT_EQ(r.points, row.points) << row.columns;
    const float ch1 = volts[0].empty() ? 0.0f : volts[0][0];
    EXPECT_EQ(ch1, row.ch1) << row.columns;
  }
}

TEST_F(CsvReaderTest, PointsRoundHalfToEvenTens) {
  for (const auto& [lines, points] : {std::pair{24, 20}, {25, 20}, {26, 30}, {35, 40}, {5, 0}}) {
    EXPECT_EQ(read(Join(std::vector<std::string>{kColumns} + DataLines(lines))).points, points);
    EXPECT_EQ(header.Points, points);
  }
}

TEST_F(CsvReaderTest, DataLines) {
  const std::vector<std::string> lines = {
      "1,2,3,4",
      "/ skipped",
      "",     // skipped
      "   ",  // a sample: field 0 is empty, fields 1 to 3 are still the last line's
      "x,5e-1,-.5,+7",
      "8,9",  // two values: 3 and 4 are those of the line before
      " 1.5E2 , 2 ,3,4,99,99",
      "6,7,8,9",  // the last line has no line end
  };
  VoltArrays& v = volts;
  for (const std::string eol : {"\r\n", "\n"}) {
    v = {};
    GrowVolts(v, 10);
    for (auto& column : v) column[2] = -9.0f;
    std::string text = Join(std::vector<std::string>{kColumns} + lines, eol);
    text.resize(text.size() - std::string(eol).size());
    const CsvReadResult r = read(text);
    EXPECT_EQ(r.points, 10) << "6 samples round to 10";
    const std::vector<std::vector<float>> expected = {
        {1, 0, -9, 8, 150, 6, 0, 0, 0, 0},
        {2, 2, 0.5f, 9, 2, 7, 0, 0, 0, 0},
        {3, 3, -0.5f, -0.5f, 3, 8, 0, 0, 0, 0},
        {4, 4, 7, 7, 4, 9, 0, 0, 0, 0},
    };
    for (std::size_t c = 0; c < kChannelCount; ++c) {
      EXPECT_EQ(std::vector<float>(v[c].begin(), v[c].begin() + 10), expected[c])
          << "channel " << c + 1 << " eol " << eol.size();
    }
  }
}

TEST_F(CsvReaderTest, TwoValueLinesLeaveChannelsThreeAndFour) {
  volts = {std::vector<float>(20, 5.0f), std::vector<float>(20, 5.0f), std::vector<float>(20, 5.0f),
           std::vector<float>(20, 5.0f)};
  const CsvReadResult r = read(
      Join({"CH1 V,CH2 V", "1,2", "1,2", "1,2", "1,2", "1,2", "1,2", "1,2", "1,2", "1,2", "1,2"}));
  EXPECT_EQ(r.points, 10);
  EXPECT_EQ(volts[1][9], 2.0f);
  EXPECT_EQ(volts[2][9], 5.0f);
  EXPECT_EQ(volts[3][0], 5.0f);
}

TEST_F(CsvReaderTest, RoundingUpZeroesTheSamplesAfterTheLastLine) {
  volts = {std::vector<float>(40, 9.0f), std::vector<float>(40, 9.0f), std::vector<float>(40, 9.0f),
           std::vector<float>(40, 9.0f)};
  ASSERT_EQ(read(Join(std::vector<std::string>{kColumns} + DataLines(26))).points, 30);
  for (const auto& column : volts) {
    EXPECT_NE(column[25], 0.0f);
    for (std::size_t i = 26; i < 30; ++i) EXPECT_EQ(column[i], 0.0f) << i;
    EXPECT_EQ(column[30], 9.0f) << "beyond Points nothing changes";
  }
}

TEST_F(CsvReaderTest, ReportsEveryTenThousandSamplesWithOnePump) {
  fixtures::InstrumentCsv csv;
  csv.channels.resize(4);
  csv.volts.assign(4, std::vector<float>(25'000, 0.5f));
  testing::RecordingSink recorder;
  EXPECT_EQ(read(fixtures::SerializeInstrumentCsv(csv), recorder).points, 25'000);
  using Call = testing::RecordingSink::Call;
  ASSERT_EQ(recorder.calls.size(), 4u);
  EXPECT_EQ(recorder.calls[0].kind, Call::Detail);
  EXPECT_EQ(recorder.calls[0].text, "データindex=10000");
  EXPECT_EQ(recorder.calls[1].kind, Call::Pump);
  EXPECT_EQ(recorder.calls[2].text, "データindex=20000");
  EXPECT_EQ(recorder.pumps(), 2);
  EXPECT_EQ(volts[3][24'999], 0.5f);
}

// The window may run other commands during a pump, which grow the volt arrays and so move them.
struct GrowingSink final : UiSink {
  VoltArrays* volts = nullptr;
  void message(std::string_view) override {}
  void detail(std::string_view) override {}
  void progress(int) override {}
  int progressMax() const override { return 100; }
  void pumpEvents() override {
    for (auto& column : *volts) {
      column.resize(column.size() + 1, 0.0f);
      column.shrink_to_fit();
    }
  }
};

TEST_F(CsvReaderTest, ArraysMovedDuringAPumpAreLookedUpAgain) {
  GrowingSink grower;
  grower.volts = &volts;
  const std::string text = Join(std::vector<std::string>{kColumns} + DataLines(30'005));
  ASSERT_EQ(read(text, grower).points, 30'000);
  EXPECT_EQ(volts[0][30'004], 30'005.0f);
  EXPECT_EQ(volts[3][10'000], 3.0f * 10'001);
}

TEST_F(CsvReaderTest, StopsAtTheSampleLimit) {
  fixtures::InstrumentCsv csv;
  csv.channels.resize(2);
  std::string text = fixtures::SerializeInstrumentCsvHeader(csv);
  text.reserve(text.size() + 2 * 5'000'015);
  for (int i = 0; i < 5'000'015; ++i) text += "7\n";
  ASSERT_EQ(read(text).points, 5'000'010);
  EXPECT_EQ(volts[0][5'000'009], 7.0f);
  EXPECT_EQ(volts[0].size(), static_cast<std::size_t>(kSampleCapacity));
  EXPECT_EQ(volts[0][5'000'010], 0.0f);
}

TEST(VoltsToRawTest, ScalesRoundsAndSaturates) {
  struct Row {
    float volts;
    float offset;
    float vdiv;
    std::int16_t counts;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Row rows[] = {
      {0.5f, 0.0f, 0.5f, 8192},    {0.25f, 0.25f, 1.0f, 4096},  {0.5f, 0.0f, 8192.0f, 0},
      {1.5f, 0.0f, 8192.0f, 2},  // halves to the even neighbour
      {2.5f, 0.0f, 8192.0f, 2},    {-2.5f, 0.0f, 8192.0f, -2},  {4.0f, 0.0f, 1.0f, 32767},
      {-4.0f, 0.0f, 1.0f, -32768}, {-5.0f, 1.0f, 1.0f, -32768}, {1e30f, 0.0f, 1e-30f, 32767},
      {nan, 0.0f, 1.0f, 0},        {3.0f, 0.0f, 0.0f, 0},  // no scale: 0 counts
      {0.1f, 0.0f, -1.0f, -819},
  };
  for (const Row& row : rows) {
    WaveHeader header;
    SampleBuffers buffers;
    header.Points = 1;
    header.Channel[1].DispOn = 1;
    header.Channel[1].Offset = row.offset;
    header.Channel[1].Vdiv = row.vdiv;
    GrowVolts(buffers, 1);
    buffers.VoltData[1][0] = row.volts;
    ASSERT_TRUE(VoltsToRaw(header, buffers));
    EXPECT_EQ(buffers.SrcData[1][0], row.counts)
        << row.volts << " " << row.offset << " " << row.vdiv;
  }
}

TEST(VoltsToRawTest, OnlyChannelsOnAndOnlyWithinTheArrays) {
  WaveHeader header;
  SampleBuffers buffers;
  GrowSource(buffers, 4);
  for (auto& column : buffers.SrcData) column.assign(4, 77);
  GrowVolts(buffers, 3);
  header.Points = 3;
  header.Channel[2].DispOn = 1;
  header.Channel[2].Vdiv = 1.0f;
  ASSERT_TRUE(VoltsToRaw(header, buffers));
  EXPECT_EQ(buffers.SrcData[2], (std::vector<std::int16_t>{0, 0, 0, 77}));
  EXPECT_EQ(buffers.SrcData[0][0], 77) << "a channel that is off keeps its counts";
  for (const std::int32_t points : {-1, 4, kSampleCapacity + 1}) {
    header.Points = points;
    EXPECT_FALSE(VoltsToRaw(header, buffers)) << points;
  }
  EXPECT_EQ(buffers.SrcData[2][3], 77);
}

// A capture exported as the store command writes it plays back at the same scale.
TEST_F(CsvReaderTest, ExportedCaptureReadsBack) {
  fixtures::Capture capture;
  capture.timeDiv = "2ms";
  capture.delay = "1.000000e-03";
  capture.channels.resize(4);
  capture.channels[0].samples = fixtures::Sine(1000, 20000, 2);
  capture.channels[1].samples = fixtures::Square(1000, 12000, 5);
  capture.channels[1].invert = true;
  capture.channels[1].voltsPerDiv = "2V";
  capture.channels[2].samples = fixtures::Ramp(1000, -30000, 30000);
  capture.channels[2].probe = "10X";
  capture.channels[2].offset = "250mV";
  capture.channels[3].samples = fixtures::Ramp(1000, 0, 100);
  capture.channels[3].display = false;
  fixtures::WriteBytes(dir / "cap.WFM", fixtures::SerializeWfm(fixtures::MakeCapture(capture)));
  WaveRecord stored;
  ASSERT_TRUE(ReadWfmFile(dir / "cap.WFM", stored, sink).ok());
  ASSERT_TRUE(CopyWaveToSource(stored).ok());
  stored.header.TrigAddr =
      ComputeTrigAddr(stored.header.Delay, stored.header.TimeDiv, stored.header.Points);
  ASSERT_TRUE(ToVoltsForDisplayed(stored, /*sourceOnly=*/true));
  ASSERT_TRUE(WriteCsvFile(dir / "cap.CSV", stored.header, stored.buffers.VoltData, 0, sink).ok());

  WaveRecord back;
  const CsvReadResult r = ReadCsvFile(dir / "cap.CSV", back.buffers.VoltData, back.header, sink);
  ASSERT_EQ(r.points, 1000) << r.reason;
  ASSERT_TRUE(VoltsToRaw(back.header, back.buffers));
  const WaveHeader& a = stored.header;
  const WaveHeader& b = back.header;
  EXPECT_EQ(b.TimeDiv, a.TimeDiv);
  EXPECT_EQ(b.Delay, a.Delay);
  EXPECT_EQ(b.Delta, a.Delta);
  EXPECT_EQ(b.Points, a.Points);
  EXPECT_EQ(b.ChCount, a.ChCount);
  const double relative = 0.5 * std::pow(10.0, -ValueDecimals(a));  // of the printed mantissa
  for (std::size_t k = 0; k < kChannelCount; ++k) {
    const ChannelSetup& ca = a.Channel[k];
    const ChannelSetup& cb = b.Channel[k];
    EXPECT_EQ(cb.Vdiv, ca.Vdiv) << k;
    EXPECT_EQ(cb.Offset, ca.Offset) << k;
    EXPECT_EQ(cb.Unit, ca.Unit) << k;
    EXPECT_EQ(cb.DispOn, k == 3 ? 0 : 1) << k;
    if (cb.DispOn != 1) continue;
    for (std::size_t i = 0; i < 1000; ++i) {
      const double v = std::fabs(stored.buffers.VoltData[k][i]);
      const double tolerance = 0.5 + v * 10.0 * relative / ca.Vdiv * 8192.0;
      ASSERT_NEAR(back.buffers.SrcData[k][i], stored.buffers.SrcData[k][i], tolerance)
          << "channel " << k + 1 << " sample " << i;
    }
  }
}

}  // namespace
}  // namespace sondrix
