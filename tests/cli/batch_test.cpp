#include "cli/batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "synth/wfm_writer.h"

namespace sondrix::cli {
namespace {

struct CountingReport final : BatchReport {
  void outcome(const std::filesystem::path&, const FileOutcome& o) override { ok.push_back(o.ok); }
  void progress(double filesDone, std::size_t) override { done.push_back(filesDone); }
  std::vector<bool> ok;
  std::vector<double> done;
};

std::vector<std::filesystem::path> WriteCaptures(const testing::TempDir& dir, int count) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 0; i < count; ++i) {
    inputs.push_back(dir / ("capture" + std::to_string(i) + ".wfm"));
    synth::WriteBytes(inputs.back(),
                      synth::SerializeWfm(synth::MakeCapture(synth::SineCapture(4, 50000))));
  }
  return inputs;
}

// The bar counts finished files plus the parts of the one at work, never less than nothing.
TEST(RunBatchTest, ProgressAddsThePartOfTheFileAtWork) {
  testing::TempDir dir;
  const auto inputs = WriteCaptures(dir, 2);
  CountingReport report;
  ASSERT_TRUE(RunBatch(inputs, {}, report));
  EXPECT_EQ(report.ok, (std::vector<bool>{true, true}));
  ASSERT_GT(report.done.size(), 2u) << "the parts of a file move the count too";
  for (const double done : report.done) EXPECT_TRUE(done >= 0.0 && done <= 2.0) << done;
  EXPECT_TRUE(std::is_sorted(report.done.begin(), report.done.end()));
  EXPECT_EQ(report.done.back(), 2.0);
}

// Workers that finish while others report: a finished file's part must not leave the count
// before the file joins it. (A fault here shows on some runs only, as the threads meet.)
TEST(RunBatchTest, ProgressOfSeveralWorkersNeverStepsBack) {
  testing::TempDir dir;
  const auto inputs = WriteCaptures(dir, 8);
  CountingReport report;
  BatchOptions options;
  options.jobs = 3;
  ASSERT_TRUE(RunBatch(inputs, options, report));
  EXPECT_EQ(report.ok, std::vector<bool>(8, true));
  const auto stepBack = std::is_sorted_until(report.done.begin(), report.done.end());
  EXPECT_TRUE(stepBack == report.done.end())
      << "report " << (stepBack - report.done.begin()) << " steps back to " << *stepBack;
  for (const double done : report.done) EXPECT_TRUE(done >= 0.0 && done <= 8.0) << done;
  EXPECT_EQ(report.done.back(), 8.0);
}

}  // namespace
}  // namespace sondrix::cli
