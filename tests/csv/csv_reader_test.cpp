#include "csv/csv_reader.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "support/recording_sink.h"
#include "support/temp_dir.h"
#include "synth/instrument_csv_writer.h"
#include "synth/signals.h"

namespace sondrix {
namespace {

using Lines = std::vector<std::string>;
const std::string kColumns = "CH1 V,CH2 V,CH3 V,CH4 V";

std::string Join(const Lines& lines, const std::string& eol = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + eol;
  return text;
}

// `head`, then `count` data lines "i,-i,2i,3i" for i = 1, 2, ...
Lines WithData(Lines head, int count) {
  for (int i = 1; i <= count; ++i) {
    head.push_back(std::to_string(i) + "," + std::to_string(-i) + "," + std::to_string(2 * i) +
                   "," + std::to_string(3 * i));
  }
  return head;
}

class CsvReaderTest : public ::testing::Test {
 protected:
  CsvReadResult read(const std::string& bytes, UiSink& ui) {
    return ReadCsvBytes(bytes, volts, header, ui);
  }
  CsvReadResult read(const std::string& bytes) { return read(bytes, sink); }

  testing::TempDir dir;
  NullSink sink;
  VoltArrays volts;
  WaveHeader header;
};

TEST(GetItemsTest, SplitsIntoSlotsThatKeepEarlierFields) {
  const std::string eleven = "0,1,2,3,4,5,6,7,8,9,10";
  const std::tuple<std::string, int, Lines> rows[] = {
      {"a,b", 2, {"a", "b", "old2"}},
      {"", 1, {"", "old1"}},
      {"a,", 2, {"a", "", "old2"}},
      {"\"x,y\", z ", 3, {"\"x", "y\"", " z ", "old3"}},  // no quoting, no trimming
      {"a\rb,c\n", 2, {"ab", "c"}},
      {eleven, 11, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
      // A twelfth field: the first eleven were stored, then slots 0 and 1 emptied.
      {eleven + ",11", 2, {"", "", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
      {std::string(kMaxSplitChars, 'x'), 1, {std::string(kMaxSplitChars, 'x'), "old1"}},
      {std::string(kMaxSplitChars + 1, ','), 2, {"", "", "old2", "old3"}},
  };
  for (const auto& [line, count, slots] : rows) {
    FieldTable item;
    for (std::size_t i = 0; i < item.size(); ++i) item[i] = "old" + std::to_string(i);
    EXPECT_EQ(Get_Items(line, item), count) << line.substr(0, 30);
    EXPECT_EQ(Lines(item.begin(), item.begin() + static_cast<long>(slots.size())), slots);
  }
}

TEST_F(CsvReaderTest, ResultsAndReasons) {
  const std::tuple<Lines, std::int32_t, std::string> rows[] = {
      {WithData({kColumns}, 24), 20, ""},  // rounded half to even to tens
      {WithData({kColumns}, 25), 20, ""},
      {WithData({kColumns}, 26), 30, ""},
      {WithData({kColumns}, 35), 40, ""},
      {WithData({"  ch1 v,ch2 mV  "}, 20), 20, ""},
      {WithData({"Time(s),Ch1 V,Ch2 V"}, 20), 20, ""},  // the program's own files
      {WithData({"CH1,CH2,CH3,CH4"}, 20), 0, ""},       // no blank after the numbers
      {WithData({"CH1 V, CH2 V"}, 20), 0, ""},
      {WithData({"TIME,CH2 V"}, 20), 0, ""},
      {WithData({"ch5 coupling,DC", "/x", kColumns}, 20), 20, ""},
      {WithData({"/", "Model,DSX70", kColumns}, 20), -1,
       "line 2: the model name \"DSX70\" has no digit in column 7"},
      {{"Model,DSX700A"}, -1, "line 1: the model name \"DSX700A\" has no digit in column 7"},
      {{"Time/div,1ms"}, -1, "line 1: the time per division \"1MS\" is not a number"},
      {{"Delay,"}, -1, "line 1: the delay \"\" is not a number"},
      {{"Delta,inf"}, -1, "line 1: the sample interval \"INF\" is not a number"},
      {{"CH1 Offset,x"}, -1, "line 1: the offset \"X\" is not a number"},
      {{"CH2 V/div,1e39"}, -1, "line 1: the volts per division \"1E39\" is not a number"},
      {{"CH5 Display,ON"}, -1, "line 1: column 3 holds \"5\", not a channel 1 to 4"},
      {{"Points,99999999999"},
       -1,
       "line 1: the point count \"99999999999\" is beyond the 32-bit range"},
  };
  for (const auto& [lines, points, reason] : rows) {
    header.Points = 55;
    const CsvReadResult r = read(Join(lines));
    EXPECT_EQ(r.points, points) << lines.front();
    EXPECT_EQ(r.reason, reason);
    EXPECT_EQ(header.Points, points < 0 ? 55 : points);
  }
  const CsvReadResult missing = ReadCsvFile(dir / "missing.CSV", volts, header, sink);
  EXPECT_EQ(missing.points, -1);
  EXPECT_EQ(missing.reason,
            "cannot open " + (dir / "missing.CSV").string() + ": No such file or directory");
  EXPECT_EQ(read(Join({"Points,135", "Model,DSX7002", "Delay,?"})).statedPoints, 140)
      << "the stated count stays after a failure";
  EXPECT_EQ(header.Points, 140);
  EXPECT_EQ(header.ChCount, 2);
}

// The converter refuses text without a waveform by these two reports.
TEST_F(CsvReaderTest, ReportsTheColumnHeaderAndTheDataLinesAfterIt) {
  const std::tuple<Lines, bool, std::int32_t> rows[] = {
      {{}, false, 0},
      {{"root:x:0:0:root:/root:/bin/bash", "1,2,3,4"}, false, 0},
      {{"Model,DSX7004", kColumns, "/ a comment", ""}, true, 0},
      {WithData({kColumns}, 3), true, 3},  // 0 points after rounding, yet data
      {{"Time(s),Ch1 V,Ch2 V", "1,2,3"}, true, 1},
  };
  for (const auto& [lines, columnHeader, dataLines] : rows) {
    const CsvReadResult r = read(Join(lines));
    EXPECT_EQ(r.columnHeader, columnHeader) << ::testing::PrintToString(lines);
    EXPECT_EQ(r.dataLines, dataLines) << ::testing::PrintToString(lines);
  }
}

TEST_F(CsvReaderTest, HeaderLinesSetTheirMembers) {
  header.TimeDiv = 7.0;
  header.AcqMode = "OLD";
  header.Channel[3].DispOn = 1;
  const CsvReadResult r = read(Join({
      "Model,dsx7004",
      "Delay, -1.5e-3 ",
      "Trigger Address,abc",
      "CH1 Display,on",
      "CH2 Display, ON",  // field 1 begins with the blank: not on
      "CH1 Offset,0.25",
      "CH1 mV/div,50",
      "Points,125",
      "FileVersion,1.2",
  }));
  EXPECT_EQ(r.points, 0);
  EXPECT_EQ(r.statedPoints, 120);
  const WaveHeader& h = header;
  EXPECT_EQ(std::tuple(h.ModelName, h.ChCount, h.TimeDiv, h.Delay, h.Delta, h.AcqMode),
            std::tuple("DSX7004", 4, 7.0, -1.5e-3, 1e-9, ""))
      << "TimeDiv not in the file is kept; Delta and AcqMode are reset by every read";
  const auto& [ch1, ch2, ch3, ch4] = h.Channel;
  EXPECT_EQ(std::tuple(ch1.Display, ch1.DispOn, ch2.Display, ch2.DispOn, ch4.DispOn),
            std::tuple("ON", 1, " ON", 0, 0));
  EXPECT_EQ(std::tuple(ch1.Offset, ch1.Vdiv, ch1.Unit), std::tuple(0.25f, 50.0f, "M"));
}

TEST_F(CsvReaderTest, DataLinesAndTheZeroedTail) {
  const Lines lines = {
      kColumns,
      "1,2,3,4",
      "/ skipped",
      "",
      "   ",  // a sample: field 0 is empty, fields 1 to 3 are still the last line's
      "x,5e-1,-.5,+7",
      "8,9",  // two values: channels 3 and 4 take the fields the line before left
      " 1.5E2 , 2 ,3,4,99,99",
      "6,7,8,9",
  };
  for (const std::string eol : {"\r\n", "\n"}) {
    volts.fill(std::vector<float>(12, -9.0f));
    std::string text = Join(lines, eol);
    text.resize(text.size() - eol.size());  // the last line without its end
    EXPECT_EQ(read(text).points, 10) << "6 samples round up to 10";
    const std::vector<std::vector<float>> expected = {{1, -9, -9, 8, 150, 6, 0, 0, 0, 0, -9},
                                                      {2, 2, 0.5f, 9, 2, 7, 0, 0, 0, 0, -9},
                                                      {3, 3, -0.5f, -0.5f, 3, 8, 0, 0, 0, 0, -9},
                                                      {4, 4, 7, 7, 4, 9, 0, 0, 0, 0, -9}};
    for (std::size_t c = 0; c < kChannelCount; ++c) {
      EXPECT_EQ(std::vector<float>(volts[c].begin(), volts[c].begin() + 11), expected[c]) << c;
    }
  }
}

TEST_F(CsvReaderTest, ValueSlotsCarryOverFromTheHeaderAndPastAnOverfullLine) {
  volts.fill(std::vector<float>(10, -9.0f));
  // A comment line between them is skipped whole, its fields too.
  const Lines lines = {"Model,DSX7004,5,6", "/note,x,7,8", "CH1 V,CH2 V", "1,2",
                       "1,2,3,4,5,6,7,8,9,10,11,12"};
  EXPECT_EQ(read(Join(lines, "\r\n")).points, 0);
  // The column header has two fields, so channels 3 and 4 start from the model line's; a line of
  // twelve fields empties slots 0 and 1, which then convert to nothing.
  const std::vector<std::vector<float>> expected = {{1, -9}, {2, -9}, {5, 3}, {6, 4}};
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    EXPECT_EQ(std::vector<float>(volts[c].begin(), volts[c].begin() + 2), expected[c]) << c;
  }

  // In the program's own files slot 0 holds the time: only channel 1's slot is emptied.
  volts.fill(std::vector<float>(10, -9.0f));
  EXPECT_EQ(read(Join({"Time(s),CH1 V,CH2 V", "0,1,2,3,4", "0,1,2,3,4,5,6,7,8,9,10,11"})).points,
            0);
  const std::vector<std::vector<float>> own = {{1, -9}, {2, 2}, {3, 3}, {4, 4}};
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    EXPECT_EQ(std::vector<float>(volts[c].begin(), volts[c].begin() + 2), own[c]) << c;
  }
}

TEST_F(CsvReaderTest, ReportsEveryTenThousandSamplesAndPumpsOnce) {
  testing::RecordingSink ui;
  ui.onPump = [this] {  // another command grows the arrays, which moves them
    for (auto& column : volts) {
      column.resize(column.size() + 1);
      column.shrink_to_fit();
    }
  };
  ASSERT_EQ(read(Join(WithData({kColumns}, 25'000)), ui).points, 25'000);
  ASSERT_EQ(ui.calls.size(), 4u);
  EXPECT_EQ(ui.calls[0].text, "データindex=10000");
  EXPECT_EQ(ui.calls[1].kind, testing::RecordingSink::Call::Pump);
  EXPECT_EQ(ui.calls[2].text, "データindex=20000");
  EXPECT_EQ(ui.pumps(), 2);
  EXPECT_EQ(volts[0][24'999], 25'000.0f);
  EXPECT_EQ(volts[3][10'000], 3.0f * 10'001);
}

TEST_F(CsvReaderTest, StopsAtTheSampleLimit) {
  synth::InstrumentCsv csv;
  csv.channels.resize(2);
  std::string text = synth::SerializeInstrumentCsvHeader(csv);
  for (int i = 0; i < 5'000'015; ++i) text += "7\n";
  ASSERT_EQ(read(text).points, 5'000'010);
  EXPECT_EQ(volts[0][5'000'009], 7.0f);
  EXPECT_EQ(volts[0].size(), static_cast<std::size_t>(kSampleCapacity));
  EXPECT_EQ(volts[0][5'000'010], 0.0f);
}

TEST(VoltsToRawTest, ScalesRoundsSaturatesAndStaysWithinTheArrays) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::tuple<float, float, float, std::int16_t> rows[] = {
      {0.5f, 0.0f, 0.5f, 8192},    {0.25f, 0.25f, 1.0f, 4096},   {1.5f, 0.0f, 8192.0f, 2},
      {2.5f, 0.0f, 8192.0f, 2},    {-2.5f, 0.0f, 8192.0f, -2},   {4.0f, 0.0f, 1.0f, 32767},
      {-5.0f, 1.0f, 1.0f, -32768}, {1e30f, 0.0f, 1e-30f, 32767}, {nan, 0.0f, 1.0f, 0},
      {3.0f, 0.0f, 0.0f, 0},       {0.1f, 0.0f, -1.0f, -819}};
  WaveHeader header;
  SampleBuffers buffers;
  for (auto& column : buffers.SrcData) column.assign(2, 77);
  GrowVolts(buffers, 1);
  header.Points = 1;
  header.Channel[1].DispOn = 1;
  for (const auto& [v, offset, vdiv, counts] : rows) {
    header.Channel[1].Vdiv = vdiv;
    header.Channel[1].Offset = offset;
    buffers.VoltData[1][0] = v;
    ASSERT_TRUE(VoltsToRaw(header, buffers));
    EXPECT_EQ(buffers.SrcData[1][0], counts) << v << " " << offset << " " << vdiv;
  }
  EXPECT_EQ(buffers.SrcData[1][1], 77) << "beyond Points";
  EXPECT_EQ(buffers.SrcData[0][0], 77) << "a channel that is off keeps its counts";
  for (const std::int32_t points : {-1, 2, kSampleCapacity + 1}) {
    header.Points = points;
    EXPECT_FALSE(VoltsToRaw(header, buffers)) << points;
  }
}

}  // namespace
}  // namespace sondrix
