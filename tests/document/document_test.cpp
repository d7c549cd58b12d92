#include "document/document.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/recording_sink.h"
#include "synth/signals.h"
#include "synth/wfm_writer.h"

namespace sondrix {
namespace {

using testing::ReadWhole;
using testing::RecordingSink;
using testing::SplitCrLf;
using testing::TempDir;

// Two captures with square waves, whose smoothing shows in every stored value near an edge.
class DocumentTest : public ::testing::Test {
 public:
  DocumentTest() {
    for (const auto& [name, points] : {std::pair{"a.wfm", 3000}, std::pair{"b.wfm", 1200}}) {
      synth::Capture capture = synth::SineCapture(2, static_cast<std::size_t>(points));
      capture.channels[0].samples = synth::Square(static_cast<std::size_t>(points), 9000, 6);
      synth::WriteBytes(dir / name, synth::SerializeWfm(synth::MakeCapture(capture)));
    }
  }

  // What the converter writes for `name`: its source, loaded afresh, exported as it is.
  std::string plain(const std::string& name) {
    WaveRecord record;
    EXPECT_TRUE(LoadFile(dir / name, record, sink).ok);
    EXPECT_TRUE(ExportRecord(record, {}, dir / "plain.csv", 0, sink).ok());
    return ReadWhole(dir / "plain.csv");
  }

  void open(Document& document, const std::string& name) {
    ASSERT_TRUE(document.load(FileKind::Wfm, dir / name, sink).ok) << name;
    document.showWhole();
  }

  std::string stored(Document& document) {
    EXPECT_TRUE(document.store(dir / "stored.csv", 0, sink).ok());
    return ReadWhole(dir / "stored.csv");
  }

  std::string storedAfter(const std::function<void(Document&)>& steps) {
    Document document;
    open(document, "a.wfm");
    steps(document);
    return stored(document);
  }

