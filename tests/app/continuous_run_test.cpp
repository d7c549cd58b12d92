#include "app/continuous_run.h"

#include <new>
#include <utility>

#include <QProgressBar>

#include "form_fixture.h"

namespace sondrix::testing {
namespace {

// The window around the run: a file list, the run's controls and a log of the run's steps.
class RunTest : public ::testing::Test {
 protected:
  RunTest() : run(parts(), services) {}

  RunParts parts() {
    const auto note = [this](std::string step) { log.push_back(std::move(step)); };
    RunParts p;
    p.listFiles = [this] { return static_cast<std::int32_t>(files.size()); };
    p.fileAt = [this](std::int32_t i) { return i < files.size() ? files[i] : QString(); };
    p.folder = [this] { return folder; };
    p.storeFolder = [] { return QStringLiteral("/data"); };
    p.settings = [this] { return settings; };
    p.showSettings = [this, note](const RunSettings& s) {
      settings = s;
      note("boxes " + Std(s.LimitLevel) + ' ' + Std(s.MaxRepeatTimes) + ' ' + Std(s.MInt));
    };
    p.play = [note](const QString& path) {
      note("play " + Std(path));
      if (path.endsWith("throws.wfm", Qt::CaseInsensitive)) throw std::bad_alloc();
      return !path.endsWith("bad.wfm");
    };
    p.csvNamed = [note](const QString& name) { note("named " + Std(name)); };
    p.store = [this, note](const QString& path, const QString& shown) {
      note("store " + Std(shown));
      EXPECT_EQ(path, "/data/" + shown);
      if (whileStoring) whileStoring();
    };
    p.closing = [this] { return closing; };
    p.holdStart = [note](bool held) { note(held ? "hold" : "release"); };
    p.message = [note](const QString& text) { note(Std(text)); };
    p.detail = [note](const QString& text) { note("detail " + Std(text)); };
    p.progressMax = [note](std::int32_t n) { note("max " + std::to_string(n)); };
    p.progress = [this](std::int32_t done) { progress = done; };
    return p;
  }
  void writeNames(int count) {
    files.clear();
    for (int i = 0; i < count; ++i) files << QStringLiteral("w%1.wfm").arg(i);
  }

