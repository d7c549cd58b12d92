#include "document/document.h"

#include <functional>
#include <string>
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

// Two captures with square waves, whose smoothing shows in every stored value near an edge, and
// a file that is no capture at all.
class DocumentTest : public ::testing::Test {
 public:
  DocumentTest() {
    for (const auto& [name, points] : {std::pair{"a.wfm", 3000}, std::pair{"b.wfm", 1200}}) {
      synth::Capture capture = synth::SineCapture(2, static_cast<std::size_t>(points));
      capture.channels[0].samples = synth::Square(static_cast<std::size_t>(points), 9000, 6);
      synth::WriteBytes(dir / name, synth::SerializeWfm(synth::MakeCapture(capture)));
    }
    synth::WriteBytes(dir / "bad.wfm", "ModelName = nothing we know\r\n");
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

  TempDir dir;
  RecordingSink sink;
};

// Whatever the operator did on screen, the store writes the whole record of the last file that
// loaded, in source counts unless a smoothed trace is displayed.
TEST_F(DocumentTest, StoreWritesTheWholeRecordOfTheLastFileLoaded) {
  struct Row {
    const char* name;
    std::function<void(DocumentTest&, Document&)> steps;
    const char* sameAs;        // the file whose plain export the store equals
    bool smoothed;             // the store differs from that export instead
    bool samplesOnly = false;  // only the sample lines equal it
  };
  const auto smoothing = [](SmoothingMode mode, const char* width) {
    return [mode, width](DocumentTest&, Document& d) {
      d.takeSmoothing(mode, width);
      d.redraw();
    };
  };
  const std::vector<Row> rows{
      {"loaded", [](DocumentTest&, Document&) {}, "a.wfm", false},
      {"next file", [](DocumentTest& t, Document& d) { t.open(d, "b.wfm"); }, "b.wfm", false},
      {"zoomed in",
       [](DocumentTest&, Document& d) {
         ZoomBoxes boxes{"4", "2", "3", "6"};
         ASSERT_TRUE(d.expand(boxes));
       },
       "a.wfm", false},
      {"zoomed and reset",
       [](DocumentTest&, Document& d) {
         ZoomBoxes boxes;
         ASSERT_TRUE(d.expand(boxes));
         ASSERT_TRUE(d.resetZoom());
       },
       "a.wfm", false},
      // A capture's header keeps what its reader read before it failed.
      {"failed WFM load",
       [](DocumentTest& t, Document& d) {
         const LoadResult failed = d.load(FileKind::Wfm, t.dir / "bad.wfm", t.sink);
         EXPECT_FALSE(failed.ok);
         EXPECT_FALSE(failed.reason.empty());
       },
       "a.wfm", false, true},
      {"failed CSV load",
       [](DocumentTest& t, Document& d) {
         synth::WriteBytes(t.dir / "bad.csv", "Points,100000\r\nModel,DSX\r\nCH1 V,CH2 V\r\n");
         EXPECT_FALSE(d.load(FileKind::Csv, t.dir / "bad.csv", t.sink).ok);
       },
       "a.wfm", false},
      {"both traces shown", smoothing(SmoothingMode::SourceAndSmoothed, "11"), "a.wfm", true},
      {"smoothed only", smoothing(SmoothingMode::SmoothedOnly, "25"), "a.wfm", true},
      {"smoothed width that copies", smoothing(SmoothingMode::SmoothedOnly, "1"), "a.wfm", false},
      {"smoothed, then source only",
       [smoothing](DocumentTest& t, Document& d) {
         smoothing(SmoothingMode::SmoothedOnly, "25")(t, d);
         smoothing(SmoothingMode::SourceOnly, "25")(t, d);
       },
       "a.wfm", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Document document;
    open(document, "a.wfm");
    row.steps(*this, document);
    const std::string file = stored(document);
    const std::string expected = plain(row.sameAs);
    const auto samples = [](const std::string& text) {
      std::vector<std::string> lines = SplitCrLf(text);
      lines.erase(lines.begin(), lines.begin() + 20);  // the header lines of two channels
      return lines;
    };
    if (row.smoothed) {
      EXPECT_NE(file, expected);
      EXPECT_EQ(SplitCrLf(file).size(), SplitCrLf(expected).size()) << "every sample stored";
    } else if (row.samplesOnly) {
      EXPECT_NE(file, expected);
      EXPECT_TRUE(samples(file) == samples(expected));
    } else {
      EXPECT_TRUE(file == expected);
    }
  }
}

TEST_F(DocumentTest, SmoothedStoreUsesTheWidthLastDrawn) {
  Document drawn;
  open(drawn, "a.wfm");
  drawn.takeSmoothing(SmoothingMode::SmoothedOnly, "12");
  drawn.redraw();
  EXPECT_EQ(drawn.smoothing().widthText, "13") << "an even width becomes the next odd one";
  drawn.takeSmoothing(SmoothingMode::SmoothedOnly, "99");
  const std::string withTyped = stored(drawn);

  Document direct;
  open(direct, "a.wfm");
  direct.takeSmoothing(SmoothingMode::SmoothedOnly, "13");
  direct.redraw();
  EXPECT_EQ(withTyped, stored(direct));
}

// The store's own step is shown after the volts are ready and before the writer's first report.
TEST_F(DocumentTest, StoreShowsItsStepBeforeTheWrite) {
  Document document;
  open(document, "a.wfm");
  RecordingSink store;
  ASSERT_TRUE(document.store(dir / "s.csv", 0, store, [&store] { store.message("storing"); }).ok());
  ASSERT_GT(store.calls.size(), 1U) << "the writer reports after it";
  EXPECT_EQ(store.calls.front().text, "storing");
  EXPECT_EQ(document.store(dir / "missing" / "s.csv", 0, store).status,
            ExportResult::Status::WriteFailed);
}

TEST_F(DocumentTest, OperationsWaitForALoadThenShowTheWholeRecord) {
  Document document;
  ZoomBoxes boxes;
  EXPECT_FALSE(document.expand(boxes));
  EXPECT_FALSE(document.resetZoom());
  EXPECT_FALSE(document.wheelBoxes(boxes, WheelAxis::Time, 1, 0.5, 0.5));
  EXPECT_TRUE(document.readouts().empty());
  EXPECT_FALSE(document.measurements());

  open(document, "a.wfm");
  EXPECT_EQ(std::pair(document.view().StartIndex, document.view().EndIndex), std::pair(0, 2999));
  EXPECT_EQ(document.measurements()->rows.size(), 2U);
}

TEST_F(DocumentTest, ReadoutsFollowTheCursorCommands) {
  Document document;
  open(document, "a.wfm");
  const auto timeText = [&document] { return document.readouts().at(1).text; };
  EXPECT_EQ(document.moveTimeSlider(0).boxText, "0");
  const std::string left = timeText();
  EXPECT_EQ(document.moveTimeSlider(1000).boxText, "10");
  const std::string right = timeText();
  EXPECT_NE(left, right);
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
}

// Where the continuous run stores: the data folder from the start and after each single-file
// command, the folder the browser opened last since then.
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
