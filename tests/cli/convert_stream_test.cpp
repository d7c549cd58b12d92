// A capture converted piece by piece gives the file, the reason and the refusal that a
// conversion of the whole record in memory gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "cli/convert.h"
#include "support/files.h"
#include "support/recording_sink.h"
#include "synth/signals.h"
#include "synth/wfm_writer.h"

namespace sondrix::cli {
namespace {

namespace fs = std::filesystem;

synth::Capture sines(int channels, std::size_t points, const std::string& model) {
  synth::Capture c = synth::SineCapture(channels, points);
  c.model = model;
  c.channels[1].invert = true;
  c.channels[1].probe = "10X";
  c.channels[0].offset = "-1.5V";
  return c;
}

TEST(ConvertStream, WritesWhatTheWholeRecordWritesForEverySampleAndSyntheticCapture) {
  testing::TempDir dir;
  ASSERT_EQ(
      std::system(
          (std::string(SONDRIX_SAMPLES_EXE) + " " + dir.path().string() + " >/dev/null").c_str()),
      0);
  std::vector<std::pair<std::string, synth::Capture>> made = {
      {"leading and spare samples, 8-bit, full range", sines(4, 40'000, synth::ZtModel(6, 4))},
      {"two-channel model with four channel sections", sines(4, 999, synth::ZtModel(6, 2))},
      {"nine-channel model", sines(4, 300, synth::ZtModel(6, 9))},
      {"three-channel model", sines(3, 300, synth::ZtModel(6, 3))},
      {"volts beyond a float at the count range's ends only", sines(4, 300, synth::QkModel(4))},
      {"volts beyond a float in the samples", sines(4, 300, synth::QkModel(4))},
      {"volts beyond a float in the least samples only", sines(4, 300, synth::QkModel(4))},
      {"long enough to have the text of every count made", sines(4, 140'000, synth::QkModel(4))}};
  made[0].second.sixteenBit = false;
  made[0].second.leadingSkip = 7;
  made[0].second.trailingSpare = 3;
  made[0].second.channels[3].samples = synth::Ramp(40'000, -32768, 32767);
  made[1].second.channels[3].offset = "2.5V";
  for (auto& [name, capture] : std::span(made).subspan(4, 3)) capture.longHeader = false;
  made[4].second.channels[2].voltsPerDiv = "2E38V";  // sines of up to 12,000 counts fit
  made[5].second.channels[3].voltsPerDiv = "2E38V";  // 16,000 counts do not
  made[6].second.channels[3].voltsPerDiv = "2E38V";  // 16,000 counts, less 1E38 V: 2.9E38 V fit,
  made[6].second.channels[3].offset = "1E38V";       // -16,000 do not
  made[7].second.channels[3].samples = synth::Ramp(140'000, -32768, 32767);
  made[7].second.channels[2].display = false;
  for (const auto& [name, capture] : made) {
    synth::WriteBytes(dir / (name + ".wfm"), synth::SerializeWfm(synth::MakeCapture(capture)));
  }
  const std::string nine = synth::SerializeWfm(synth::MakeCapture(made[2].second));
  synth::WriteBytes(dir / "cut short.wfm", nine.substr(0, nine.size() - 1));
  fs::create_directory(dir / "out");
  int inputs = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    if (!entry.is_regular_file()) continue;
    ++inputs;
    for (const auto& [skip, threads] : {std::pair{0, 3}, {0, 64}, {3, 1}, {1000, 2}}) {
      SCOPED_TRACE(entry.path().filename().string() + ", skip " + std::to_string(skip));
      testing::RecordingSink sink;
      ConvertOptions options;
      options.skip = skip;
      options.formatThreads = threads;
      const ConvertResult whole = ConvertInMemory(entry.path(), dir / "out/whole", options, sink);
      const ConvertResult streamed = ConvertTo(entry.path(), dir / "out/streamed", options, sink);
      EXPECT_EQ(streamed.ok, whole.ok);
      EXPECT_EQ(streamed.reason, whole.reason);
      EXPECT_EQ(fs::exists(dir / "out/streamed"), whole.ok);
      EXPECT_TRUE(testing::ReadWhole(dir / "out/streamed") ==
                  testing::ReadWhole(dir / "out/whole"));
      fs::remove(dir / "out/whole");
      fs::remove(dir / "out/streamed");
    }
  }
  EXPECT_EQ(inputs, 7 + 9);
}

// A capture cut short once the text has begun fails as its load would, and replaces nothing.
TEST(ConvertStream, ACaptureCutShortPartWayFailsAndKeepsTheOldOutput) {
  testing::TempDir dir;
  const fs::path input = dir / "cut.wfm";
  const std::string bytes =
      synth::SerializeWfm(synth::MakeCapture(sines(4, 60'000, synth::ZtModel(6, 4))));
  const std::size_t blocksAt = bytes.size() - 4 * 60'000 * 2;
  synth::WriteBytes(input, bytes);
  synth::WriteBytes(dir / "out.CSV", "old contents");
  testing::RecordingSink sink;
  sink.onPump = [&] { fs::resize_file(input, blocksAt + 1000); };  // after the first of 11 parts
  ConvertOptions options;
  options.formatThreads = 2;
  const ConvertResult r = ConvertTo(input, dir / "out.CSV", options, sink);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.reason,
            "byte " + std::to_string(blocksAt) + ": the block of channel 1 could not be read");
  EXPECT_EQ(testing::ReadWhole(dir / "out.CSV"), "old contents");
}

}  // namespace
}  // namespace sondrix::cli
