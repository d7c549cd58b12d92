#include "cli/batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/files.h"
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

// The bar stays within 0 and the count. With several workers, one that finishes while others
// report must not take its part out before the file joins the count (a fault of some runs only).
TEST(RunBatchTest, ProgressAddsThePartsOfTheFilesAtWorkAndNeverStepsBack) {
  testing::TempDir dir;
  const auto inputs = WriteCaptures(dir, 8);
  for (const int jobs : {1, 3}) {
    CountingReport report;
    BatchOptions options;
    options.jobs = jobs;
    ASSERT_TRUE(RunBatch(inputs, options, report));
    EXPECT_EQ(report.ok, std::vector<bool>(8, true));
    ASSERT_GT(report.done.size(), 8u) << "the parts of a file move the count too";
    const auto stepBack = std::is_sorted_until(report.done.begin(), report.done.end());
    EXPECT_TRUE(stepBack == report.done.end())
        << jobs << " jobs: report " << (stepBack - report.done.begin()) << " steps back to "
        << *stepBack;
    for (const double done : report.done) EXPECT_TRUE(done >= 0.0 && done <= 8.0) << done;
    EXPECT_EQ(report.done.back(), 8.0);
  }
}

}  // namespace
}  // namespace sondrix::cli
