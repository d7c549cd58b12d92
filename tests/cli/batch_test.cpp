#include "cli/batch.h"

#include <gtest/gtest.h>

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

// The bar counts finished files plus the parts of the one at work, never less than nothing.
TEST(RunBatchTest, ProgressAddsThePartOfTheFileAtWork) {
  testing::TempDir dir;
  std::vector<std::filesystem::path> inputs{dir / "a.wfm", dir / "b.wfm"};
  for (const auto& input : inputs) {
    synth::WriteBytes(input, synth::SerializeWfm(synth::MakeCapture(synth::SineCapture(4, 50000))));
  }
  CountingReport report;
  ASSERT_TRUE(RunBatch(inputs, {}, report));
  EXPECT_EQ(report.ok, (std::vector<bool>{true, true}));
  ASSERT_GT(report.done.size(), 2u) << "the parts of a file move the count too";
  for (const double done : report.done) EXPECT_TRUE(done >= 0.0 && done <= 2.0) << done;
  EXPECT_EQ(report.done.back(), 2.0);
}

}  // namespace
}  // namespace sondrix::cli
