#include "cli/watch.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <thread>

#include "cli/convert_program.h"

namespace sondrix::cli {
namespace {

using namespace std::chrono_literals;

struct RecordingReport final : BatchReport {
  void outcome(const std::filesystem::path& input, const FileOutcome& o) override {
    const std::scoped_lock lock(mutex);
    seen.push_back((o.ok ? "wrote " : "failed ") + input.filename().string());
  }
  void progress(double, std::size_t) override {}
  std::vector<std::string> get() {
    const std::scoped_lock lock(mutex);
    return seen;
  }
  bool waitFor(std::size_t count) {
    for (int i = 0; i < 1000 && get().size() < count; ++i) std::this_thread::sleep_for(10ms);
    return get().size() >= count;
  }
  std::mutex mutex;
  std::vector<std::string> seen;
};

class WatchTest : public ConvertProgram, public ::testing::WithParamInterface<bool> {};

// At start the captures without an up-to-date output are converted; then each one that arrives,
// once whole (one written in two pieces is converted once); one that stays broken is reported once.
// With the kernel's notice and with polling alike; a stop ends the watch.
TEST_P(WatchTest, CatchesUpThenConvertsEachArrivalOnce) {
  const std::filesystem::path outputs = dir / "out";
  std::filesystem::create_directory(outputs);
  capture("a.wfm");
  capture("b.wfm");
  capture("c.wfm");
  synth::WriteBytes(outputs / "b.CSV", "up to date");
  synth::WriteBytes(outputs / "c.CSV", "older than its capture");
  std::filesystem::last_write_time(
      outputs / "c.CSV", std::filesystem::last_write_time(dir / "c.wfm") - std::chrono::seconds(5));

  WatchOptions options;
  options.batch.convert.outDir = outputs;
  options.poll = GetParam();
  options.times = {50ms, 1500ms};
  RecordingReport report;
  WatchStop stop;
  bool allRead = true;
  std::jthread watch([&] { allRead = RunWatch(dir.path(), options, report, stop); });
  ASSERT_TRUE(report.waitFor(2));
  const std::string whole = testing::ReadWhole(capture("whole.tmp"));
  {
    std::ofstream slow(dir / "d.wfm", std::ios::binary);
    slow << whole.substr(0, 3000) << std::flush;
    std::this_thread::sleep_for(20ms);
    slow << whole.substr(3000);
  }
  synth::WriteBytes(dir / "e.wfm", whole.substr(0, 3000));
  ASSERT_TRUE(report.waitFor(4));
  std::this_thread::sleep_for(100ms);
  stop.stop();
  watch.join();
  EXPECT_EQ(report.get(), (std::vector<std::string>{"wrote a.wfm", "wrote c.wfm", "wrote d.wfm",
                                                    "failed e.wfm"}));
  EXPECT_EQ(testing::ReadWhole(outputs / "b.CSV"), "up to date");
  EXPECT_FALSE(allRead);
}

INSTANTIATE_TEST_SUITE_P(NoticeAndPolling, WatchTest, ::testing::Bool());

// A stop during a conversion ends the watch once that file is whole.
TEST_F(ConvertProgram, AStopDuringAConversionFinishesTheFile) {
  struct StopMidway final : BatchReport {
    explicit StopMidway(WatchStop& s) : stop(s) {}
    void outcome(const std::filesystem::path&, const FileOutcome& o) override { wrote += o.ok; }
    void progress(double done, std::size_t) override {
      if (done > 0.0 && done < 1.0) stop.stop();
    }
    WatchStop& stop;
    int wrote = 0;
  };
  capture("big.wfm", 400000);
  capture("next.wfm");
  WatchStop stop;
  StopMidway report(stop);
  EXPECT_TRUE(RunWatch(dir.path(), {}, report, stop));
  EXPECT_EQ(report.wrote, 1);
  EXPECT_EQ(testing::SplitCrLf(testing::ReadWhole(dir / "big.CSV")).size(), 30u + 400000u);
  EXPECT_FALSE(std::filesystem::exists(dir / "next.CSV"));
}

// INT ends the program's watch with 0, having said what it wrote.
TEST_F(ConvertProgram, WatchEndsOnInterruptWithZero) {
  capture("a.wfm");
  const std::string program = SONDRIX_CONVERT_EXE;
  EXPECT_EQ(shell("(" + program + " --watch " + dir.path().string() +
                  " & pid=$!; sleep 2; kill -INT $pid; wait $pid)"),
            0)
      << err;
  EXPECT_EQ(out, (dir / "a.CSV").string() + "\n");
}

}  // namespace
}  // namespace sondrix::cli
