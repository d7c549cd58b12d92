#include "wfm/load_wfm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures/signals.h"
#include "fixtures/wfm_writer.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"
#include "wfm/messages.h"

namespace sondrix {
namespace {

class LoadWfmTest : public ::testing::Test {
 protected:
  std::filesystem::path write(const std::string& name, const fixtures::Capture& capture) {
    const auto path = dir.path() / name;
    fixtures::WriteBytes(path, fixtures::SerializeWfm(fixtures::MakeCapture(capture)));
    return path;
  }
  static fixtures::Capture capture(int channels, std::size_t points) {
    return fixtures::SineCapture(channels, points);
  }
  LoadResult load(const std::filesystem::path& path) {
    sink.calls.clear();
    return LoadWfmFile(path, record, view, smoothing, scene, sink);
  }

  testing::TempDir dir;
  testing::RecordingSink sink;
  WaveRecord record;
  ViewState view;
  SmoothingChoice smoothing;
  Scene scene = InitialScene();
};

TEST_F(LoadWfmTest, LoadResetsTheViewAndDrawsTheWholeRecord) {
  view = {100, 200, 0.5f, 8.0f, 1000.0f, -1000.0f, 4.0f, true, true};  // a zoomed earlier view
  const LoadResult r = load(write("four.wfm", capture(4, 10000)));
  ASSERT_TRUE(r.read.ok()) << r.read.reason;
  EXPECT_EQ(r.acqDataSizeText, "全取込データ数=10000");
  EXPECT_EQ(view.StartIndex, 0);
  EXPECT_EQ(view.EndIndex, 9999);
  EXPECT_EQ(view.XZoom, 1.0f);
  EXPECT_EQ(view.YZoom, 1.0f);
  EXPECT_EQ(view.YTop, 32767.0f);
  EXPECT_EQ(view.YBottom, -32768.0f);
  EXPECT_EQ(view.ShownTimeDiv, 1e-3f);
  EXPECT_TRUE(view.WaveLoaded && view.WaveDrawn);
  EXPECT_DOUBLE_EQ(record.header.Delta, 1e-6);
  EXPECT_EQ(scene.traces.size(), 4u);
  EXPECT_TRUE(scene.vrefLines[2].visible && scene.vrefLines[3].visible);
  EXPECT_EQ(scene.tdivLabel.text, "1ms/div");
  EXPECT_EQ(sink.messages().back(), wfm_messages::kReadComplete);
}

TEST_F(LoadWfmTest, TwoChannelFileHidesUpperMarksAndKeepsTheirSamples) {
  ASSERT_TRUE(load(write("four.wfm", capture(4, 1000))).read.ok());
  const std::vector<std::int16_t> third(record.buffers.SrcData[2].begin(),
                                        record.buffers.SrcData[2].begin() + 1000);
  ASSERT_TRUE(load(write("two.wfm", capture(2, 1000))).read.ok());
  EXPECT_FALSE(scene.vrefLines[2].visible);
  EXPECT_FALSE(scene.vrefLines[3].visible);
  EXPECT_EQ(scene.traces.size(), 2u);
  EXPECT_TRUE(std::equal(third.begin(), third.end(), record.buffers.SrcData[2].begin()));
  ASSERT_TRUE(load(write("four-again.wfm", capture(4, 1000))).read.ok());
  EXPECT_TRUE(scene.vrefLines[2].visible && scene.vrefLines[3].visible);
}

TEST_F(LoadWfmTest, FailedLoadChangesNothingButTheCountCaption) {
  ASSERT_TRUE(load(write("good.wfm", capture(4, 2000))).read.ok());
  view.StartIndex = 10;  // as a zoom would leave it
  const ViewState before = view;
  const auto traces = scene.traces;
  const std::vector<std::int16_t> first(record.buffers.SrcData[0].begin(),
                                        record.buffers.SrcData[0].begin() + 2000);

  const auto bad = dir.path() / "bad.wfm";
  fixtures::WriteBytes(bad, "ModelName = nothing we know\r\n[END OF SETUP]\r\n");
  const LoadResult r = load(bad);
  EXPECT_FALSE(r.read.ok());
  EXPECT_EQ(r.acqDataSizeText, "全取込データ数=" + std::to_string(record.WfmPoints));
  EXPECT_EQ(view.StartIndex, before.StartIndex);
  EXPECT_EQ(view.EndIndex, before.EndIndex);
  EXPECT_EQ(scene.traces.size(), traces.size());
  EXPECT_EQ(scene.traces[0].points, traces[0].points);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), record.buffers.SrcData[0].begin()));

  // A file whose model line gives three channels reads, but cannot be shown.
  auto three = capture(4, 500);
  three.model = fixtures::ZtModel(6, 3);
  const LoadResult odd = load(write("three.wfm", three));
  EXPECT_EQ(odd.read.status, ReadStatus::ReadError);
  EXPECT_EQ(sink.messages().back(), wfm_messages::kReadError);
  EXPECT_EQ(view.StartIndex, before.StartIndex);
}

TEST_F(LoadWfmTest, FirstLoadFailingLeavesNothingLoaded) {
  fixtures::WriteBytes(dir.path() / "empty.wfm", "");
  const LoadResult r = load(dir.path() / "empty.wfm");
  EXPECT_FALSE(r.read.ok());
  EXPECT_EQ(r.acqDataSizeText, "全取込データ数=0");
  EXPECT_FALSE(view.WaveLoaded);
  EXPECT_FALSE(scene.graticule.drawn);
}

}  // namespace
}  // namespace sondrix
