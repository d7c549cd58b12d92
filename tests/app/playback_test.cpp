#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "form_fixture.h"
#include "load/load_file.h"
#include "synth/instrument_csv_writer.h"
#include "synth/signals.h"

namespace sondrix::testing {
namespace {

// The two playback buttons, and the paths opened or dropped on the window that reach them.
class PlaybackTest : public FormTest {
 protected:
  // An instrument file of two channels at 0.5 V/div.
  void writeCsv(const std::string& name, std::size_t samples) {
    synth::InstrumentCsv csv;
    csv.channels = {{}, {}};
    const auto volts = synth::CountsToVolts(synth::Sine(samples, 2.0 * 8192, 3.0), 0.5f, 0);
    csv.volts = {volts, volts};
    synth::WriteBytes(files.path() / name, synth::SerializeInstrumentCsv(csv));
  }
  // The channels' zero-level marks, '1' for each one shown.
  QString marks() {
    QString shown;
    for (const char* name : {"VrefLine0", "VrefLine1", "VrefLine2", "VrefLine3"}) {
      shown += child<QWidget>(name)->isHidden() ? '0' : '1';
    }
    return shown;
  }
  QString caption() { return child<QLabel>("AcqDataSize")->text(); }
  QString selected() { return form().browser().selectedFile(); }
  int filter() { return child<QComboBox>("FileFilter")->currentIndex(); }
  std::vector<TracePoint> firstTrace() { return form().scene().traces.at(0).points; }
};

// With nothing selected a button asks for a file; a play ends in the data folder. Which files of
// either kind cannot be read is the loader's table.
TEST_F(PlaybackTest, EachButtonOrADropDrawsTheFileOrKeepsThePreviousWaveform) {
  writeCapture("four.WFM", synth::SineCapture(4, 20000));
  writeCapture("two.wfm", synth::SineCapture(2, 1000));
  synth::WriteBytes(files.path() / "bad.wfm", "ModelName = nothing we know\r\n");
  writeCsv("wave.csv", 1000);
  writeCsv("Dropped.Csv", 700);
  synth::WriteBytes(files.path() / "bad.csv", "Points,100000\r\nModel,DSX\r\nCH1 V,CH2 V\r\n");
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  press("BinToCsvConvert");
  EXPECT_EQ(services.messages, QStringList{U("Binファイル(*.WFM)を選択して下さい.")});
  EXPECT_EQ(form().runFolder(), Q(files.path())) << "the folder stays";
  play("four.WFM");
  EXPECT_EQ(std::tuple(form().statusText(1), form().statusText(2), caption()),
            std::tuple(U("波形データ変換完了｡"), "four.WFM", U("全取込データ数=20000")));
  EXPECT_TRUE(inDataFolder() && child<QPushButton>("BinToCsvConvert")->isEnabled());
  EXPECT_EQ(marks(), "1111");
  play("two.wfm");
  EXPECT_EQ(marks(), "1100");
  const auto before = firstTrace();
  play("bad.wfm");
  EXPECT_EQ(form().statusText(1), U("ファイル読取りエラーです。")) << "not converted";
  EXPECT_EQ(firstTrace(), before);
  EXPECT_EQ(services.messages.size(), 1u) << "a press tells in the status bar only";

  press("InputDsTypeCsvFile");  // the WFM file selected is not in the new list
  EXPECT_EQ(services.messages.back(), U("CSV/TXTファイルを選択して下さい."));
  play("wave.csv", "InputDsTypeCsvFile");
  EXPECT_EQ(std::tuple(filter(), caption(), form().statusText(1)),
            std::tuple(1, U("全取込データ数=1000"), U("波形データ変換完了｡")))
      << "CSV/TXT";
  EXPECT_TRUE(inDataFolder());
  play("bad.csv", "InputDsTypeCsvFile");
  EXPECT_EQ(caption(), U("全取込データ数=1000")) << "a CSV file that fails gives no count";

  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(Q(files.path() / "Dropped.Csv"))});
  const QPoint middle = form().rect().center();
  QDragEnterEvent enter(middle, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(middle), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  QCoreApplication::processEvents();  // the drop is opened once it has ended
  EXPECT_EQ(std::tuple(selected(), caption()), std::tuple("Dropped.Csv", U("全取込データ数=700")));
}

// Anything neither a playable file nor a folder is named in a message and changes nothing.
TEST_F(PlaybackTest, AnOpenedPathPlaysAFileOrShowsAFolder) {
  writeCapture("four.WFM", synth::SineCapture(4, 20000));
  synth::WriteBytes(files.path() / "notes.dat", "x");
  synth::WriteBytes(files.path() / ".hidden.wfm", "x");
  std::filesystem::create_directory(files.path() / "sub");
  form().browser().selectFilter(1);  // a pattern that does not list captures
  form().openPath(Q(files.path() / "four.WFM"));
  EXPECT_EQ(std::tuple(form().browser().path(), selected(), filter(), caption()),
            std::tuple(Q(files.path()), "four.WFM", 0, U("全取込データ数=20000")));
  const auto before = firstTrace();
  const std::pair<std::string, const char*> refused[] = {
      {"missing.wfm", "ファイルまたはフォルダがありません！"},
      {"notes.dat", "WFM/CSV/TXTファイルではありません！"},
      {".hidden.wfm", "ファイル一覧に表示できないファイルです！"},
  };
  QStringList expected;
  for (const auto& [name, text] : refused) {
    form().openPath(Q(files.path() / name));
    expected << U(text) + u'\n' + Q(files.path() / name);
  }
  EXPECT_EQ(std::tuple(services.messages, selected()), std::tuple(expected, "four.WFM"));
  EXPECT_EQ(firstTrace(), before);

  form().openPath(Q(files.path() / "sub"));
  EXPECT_EQ(form().browser().path(), Q(files.path() / "sub"));
  EXPECT_EQ(form().statusText(2), "four.WFM") << "nothing is played";

  // A file opened so that cannot be read is named with the reader's reason, beyond the status
  // bar's failure (which leaves the waveform, as a press does).
  synth::WriteBytes(files.path() / "cut.WFM", ReadWhole(files.path() / "four.WFM").substr(0, 300));
  synth::WriteBytes(files.path() / "bad.csv", "Model,DSX\r\n");
  for (const char* name : {"cut.WFM", "bad.csv"}) {
    SCOPED_TRACE(name);
    const auto path = files.path() / name;
    WaveRecord scratch;
    NullSink quiet;
    const std::string reason = LoadFile(path, scratch, quiet).reason;
    ASSERT_FALSE(reason.empty());
    form().openPath(Q(path));
    EXPECT_EQ(services.messages.back(),
              U("ファイルを読み取れません！") + u'\n' + Q(path) + u'\n' + U(reason));
    EXPECT_EQ(std::tuple(form().statusText(1), form().statusText(2)),
              std::tuple(U("ファイル読取りエラーです。"), name));
  }
}

// A double-click or Enter plays a listed file by its kind; the Page and Ctrl+arrow keys of the list
// or the plot play the next or previous entry, stopping at either end.
TEST_F(PlaybackTest, OneGesturePlaysAListedCaptureAndTheTitleNamesIt) {
  writeCapture("a.wfm", synth::SineCapture(2, 1000));
  synth::WriteBytes(files.path() / "b.wfm", "ModelName = nothing we know\r\n");
  writeCsv("c.csv", 700);
  writeCapture("d.wfm", synth::SineCapture(4, 2000));
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  form().browser().selectFilter(2);
  const QString product = form().windowTitle();
  const auto shows = [&](const char* name) {
    return form().windowTitle() == name + U(" — ") + product;
  };
  auto* list = child<QListWidget>("FileList");
  form().show();
  form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
  const QRect first = list->visualItemRect(list->item(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());  // as a hand does
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_TRUE(shows("a.wfm")) << Std(form().windowTitle());
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(selected(), "a.wfm") << "nothing before the first";
  QTest::keyClick(list, Qt::Key_PageDown);
  EXPECT_EQ(selected(), "b.wfm");
  EXPECT_TRUE(shows("a.wfm")) << "a file that cannot be read";
  QTest::keyClick(list, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_TRUE(shows("c.csv") && filter() == 1) << "played by the CSV command";
  QTest::keyClick(list, Qt::Key_PageDown);
  EXPECT_TRUE(shows("c.csv")) << "nothing after the last";
  form().browser().selectFilter(0);
  form().browser().selectFile(QStringLiteral("d.wfm"));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(std::tuple(caption(), marks()), std::tuple(U("全取込データ数=2000"), "1111"));
  WaveSurface* plot = form().waveFrame().surface();
  QTest::mouseClick(plot, Qt::LeftButton);
  QTest::keyClick(plot, Qt::Key_PageUp);
  EXPECT_EQ(selected(), "b.wfm") << "the file before";
  QTest::keyClick(plot, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_TRUE(shows("a.wfm") && plot->hasFocus()) << Std(form().windowTitle());
}

// Newest first, each once, at most ten; they come back from a file of their own.
TEST_F(PlaybackTest, TheRecentFoldersFollowWhatPlaysAndSurviveARestart) {
  const auto folder = [&](int i) { return files.path() / ("f" + std::to_string(i)); };
  for (const int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 3}) {
    std::filesystem::create_directories(folder(i));
    synth::WriteBytes(folder(i) / "c.wfm",
                      synth::SerializeWfm(synth::MakeCapture(synth::SineCapture(2, 100))));
    form().openPath(Q(folder(i) / "c.wfm"));
  }
  QStringList expected{Q(folder(3))};
  for (int i = 11; i > 3; --i) expected.push_back(Q(folder(i)));
  expected.push_back(Q(folder(2)));
  const auto listed = [this] {
    auto* box = child<QComboBox>("PathBox");
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items.push_back(box->itemText(i));
    return items;
  };
  EXPECT_EQ(listed(), expected);
  restart();
  EXPECT_EQ(listed(), expected);
}

}  // namespace
}  // namespace sondrix::testing