  QStringList files;
  QString folder = QStringLiteral("/c");
  RunSettings settings{"13", "99", "0.5", Qt::Unchecked, Qt::Unchecked};
  bool closing = false;
  std::function<void()> whileStoring;
  std::int32_t progress = 0;
  std::vector<std::string> log;
  ScriptedServices services{QString()};
  ContinuousRun run;
};

// An empty list only shows the message; a failure that escapes still releases Start.
TEST_F(RunTest, EachFileIsPlayedNamedStoredThenPaused) {
  EXPECT_EQ(run.Start(), 0);
  EXPECT_EQ(services.messages, QStringList{U("ファイルがありません｡")});
  EXPECT_TRUE(log.empty());
  files = {"a.wfm", "notes.txt", "bad.wfm", "throws.WFM", "c.wfm", "gone.wfm"};
  settings.AllSaveCheck = Qt::Checked;
  // The folder, the list and the store box are read afresh at every file.
  services.whileWaiting = [&](std::size_t wait) {
    if (wait == 0) folder = "/d";
    if (wait != 3) return;
    settings.AllSaveCheck = Qt::PartiallyChecked;
    files.removeLast();
  };
  run.Stop();  // a Stop while no run is going is forgotten
  EXPECT_EQ(run.Start(), 6);
  std::string steps;
  for (const std::string& step : log) steps += step + " | ";
  EXPECT_EQ(
      steps,
      "hold | boxes 13 99 0.5 | max 6 | "
      "1/6 処理中 | detail a.wfm | play /c/a.wfm | named a.CSV | store a.CSV | "
      "2/6 処理中 | detail notes.txt | "  // not a WFM file: only the pause
      "3/6 処理中 | detail bad.wfm | play /d/bad.wfm | named bad.CSV | "
      "4/6 処理中 | detail throws.WFM | play /d/throws.WFM | named throws.CSV | "
      "5/6 処理中 | detail c.wfm | play /d/c.wfm | named c.CSV | "  // only a full check stores
      "6/6 処理中 | detail  | "                                     // the entry has left the list
      "6/6 処理完了 | release | ");
  settings.AllSaveCheck = Qt::Checked;
  whileStoring = [] { throw std::bad_alloc(); };
  EXPECT_THROW(run.Start(), std::bad_alloc);
  EXPECT_EQ(log.back(), "release");
}

TEST_F(RunTest, ThePauseIsReadBeforeEachFileAndTooShortOnesOnlyHandleEvents) {
  writeNames(6);
  settings.LimitLevel = "-1e999x";
  settings.MInt = "1e999";
  const char* typed[] = {"2", "0", "1e-7", "-1", "0.000001"};
  services.whileWaiting = [&](std::size_t wait) {
    if (wait < std::size(typed)) settings.MInt = typed[wait];
  };
  services.whilePumping = [&] { settings.MInt = typed[services.pumps + 1]; };
  run.Start();
  EXPECT_EQ(log[1], "boxes 13 99 1");
  EXPECT_EQ(services.waits, (std::vector<double>{1.0, 2.0, 0.000001f}));
  EXPECT_EQ(services.pumps, 3);
}

// How each way of ending counts the files done: a file ended by a No, a Stop or a close is not.
TEST_F(RunTest, EveryWayTheRunEndsCountsTheFilesDone) {
  enum class Act { Nothing, Stop, Close, No, CloseInStore, TypeTwoFiles };
  // The act comes at the second pause or question, or at the first store.
  using Row = std::tuple<const char*, const char*, Qt::CheckState, Act, std::int32_t, std::size_t,
                         std::size_t>;
  const Row rows[] = {
      {"all paused", "99", Qt::Unchecked, Act::Nothing, 5, 5, 0},
      {"all asked (grey asks too)", "99", Qt::PartiallyChecked, Act::Nothing, 5, 0, 5},
      {"stop in a pause", "99", Qt::Unchecked, Act::Stop, 1, 2, 0},
      {"stop in a question is seen after a pause only", "99", Qt::Checked, Act::Stop, 5, 0, 5},
      {"close in a pause", "99", Qt::Unchecked, Act::Close, 1, 2, 0},
      {"no", "99", Qt::Checked, Act::No, 1, 0, 2},
      {"close in a question", "99", Qt::Checked, Act::Close, 1, 0, 2},
      {"close while storing", "99", Qt::Unchecked, Act::CloseInStore, 0, 0, 0},
      {"the largest count", "3", Qt::Unchecked, Act::Nothing, 3, 3, 0},
      {"one file at least", "0", Qt::Unchecked, Act::Nothing, 1, 1, 0},
      {"a fraction", "2.5", Qt::Unchecked, Act::Nothing, 3, 3, 0},
      {"beyond the range: the default", "1e999", Qt::Unchecked, Act::Nothing, 1, 1, 0},
      {"a count typed in a pause", "99", Qt::Unchecked, Act::TypeTwoFiles, 2, 2, 0},
  };
  writeNames(5);
  settings.AllSaveCheck = Qt::Checked;
  for (const auto& [what, maxRepeat, confirm, act, done, pauses, questions] : rows) {
    SCOPED_TRACE(what);
    std::tie(settings.MaxRepeatTimes, settings.ConfirmMess) = std::tuple(maxRepeat, confirm);
    std::tie(closing, progress, services.answer) = std::tuple(false, 0, MessageAnswer::Yes);
    services.waits.clear();
    services.messages.clear();
    const auto operate = [&](std::size_t index) {
      if (index != 1) return;
      if (act == Act::Stop) run.Stop();
      if (act == Act::Close) closing = true;
      if (act == Act::No) services.answer = MessageAnswer::No;
      if (act == Act::TypeTwoFiles) settings.MaxRepeatTimes = "2";
    };
    services.whileWaiting = operate;
    services.whileShown = [&] { operate(services.messages.size() - 1); };
    whileStoring = [&] { closing = act == Act::CloseInStore; };
    EXPECT_EQ(run.Start(), done);
    EXPECT_EQ(std::tuple(progress, services.waits.size(), services.messages.size()),
              std::tuple(done, pauses, questions));
    EXPECT_EQ(log.end()[-2], std::to_string(done) + "/5 処理完了");
  }
}

// The window's Start and Stop buttons drive the run over the browser's folder and controls.
class RunWiringTest : public FormTest {
 protected:
  void start(int count) {
    for (int i = 0; i < count; ++i) {
      writeCapture("run" + std::to_string(i) + ".wfm", synth::SineCapture(2, 100 + 10 * i));
    }
    ASSERT_TRUE(form().browser().setPath(Q(files.path())));
    form().browser().selectFilter(1);
    child<QLineEdit>("MInt")->setText("0.5");
    child<QPushButton>("Start")->click();
  }
};

// A capture arriving mid-run does not shift the entries it reads; the list catches up at the end.
TEST_F(RunWiringTest, StartPlaysTheFolderUntilStop) {
  services.whileWaiting = [&](std::size_t wait) {
    EXPECT_FALSE(child<QPushButton>("Start")->isEnabled());
    if (wait == 0) {
      writeCapture("run05.wfm", synth::SineCapture(2, 999));
      QTest::qWait(300);  // time for the folder's change to arrive
    }
    if (wait == 1) child<QPushButton>("Stop")->click();
  };
  start(3);
  EXPECT_TRUE(form().browser().files().contains("run05.wfm"));
  EXPECT_EQ(child<QLineEdit>("MaxRepeatTimes")->text(), "3") << "the folder's count";
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentIndex(), 0) << "the run lists WFM files";
  EXPECT_EQ(services.waits, (std::vector<double>{0.5, 0.5}));
  EXPECT_EQ(std::tuple(form().record().header.Points, form().CsvPath(), form().statusText(1),
                       form().statusText(2)),
            std::tuple(110, "run1.CSV", U("1/3 処理完了"), U("run1.wfm")));
  const auto* bar = child<QProgressBar>("ProgressBar1");
  EXPECT_EQ(std::tuple(bar->value(), bar->maximum()), std::tuple(1, 3));
  EXPECT_TRUE(child<QPushButton>("Start")->isEnabled());
}

// The write lets events in; the close ends the run, and any pause, once the file is whole.
TEST_F(RunWiringTest, ClosingDuringAWriteEndsTheRunAndSavesOnce) {
  const QString resume = form().resumePath();
  bool closed = false;
  services.whilePumping = [&] {
    if (std::exchange(closed, true)) return;
    form().close();
    EXPECT_TRUE(QFile::remove(resume)) << "the settings are written at the close";
  };
  child<QCheckBox>("AllSaveCheck")->setChecked(true);
  start(3);
  EXPECT_EQ(std::tuple(form().statusText(1), services.endWaits), std::tuple(U("0/3 処理完了"), 1));
  EXPECT_GE(SplitCrLf(ReadWhole(files.path() / "run0.CSV")).size(), 100u) << "the file is whole";
  restart();
  EXPECT_FALSE(QFile::exists(resume)) << "and only once";
}

}  // namespace
}  // namespace sondrix::testing