  TempDir dir;
  RecordingSink sink;
};

void Smooth(Document& document, SmoothingMode mode, const char* width) {
  document.takeSmoothing(mode, width);
  document.redraw();
}

// Whatever the operator did on screen, in source counts unless a smoothed trace is displayed. What
// a failed load leaves of the record is the loader's rule.
TEST_F(DocumentTest, StoreWritesTheWholeRecordOfTheLastFileLoaded) {
  const std::string a = plain("a.wfm");
  EXPECT_TRUE(storedAfter([](Document&) {}) == a);
  EXPECT_TRUE(storedAfter([this](Document& d) { open(d, "b.wfm"); }) == plain("b.wfm"));
  EXPECT_TRUE(storedAfter([](Document& d) {
                ZoomBoxes boxes{"4", "2", "3", "6"};
                ASSERT_TRUE(d.expand(boxes));
              }) == a)
      << "zoomed in";
  const std::pair<SmoothingMode, const char*> smoothed[] = {
      {SmoothingMode::SourceAndSmoothed, "11"}, {SmoothingMode::SmoothedOnly, "25"}};
  for (const auto& [mode, width] : smoothed) {
    const std::string file = storedAfter([&](Document& d) { Smooth(d, mode, width); });
    EXPECT_NE(file, a);
    EXPECT_EQ(SplitCrLf(file).size(), SplitCrLf(a).size()) << "every sample stored";
  }
  EXPECT_TRUE(storedAfter([](Document& d) {
                Smooth(d, SmoothingMode::SmoothedOnly, "25");
                Smooth(d, SmoothingMode::SourceOnly, "25");
              }) == a)
      << "smoothed, then source only";

  // A smoothed store uses the width last drawn, not one typed since.
  Document drawn;
  open(drawn, "a.wfm");
  Smooth(drawn, SmoothingMode::SmoothedOnly, "12");  // drawn at 13, the next odd width
  drawn.takeSmoothing(SmoothingMode::SmoothedOnly, "99");
  EXPECT_EQ(stored(drawn),
            storedAfter([](Document& d) { Smooth(d, SmoothingMode::SmoothedOnly, "13"); }));
}

// Measurements wait for a load, which shows the whole record; the store's own step is shown after
// the volts are ready and before the writer's first report.
TEST_F(DocumentTest, CommandsOnTheLoadedRecord) {
  Document document;
  EXPECT_FALSE(document.measurements());
  open(document, "a.wfm");
  EXPECT_EQ(std::pair(document.view().StartIndex, document.view().EndIndex), std::pair(0, 2999));
  EXPECT_EQ(document.measurements()->rows.size(), 2U);

  const auto timeText = [&document] { return document.readouts().at(1).text; };
  EXPECT_EQ(document.moveTimeSlider(0).boxText, "0");
  const std::string left = timeText();
  EXPECT_EQ(document.moveTimeSlider(1000).boxText, "10");
  EXPECT_NE(timeText(), left);
  EXPECT_EQ(document.enterTimePosition("0").boxText, "0");
  EXPECT_EQ(timeText(), left);
  const auto all = [&document] {
    std::string text;
    for (const ReadoutPiece& piece : document.readouts()) text += piece.text;
    return text;
  };
  document.moveLevelSlider(-32768);
  const std::string top = all();
  EXPECT_EQ(document.moveLevelSlider(0).boxText, "4");
  EXPECT_NE(all(), top) << "the level read-out moves with the level slider";

  RecordingSink store;
  ASSERT_TRUE(document.store(dir / "s.csv", 0, store, [&store] { store.message("storing"); }).ok());
  ASSERT_GT(store.calls.size(), 1U) << "the writer reports after it";
  EXPECT_EQ(store.calls.front().text, "storing");
  EXPECT_EQ(document.store(dir / "missing" / "s.csv", 0, store).status,
            ExportResult::Status::WriteFailed);
}

// Every change of the view is one step (a drag that pans too); a step back or forward draws the
// view as it was with the boxes it was zoomed with; a change after going back drops the steps
// ahead, the oldest go past the limit, and a load starts again.
TEST_F(DocumentTest, BackAndForwardThroughTheViews) {
  Document d;
  open(d, "a.wfm");
  ZoomBoxes boxes{"4", "2", "3", "6"};
  using Seen = std::tuple<std::int32_t, std::int32_t, float, float, float, std::string>;
  const auto now = [&d](const std::optional<ZoomBoxes>& b) {
    const ViewState& v = d.view();
    return Seen{v.StartIndex, v.EndIndex, v.XZoom, v.YZoom, v.YTop, b ? b->ZoomRate : ""};
  };
  std::vector<Seen> seen{now(std::nullopt)};
  const auto step = [&](bool drawn) {
    ASSERT_TRUE(drawn);
    seen.push_back(now(boxes));
  };
  step(d.expand(boxes));
  step(d.expand(boxes = d.wheelBoxes(boxes, WheelAxis::Time, 1, 0.3, 0.5).value()));
  step(d.zoomToBand(boxes, {0.2, 0.2, 0.6, 0.7}));
  d.startPan();
  step(d.panTo(0.1, 0.0) && d.panTo(0.3, -0.2) && !d.panTo(0.3, -0.2));
  step(d.pan(-0.1, 0.0));
  step(d.resetZoom() && d.resetZoom());
  for (std::size_t i = seen.size() - 1; i-- > 0;) {
    const auto shown = d.back();
    ASSERT_TRUE(shown) << i;
    EXPECT_EQ(now(shown->boxes), seen[i]) << i;
  }
  EXPECT_FALSE(d.back());
  ASSERT_TRUE(d.forward() && d.forward() && d.pan(0.2, 0.0));
  EXPECT_FALSE(d.forward()) << "the steps ahead are gone";
  for (int i = 0; i < 150; ++i) ASSERT_TRUE(d.pan(i % 2 ? 0.1 : -0.1, 0.0));
  std::size_t steps = 0;
  while (d.back()) ++steps;
  EXPECT_EQ(steps, ViewHistory::kSteps - 1);
  open(d, "b.wfm");
  EXPECT_FALSE(d.back()) << "a load starts again";
}

// The continuous run stores in the data folder at first and after each single-file command.
TEST(DocumentRunFolder, IsTheBrowsersFolderUntilTheNextCommand) {
  Document document;
  document.startIn("/data");
  EXPECT_EQ(document.runFolder(), "/data");
  for (const char* folder : {"/files", "/other"}) {
    document.folderOpened(folder);
    EXPECT_EQ(document.runFolder(), folder);
  }
  document.commandEnded();
  EXPECT_EQ(document.runFolder(), "/data");
  document.folderOpened("/files");
  EXPECT_EQ(document.runFolder(), "/files") << "a browser after a command";
}

}  // namespace
}  // namespace sondrix
