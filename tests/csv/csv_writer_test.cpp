#include "csv/csv_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "csv/csv_layout.h"
#include "support/files.h"
#include "support/recording_sink.h"

namespace sondrix {
namespace {

class CsvWriterTest : public ::testing::Test {
 protected:
  void setPoints(std::int32_t points, std::int16_t chCount = 4) {
    header.Points = points;
    header.ChCount = chCount;
    header.Delta = 2.5e-7;
    header.TrigAddr = points / 2;
    for (auto& v : std::span(volts).first(chCount == 2 ? 2 : 4)) v.assign(points, 0.0f);
  }
  CsvWriteResult write(const std::string& name, int skip = 0, int threads = 0) {
    return WriteCsvFile(dir / name, header, volts, skip, sink, {}, threads);
  }

  testing::TempDir dir;
  testing::RecordingSink sink;
  WaveHeader header;
  VoltArrays volts;
};

// Samples 0, skip + 1, ... (step at most 1001) in 11 blocks of a pump each (none: one); threads'
// 16,384-line pieces join as if formatted line by line. 2-channel rows' other columns are short.
TEST_F(CsvWriterTest, WritesEveryStepOfSamplesAsLineByLineInElevenBlocks) {
  std::mt19937 rng(99);
  std::uniform_real_distribution<float> dist(-40.0f, 40.0f);
  const auto random = [&] { return dist(rng); };
  const struct {
    std::int32_t points;
    std::int16_t chCount;
    int skip, threads, pumps;
  } rows[] = {
      {0, 4, 0, 1, 1},   {5, 4, 0, 1, 11},       {12, 4, 0, 1, 11},
      {1, 4, 3, 1, 11},  {1500, 4, 5000, 1, 11}, {13, 4, 3, 1, 11},
      {46, 2, 3, 1, 11}, {600'001, 4, 2, 1, 11}, {600'001, 4, 2, 3, 11},
  };
  for (const auto& row : rows) {
    setPoints(row.points, row.chCount);
    for (auto& column : volts) std::ranges::generate(column, random);
    DataLineFormat format;
    format.columnCount = row.chCount == 2 ? 2 : 4;
    format.trigAddr = header.TrigAddr;
    format.delta = header.Delta;
    format.valueDecimals = ValueDecimals(header);
    for (std::size_t c = 0; c < 4; ++c) format.columns[c] = volts[c].data();
    std::string expected = CsvHeaderText(header);
    std::string line(kMaxDataLineChars, '\0');
    for (std::int64_t i = 0; i < row.points; i += std::min(row.skip, 1000) + 1) {
      expected.append(line.data(), FormatDataLine(line.data(), format, i));
    }
    SCOPED_TRACE(::testing::Message() << row.points << " points, skip " << row.skip << ", "
                                      << row.threads << " threads");
    sink.calls.clear();
    ASSERT_TRUE(write("out.CSV", row.skip, row.threads).ok());
    EXPECT_TRUE(testing::ReadWhole(dir / "out.CSV") == expected);
    std::vector<int> progress;
    if (row.chCount == 2) progress.push_back(0);  // the two-column layout reports 0 first
    for (int b = 1; b <= row.pumps; ++b) progress.push_back(100 * b);  // of 1100
    progress.push_back(1100);
    EXPECT_EQ(sink.progressValues(), progress);
    EXPECT_EQ(sink.pumps(), row.pumps);
  }
}

TEST_F(CsvWriterTest, AFailedWriteIsReportedAndLeavesTheOldFile) {
  setPoints(100);
  // What stands at the path is refused as SafeFile refuses it, with the system's reason.
  std::filesystem::create_directory(dir / "a-folder.CSV");
  EXPECT_EQ(write("a-folder.CSV").reason, "the file cannot be created: Is a directory");

  std::ofstream(dir / "kept.CSV") << "old contents";
  volts[2].resize(50);
  const CsvWriteResult r = write("kept.CSV");
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.reason, "the volts of channel 3 hold fewer than 100 samples");
  EXPECT_EQ(testing::ReadWhole(dir / "kept.CSV"), "old contents");
}

}  // namespace
}  // namespace sondrix
