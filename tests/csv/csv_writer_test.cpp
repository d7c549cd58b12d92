#include "csv/csv_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "csv/csv_layout.h"
#include "support/read_file.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"
#ifndef _WIN32
#include "support/special_files.h"
#endif

namespace sondrix {
namespace {

class CsvWriterTest : public ::testing::Test {
 protected:
  void setPoints(std::int32_t points, std::int16_t chCount = 4) {
    header.Points = points;
    header.ChCount = chCount;
    header.Delta = 1e-3;
    header.TrigAddr = 0;
    for (auto& v : volts) v.assign(static_cast<std::size_t>(points), 0.0f);
  }
  // The data lines of the written file.
  std::vector<std::string> dataLines(int skip) {
    const auto path = dir / "out.CSV";
    const CsvWriteResult r = WriteCsvFile(path, header, volts, skip, sink);
    EXPECT_TRUE(r.ok()) << r.reason;
    auto lines = testing::SplitCrLf(testing::ReadWhole(path));
    const auto columns = std::find_if(
        lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("Time(s)"); });
    return {columns + 1, lines.end()};
  }

  testing::TempDir dir;
  testing::RecordingSink sink;
  WaveHeader header;
  VoltArrays volts;
};

TEST_F(CsvWriterTest, WritesEveryStepOfSamplesUpToTheLast) {
  setPoints(10);
  EXPECT_EQ(dataLines(1).size(), 5u);
  EXPECT_EQ(dataLines(1)[4].substr(0, 12), "8.000000e-3,") << "samples 0, 2, 4, 6, 8";
  // Short records keep their tail: the 11 blocks only pace the progress.
  for (const std::int32_t points : {1, 5, 6, 12, 13, 14, 23, 24, 25, 34, 45, 46}) {
    setPoints(points);
    EXPECT_EQ(dataLines(0).size(), static_cast<std::size_t>(points)) << points;
    EXPECT_EQ(dataLines(3).size(), static_cast<std::size_t>((points + 3) / 4)) << points;
  }
  setPoints(0);
  EXPECT_TRUE(dataLines(0).empty());
}

TEST_F(CsvWriterTest, ReportsProgressInElevenStepsWithOnePumpEach) {
  setPoints(1000, 2);
  dataLines(0);
  std::vector<int> expected{0};
  for (int b = 1; b <= 11; ++b) expected.push_back(static_cast<int>(1100 * b / 11));
  expected.push_back(1100);
  EXPECT_EQ(sink.progressValues(), expected) << "the two-column layout starts at 0";
  EXPECT_EQ(sink.pumps(), 11);

  sink.calls.clear();
  setPoints(1000, 4);
  dataLines(0);
  EXPECT_EQ(sink.progressValues().front(), 100) << "the four-column layout starts after a block";

  sink.calls.clear();
  setPoints(0);
  dataLines(0);
  EXPECT_EQ(sink.pumps(), 1) << "an empty record ends after its first block";
}

// The formatting is spread over threads in pieces of 16,384 lines, written in turn; the file must
// be the same as writing the lines one by one, whatever the number of threads.
TEST_F(CsvWriterTest, ParallelOutputEqualsLineByLineOutput) {
  setPoints(600'001);  // every third sample: two pieces per progress block
  header.TrigAddr = 300'000;
  header.Delta = 2.5e-7;
  std::mt19937 rng(99);
  std::uniform_real_distribution<float> dist(-40.0f, 40.0f);
  for (auto& column : volts) {
    for (float& v : column) v = dist(rng);
  }
  DataLineFormat format;
  format.trigAddr = header.TrigAddr;
  format.delta = header.Delta;
  format.valueDecimals = ValueDecimals(header);
  for (std::size_t c = 0; c < 4; ++c) format.columns[c] = volts[c].data();
  std::string expected = CsvHeaderText(header);
  std::string line(kMaxDataLineChars, '\0');
  for (std::int64_t i = 0; i < header.Points; i += 3) {
    expected.append(line.data(), FormatDataLine(line.data(), format, i));
  }
  for (const int threads : {1, 3}) {
    const auto path = dir / "big.CSV";
    ASSERT_TRUE(WriteCsvFile(path, header, volts, 2, sink, {}, threads).ok());
    EXPECT_TRUE(testing::ReadWhole(path) == expected) << threads << " threads";
  }
}

TEST_F(CsvWriterTest, AFailedWriteIsReportedAndLeavesTheOldFile) {
  const auto path = dir / "kept.CSV";
  {
    std::ofstream old(path);
    old << "old contents";
  }
  setPoints(100);
  volts[3].resize(50);  // fewer volts than Points
  const CsvWriteResult r = WriteCsvFile(path, header, volts, 0, sink);
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(testing::ReadWhole(path), "old contents");

  volts[3].resize(100);
  // The window's rule: what is not a regular file is refused, the system's reason said.
  std::vector<std::pair<std::string, std::string>> refused = {
      {"no-such-folder/x.CSV", "the file cannot be created: No such file or directory"},
      {"a-folder.CSV", "the file cannot be created: Is a directory"},
  };
  std::filesystem::create_directory(dir / "a-folder.CSV");
#ifndef _WIN32
  refused.emplace_back("fifo.CSV", "the file cannot be created: not a regular file");
  ASSERT_TRUE(testing::MakeFifo(dir / "fifo.CSV"));
#endif
  for (const auto& [name, reason] : refused) {
    EXPECT_EQ(WriteCsvFile(dir / name, header, volts, 0, sink).reason, reason);
  }
#ifndef _WIN32
  EXPECT_EQ(std::filesystem::status(dir / "fifo.CSV").type(), std::filesystem::file_type::fifo);
#endif
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename().string().find("tmp"), std::string::npos)
        << "no temporary file left";
  }
}

}  // namespace
}  // namespace sondrix
