#include "csv/csv_reader.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "io/text_file.h"
#include "model/scale.h"
#include "support/files.h"
#include "support/recording_sink.h"

namespace sondrix {
namespace {

using Lines = std::vector<std::string>;
using V = VoltArray;
const std::string kColumns = "CH1 V,CH2 V,CH3 V,CH4 V";
const std::string kOverlong = std::string(kMaxLineChars - 4, ' ') + "\r5,67,8\r";

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
  CsvReadResult read(const Lines& lines) {
    return ReadCsvBytes(testing::JoinCrLf(lines), volts, header, sink);
  }

  NullSink sink;
  VoltArrays volts;
  WaveHeader header;
};

TEST(GetItemsTest, SplitsIntoSlotsThatKeepEarlierFields) {
  const std::string eleven = "0,1,2,3,4,5,6,7,8,9,10";
  const std::tuple<std::string, int, Lines> rows[] = {
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
      {WithData({kColumns}, 25), 20, ""},  // rounded half to even to tens
      {WithData({kColumns}, 35), 40, ""},
      {WithData({"  ch1 v,ch2 mV  "}, 20), 20, ""},
      {WithData({"Time(s),Ch1 V,Ch2 V"}, 20), 20, ""},  // the program's own files
      {WithData({"CH1,CH2,CH3,CH4"}, 20), 0, ""},       // no blank after the numbers
      {WithData({"CH1 V, CH2 V"}, 20), 0, ""},
      {WithData({"TIME,CH2 V"}, 20), 0, ""},
      {WithData({"ch5 coupling,DC", "/x", kColumns}, 20), 20, ""},
      {WithData({"/", "Model,DSX70", kColumns}, 20), -1,
       "line 2: the model name \"DSX70\" has no digit in column 7"},
      {{"Time/div,1ms"}, -1, "line 1: the time per division \"1MS\" is not a number"},
      {{"Delay,"}, -1, "line 1: the delay \"\" is not a number"},
      {{"Delta,inf"}, -1, "line 1: the sample interval \"INF\" is not a number"},
      {{"CH1 Offset,x"}, -1, "line 1: the offset \"X\" is not a number"},
      {{"CH2 V/div,1e39"}, -1, "line 1: the volts per division \"1E39\" is not a number"},
      {{"CH5 Display,ON"}, -1, "line 1: column 3 holds \"5\", not a channel 1 to 4"},
      {{"Points,3e9"}, -1, "line 1: the point count \"3E9\" is beyond the 32-bit range"},
  };
  for (const auto& [lines, points, reason] : rows) {
    header.Points = 55;
    const CsvReadResult r = read(lines);
    EXPECT_EQ(std::tuple(r.points, r.reason, header.Points),
              std::tuple(points, reason, points < 0 ? 55 : points))
        << lines.front();
  }
  const std::filesystem::path missing = "no-such-folder/missing.CSV";
  const CsvReadResult r = ReadCsvFile(missing, volts, header, sink);
  EXPECT_EQ(std::tuple(r.points, r.reason),
            std::tuple(-1, "cannot open " + missing.string() + ": No such file or directory"));
}

// The converter refuses text without a waveform by these reports.
TEST_F(CsvReaderTest, ReportsTheColumnHeaderAndTheDataLinesAfterIt) {
  const std::tuple<Lines, bool, std::int32_t, bool> rows[] = {
      {{"root:x:0:0:root:/root:/bin/bash", "1,2,3,4"}, false, 0, false},
      {{"Model,DSX7004", kColumns, "/ a comment", ""}, true, 0, false},
      {WithData({kColumns}, 3), true, 3, true},  // 0 points after rounding, yet data
      {{"CH1 V/div,0.5,2", kColumns, "foo,bar", "1,2"},
       true,
       2,
       false},  // header numbers: not its own
      {{kColumns, "x,y,z,4"}, true, 1, true},
      {{"Time(s),CH1 V", "1,x", "1,2"}, true, 2, false},  // the time is no value
  };
  for (const auto& [lines, columnHeader, dataLines, firstHoldsNumber] : rows) {
    const CsvReadResult r = read(lines);
    EXPECT_EQ(std::tuple(r.columnHeader, r.dataLines, r.firstDataLineHoldsNumber),
              std::tuple(columnHeader, dataLines, firstHoldsNumber))
        << ::testing::PrintToString(lines);
  }
}

// The program writes "ModelName," for a file that named no model; it must read back.
TEST_F(CsvReaderTest, AModelWithoutANameTakesItsChannelsFromTheColumnHeader) {
  const std::tuple<Lines, std::string, std::int16_t> rows[] = {
      {{"ModelName,", "Time(s),Ch1 V,Ch2 V"}, "unknown", 2},
      {{"ModelName,unknown", kColumns + ",CH5 V"}, "unknown", 4},
      {{"Model,", "CH1 V,CH2 V,x,CH4 V"}, "unknown", 2},
      {{"Model,", "Model,DSX7002", kColumns}, "DSX7002", 2},  // a later name counts
  };
  for (const auto& [lines, name, channels] : rows) {
    header.ChCount = 9;
    EXPECT_EQ(read(WithData(lines, 10)).points, 10) << lines.front();
    EXPECT_EQ(std::pair(header.ModelName, header.ChCount), std::pair(name, channels))
        << lines.back();
  }
}

TEST_F(CsvReaderTest, HeaderLinesSetTheirMembers) {
  std::tie(header.TimeDiv, header.AcqMode, header.Channel[3].DispOn, header.Channel[2].Display) =
      std::tuple(7.0, "OLD", 1, "ON");
  const CsvReadResult r =
      read({"Model,dsx7004qk", "Delay, -1.5e-3 ", "CH1 Display,on", "CH2 Display, ON",
            "CH1 Offset,0.25", "CH1 mV/div,50", "Points,125", "FileVersion,1.2", "Delay,?"});
  const WaveHeader& h = header;
  EXPECT_EQ(std::tuple(r.points, r.statedPoints, h.Points), std::tuple(-1, 120, 120))
      << "what was read before a failure stays";
  EXPECT_EQ(std::tuple(h.ModelName, h.ChCount, h.TimeDiv, h.Delay, h.Delta, h.AcqMode),
            std::tuple("DSX7004QK", 4, 7.0, -1.5e-3, 1e-9, ""))
      << "TimeDiv not in the file is kept; Delta and AcqMode are reset by every read";
  const auto& [ch1, ch2, ch3, ch4] = h.Channel;
  EXPECT_EQ(std::tuple(ch1.Display, ch1.DispOn, ch2.Display, ch2.DispOn, ch4.DispOn),
            std::tuple("ON", 1, " ON", 0, 0))
      << "a field that begins with a blank is not on";
  EXPECT_EQ(ch3.Display, "") << "a channel the file does not name is not stored either";
  EXPECT_EQ(std::tuple(ch1.Offset, ch1.Vdiv, ch1.Unit), std::tuple(0.25f, 50.0f, "M"));
}

// A bad value leaves the sample as it was (-9); slots a line does not reach keep the last line's or
// header line's (not a comment's); over eleven fields empty slots 0 and 1; tail 0.
TEST_F(CsvReaderTest, DataLinesFillTheSamplesFromTheValueSlots) {
  const std::tuple<Lines, std::int32_t, VoltArrays> rows[] = {
      {{kColumns, "1,2,3,4", "/ skipped", "", "   ", "x,5e-1,-.5,+7", "8,9",
        " 1.5E2 , 2 ,3,4,99,99", "6,7,8,9"},
       10,
       {V{1, -9, -9, 8, 150, 6, 0, 0, 0, 0, -9}, V{2, 2, 0.5f, 9, 2, 7, 0, 0, 0, 0, -9},
        V{3, 3, -0.5f, -0.5f, 3, 8, 0, 0, 0, 0, -9}, V{4, 4, 7, 7, 4, 9, 0, 0, 0, 0, -9}}},
      {{"Model,DSX7004,5,6", "/note,x,7,8", "CH1 V,CH2 V", "1,2", "1,2,3,4,5,6,7,8,9,10,11,12"},
       0,
       {V{1, -9}, V{2, -9}, V{5, 3}, V{6, 4}}},
      // A line keeps its first kMaxLineChars bytes (a CR among them counts): "5,6", not "5,67,8".
      {{kColumns, kOverlong, "9"}, 0, {V{5, 9}, V{6, 6}, V{-9, -9}, V{-9, -9}}},
      // A number is read at once only where the field ends with it.
      {{kColumns, "1.2500e-01,-2.5000e+00,5.0000e-01,1.0000e+00",
        "1.2500e-011,-2.5000e+00x,5.0000e-01 ,-1.0000e+00"},
       0,
       {V{0.125f, static_cast<float>(1.25e-11)}, V{-2.5f, -9}, V{0.5f, 0.5f}, V{1, -1}}},
      // In the program's own files slot 0 holds the time: only channel 1's slot is emptied.
      {{"Time(s),CH1 V,CH2 V", "0,1,2,3,4", "0,1,2,3,4,5,6,7,8,9,10,11"},
       0,
       {V{1, -9}, V{2, 2}, V{3, 3}, V{4, 4}}},
  };
  for (const auto& [lines, points, expected] : rows) {
    for (std::size_t c = 0; c < kChannelCount; ++c) volts[c].assign(expected[c].size(), -9.0f);
    EXPECT_EQ(read(lines).points, points) << lines.front();
    EXPECT_EQ(volts, expected) << lines.front();
  }
}

// Lines of the instrument's plain form are read at once, the others split; every line reads as
// it does with a blank before its end, which always takes the splitting.
TEST_F(CsvReaderTest, PlainLinesReadAsTheSplittingReadsThem) {
  const std::string p = "1.2500e-01,-2.5000e+00,5.0000e-1,9.9999e09";
  const std::string three = "-1.0000e-01,2.0000e-01,3.0000e-01";
  const std::string edges = "1.0000E+00,-0.0000e-00,0.0000e+22,1.0000e-22";
  const Lines data = {p,         p,        p + ",7",   p + "\nx",   three,
                      p + "\rX", "/" + p,  p + "x",    p + ",",     edges,
                      p,         p + "\r", p + "\r\r", "," + three, p};
  for (const std::string& time : {std::string(), std::string("-1.000000e-03,")}) {
    Lines plain{time.empty() ? kColumns : "Time(s)," + kColumns};
    Lines spaced = plain;
    for (const std::string& line : data) {
      plain.push_back(time + line);
      std::string blank;
      for (const char c : line) blank += c == '\n' ? std::string(" \n") : std::string(1, c);
      spaced.push_back(time + blank + " ");
    }
    const auto readVolts = [this](const Lines& lines) {
      for (auto& column : volts) column.assign(20, -9.0f);
      const std::int32_t points = read(lines).points;
      return std::tuple(points, volts);
    };
    EXPECT_EQ(readVolts(plain), readVolts(spaced)) << time;
  }
}

TEST_F(CsvReaderTest, ReportsEveryTenThousandSamplesAndPumpsOnce) {
  testing::RecordingSink ui;
  ui.onPump = [this] {  // another command makes the arrays anew, which moves them
    for (auto& column : volts) column = VoltArray(column);
  };
  ASSERT_EQ(ReadCsvBytes(testing::JoinCrLf(WithData({kColumns}, 25'000)), volts, header, ui).points,
            25'000);
  ASSERT_EQ(ui.calls.size(), 4u);
  EXPECT_EQ(std::tuple(ui.calls[0].text, ui.calls[2].text),
            std::tuple("データindex=10000", "データindex=20000"));
  EXPECT_EQ(ui.pumps(), 2);
  EXPECT_EQ(std::tuple(volts[0][24'999], volts[3][10'000]), std::tuple(25'000.0f, 3.0f * 10'001));
}

// Any split into pieces and blocks reads as one piece: slots carried over short lines, too many
// fields, comments, a lone CR or a line end at a cut, no final line end, pumps in order.
TEST_F(CsvReaderTest, AnySplitReadsAsOnePiece) {
  const std::string tail = "1,2,3,4\r\n5\r\n/c\r\n\r\n  \r\nx,,7\r\n8,9\n1" +
                           std::string(kMaxSplitChars, ' ') +
                           "1\r\n0,1,2,3,4,5,6,7,8,9,10,11\r\n6\r/\n\r\n2,3";
  const std::tuple<std::string, std::string, std::vector<std::size_t>> rows[] = {
      {"values", kColumns + "\r\n" + tail, {0, 1, 3, 17}},  // 0 bytes a block: read as 1
      {"time", "Time(s),CH1 V,CH2 V\n" + tail, {2, 40}},
      {"header slots", "Model,DSX7004,5,6\nCH1 V,CH2 V\n" + tail, {5, 64}},
      {"pumps", testing::JoinCrLf(WithData({kColumns}, 20'005)), {100'000}},
      // Whole in a block: the pieces cut it short (the blocks' reader does when it is not).
      {"overlong", kColumns + "\n" + kOverlong + "\n" + tail, {kMaxLineChars + 99}},
  };
  for (const auto& [name, text, blockSizes] : rows) {
    const auto readWith = [&](DataSplit split) {
      VoltArrays v;
      for (auto& column : v) column.assign(9, -9.0f);
      testing::RecordingSink ui;
      const CsvReadResult r = ReadCsvBytes(text, v, header, ui, split);
      Lines calls;
      for (const auto& call : ui.calls) calls.push_back(call.text);
      return std::tuple(r.points, r.dataLines, r.firstDataLineHoldsNumber, v, calls);
    };
    const auto one = readWith({1, std::size_t{1} << 30});
    for (const unsigned pieces : {2U, 3U, 7U}) {
      for (const std::size_t bytes : blockSizes) {
        EXPECT_EQ(readWith({pieces, bytes}), one) << name << ", " << pieces << " x " << bytes;
      }
    }
  }
}

TEST_F(CsvReaderTest, StopsAtTheSampleLimit) {
  std::string text = kColumns + "\n";
  for (int i = 0; i < 5'000'015; ++i) text += "7\n";
  ASSERT_EQ(ReadCsvBytes(text, volts, header, sink).points, 5'000'010);
  EXPECT_EQ(std::tuple(volts[0].size(), volts[0][5'000'009], volts[0][5'000'010]),
            std::tuple(static_cast<std::size_t>(kSampleCapacity), 7.0f, 0.0f));
}

TEST(VoltsToRawTest, ScalesRoundsSaturatesAndStaysWithinTheArrays) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::tuple<float, float, float, std::int16_t> rows[] = {
      {0.5f, 0.0f, 0.5f, 8192}, {0.25f, 0.25f, 1.0f, 4096}, {1.5f, 0.0f, 8192.0f, 2},
      {2.5f, 0.0f, 8192.0f, 2}, {4.0f, 0.0f, 1.0f, 32767},  {-5.0f, 1.0f, 1.0f, -32768},
      {nan, 0.0f, 1.0f, 0},     {3.0f, 0.0f, 0.0f, 0},      {0.1f, 0.0f, -1.0f, -819}};
  WaveHeader header;
  SampleBuffers buffers;
  for (auto& column : buffers.SrcData) column.assign(2, 77);
  GrowVolts(buffers, 1);
  std::tie(header.Points, header.Channel[1].DispOn) = std::tuple(1, 1);
  for (const auto& [v, offset, vdiv, counts] : rows) {
    std::tie(header.Channel[1].Vdiv, header.Channel[1].Offset) = std::tuple(vdiv, offset);
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

// A long record is converted in two halves at once: every sample of each shown channel, on both
// sides of the cut, and nothing of a channel that is off.
TEST(VoltsToRawTest, ALongRecordConvertsEverySample) {
  constexpr std::int32_t points = 100'001;
  WaveHeader header;
  header.Points = points;
  SampleBuffers buffers;
  GrowVolts(buffers, points);
  for (auto& column : buffers.SrcData) column.assign(points + 1, 77);
  for (const std::size_t c : {0U, 3U}) {
    std::tie(header.Channel[c].DispOn, header.Channel[c].Vdiv) = std::tuple(1, 2.0f);
    for (std::int32_t i = 0; i < points; ++i) {
      buffers.VoltData[c][static_cast<std::size_t>(i)] =
          2.0f * static_cast<float>(i % 1001 - 500) / kCountsPerDivision;
    }
  }
  ASSERT_TRUE(VoltsToRaw(header, buffers));
  for (const std::size_t c : {0U, 3U}) {
    for (std::int32_t i = 0; i < points; ++i) {
      ASSERT_EQ(buffers.SrcData[c][static_cast<std::size_t>(i)], i % 1001 - 500) << c << " " << i;
    }
  }
  EXPECT_EQ(buffers.SrcData[1][points / 2], 77);
}

}  // namespace
}  // namespace sondrix
