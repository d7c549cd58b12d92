#include "app/continuous_run.h"

#include <algorithm>
#include <new>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>

#include "app/qt_text.h"
#include "form_fixture.h"
#include "support/read_file.h"

namespace sondrix::testing {
namespace {

// The window around the run: a file list and the run's controls, and a log of every step the run
// takes, in order.
class RunTest : public ::testing::Test {
 protected:
  RunTest() : run(parts(), services) {}

  RunParts parts() {
    const auto note = [this](std::string step) { log.push_back(std::move(step)); };
    RunParts p;
    p.listFiles = [this] { return static_cast<std::int32_t>(files.size()); };
    p.fileAt = [this](std::int32_t i) { return i < files.size() ? files[i] : QString(); };
    p.folder = [this] { return folder; };
    p.settings = [this] { return settings; };
    p.showSettings = [this](const RunSettings& s) {
      settings = s;
      log.push_back("boxes " + Std(s.LimitLevel) + ' ' + Std(s.MaxRepeatTimes) + ' ' + Std(s.MInt));
    };
    p.play = [this](const QString& path) {
      log.push_back("play " + Std(path));
      if (path.endsWith("throws.wfm", Qt::CaseInsensitive)) throw std::bad_alloc();
      return !path.endsWith("bad.wfm");
    };
    p.csvNamed = [note](const QString& name) { note("named " + Std(name)); };
    p.store = [this](const QString& path, const QString& shown) {
      log.push_back("store " + Std(shown));
      EXPECT_EQ(path, QDir::current().absoluteFilePath(shown));
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

TEST_F(RunTest, EachFileIsPlayedNamedStoredThenPaused) {
  files = {"a.wfm", "notes.txt", "bad.wfm", "throws.WFM"};
  settings.AllSaveCheck = Qt::Checked;
  EXPECT_EQ(run.Start(), 4);
  std::string steps;
  for (const std::string& step : log) steps += step + " | ";
  EXPECT_EQ(steps,
            "hold | boxes 13 99 0.5 | max 4 | "
            "1/4 処理中 | detail a.wfm | play /c/a.wfm | named a.CSV | store a.CSV | "
            "2/4 処理中 | detail notes.txt | "  // not a WFM file: only the pause
            "3/4 処理中 | detail bad.wfm | play /c/bad.wfm | named bad.CSV | "
            "4/4 処理中 | detail throws.WFM | play /c/throws.WFM | named throws.CSV | "
            "4/4 処理完了 | release | ");
  EXPECT_EQ(services.waits, std::vector<double>(4, 0.5));
  EXPECT_EQ(progress, 4);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(RunTest, OnlyAFullyCheckedStoreBoxStores) {
  files = {"a.wfm"};
  settings.AllSaveCheck = Qt::PartiallyChecked;
  run.Start();
  EXPECT_EQ(std::count(log.begin(), log.end(), "named a.CSV"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "store a.CSV"), 0);
}

TEST_F(RunTest, TheLargestFileCountIsCheckedAndReadAtEveryFile) {
  struct Row {
    const char* maxRepeat;
    std::int32_t done;
    const char* shown;  // the box after the start's check
  };
  const Row rows[] = {{"3", 3, "3"},     {"0", 1, "0"},     {"-1", 1, "-1"}, {"2.5", 3, "2.5"},
                      {"abc", 1, "abc"}, {"1e999", 1, "1"}, {"99", 10, "99"}};
  writeNames(10);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.maxRepeat);
    settings.MaxRepeatTimes = row.maxRepeat;
    services.waits.clear();
    log.clear();
    EXPECT_EQ(run.Start(), row.done);
    EXPECT_EQ(services.waits.size(), static_cast<std::size_t>(row.done)) << "a pause per file";
    EXPECT_EQ(progress, row.done);
    EXPECT_EQ(log.back(), "release");
    EXPECT_EQ(log.end()[-2], std::to_string(row.done) + "/10 処理完了");
    EXPECT_EQ(settings.MaxRepeatTimes, row.shown);
  }
  // A new value typed during a pause applies at the end of that file.
  services.waits.clear();
  services.whileWaiting = [&](std::size_t wait) {
    if (wait == 1) settings.MaxRepeatTimes = "4";
  };
  EXPECT_EQ(run.Start(), 4);
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
  enum class Act { Nothing, Stop, Close, No };
  struct Row {
    const char* what;
    Qt::CheckState confirm;
    Act inPause;  // at the second pause or question
    bool closeInStore;
    std::int32_t done;
    std::size_t pauses, questions;
  };
  const Row rows[] = {
      {"all paused", Qt::Unchecked, Act::Nothing, false, 5, 5, 0},
      {"all asked (grey asks too)", Qt::PartiallyChecked, Act::Nothing, false, 5, 0, 5},
      {"stop in a pause", Qt::Unchecked, Act::Stop, false, 1, 2, 0},
      {"stop in a question is only seen after a pause", Qt::Checked, Act::Stop, false, 5, 0, 5},
      {"close in a pause", Qt::Unchecked, Act::Close, false, 1, 2, 0},
      {"no", Qt::Checked, Act::No, false, 1, 0, 2},
      {"close in a question", Qt::Checked, Act::Close, false, 1, 0, 2},
      {"close while storing", Qt::Unchecked, Act::Nothing, true, 0, 0, 0},
  };
  writeNames(5);
  settings.AllSaveCheck = Qt::Checked;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    settings.ConfirmMess = row.confirm;
    closing = false;
    services.waits.clear();
    services.messages.clear();
    const auto act = [&](std::size_t index) {
      if (index != 1) return;
      if (row.inPause == Act::Stop) run.Stop();
      if (row.inPause == Act::Close) closing = true;
      if (row.inPause == Act::No) services.answers = {MessageAnswer::No};
    };
    services.whileWaiting = act;
    services.whileShown = [&](const ScriptedServices::Shown&) {
      act(services.messages.size() - 1);
    };
    whileStoring = [&] { closing = row.closeInStore; };
    EXPECT_EQ(run.Start(), row.done);
    EXPECT_EQ(services.waits.size(), row.pauses);
    EXPECT_EQ(services.messages.size(), row.questions);
    if (!services.messages.empty()) {
      EXPECT_EQ(services.messages[0].text, U("続行しますか？"));
      EXPECT_EQ(services.messages[0].title, U("操作"));
      EXPECT_EQ(services.messages[0].buttons, MessageButtons::YesNo);
    }
    EXPECT_EQ(log.end()[-2], std::to_string(row.done) + "/5 処理完了");
  }
  // A Stop while no run is going is forgotten.
  services.whileWaiting = nullptr;
  services.whileShown = nullptr;
  whileStoring = nullptr;
  settings.ConfirmMess = Qt::Unchecked;
  closing = false;
  run.Stop();
  EXPECT_EQ(run.Start(), 5);
}

TEST_F(RunTest, AnEmptyListOnlyShowsTheMessage) {
  EXPECT_EQ(run.Start(), 0);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, U("ファイルがありません｡"));
  EXPECT_EQ(services.messages[0].title, U("WFMファイルチェック"));
  EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(log.empty());
}

TEST_F(RunTest, TheListAndFolderAreReadAfreshForEveryFile) {
  writeNames(3);
  services.whileWaiting = [&](std::size_t wait) {
    if (wait != 0) return;
    files = {"y.csv", "x.wfm"};  // the operator lists other files during the first pause
    folder = "/d";
  };
  EXPECT_EQ(run.Start(), 3);
  EXPECT_EQ(services.waits.size(), 3u) << "a missing or non-WFM entry is still paused after";
  std::vector<std::string> plays;
  std::copy_if(log.begin(), log.end(), std::back_inserter(plays),
               [](const std::string& step) { return step.starts_with("play"); });
  EXPECT_EQ(plays, (std::vector<std::string>{"play /c/w0.wfm", "play /d/x.wfm"}));
  EXPECT_EQ(log.end()[-3], "detail ") << "the list has no third entry any more";
}

TEST_F(RunTest, AFailureThatEscapesStillReleasesStart) {
  writeNames(2);
  settings.AllSaveCheck = Qt::Checked;
  whileStoring = [] { throw std::bad_alloc(); };
  EXPECT_THROW(run.Start(), std::bad_alloc);
  EXPECT_EQ(log.back(), "release");
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

TEST_F(RunWiringTest, StartPlaysAndStoresTheFolderAndShowsTheCount) {
  form();
  child<QCheckBox>("AllSaveCheck")->setChecked(true);
  services.whileWaiting = [&](std::size_t) {
    EXPECT_FALSE(child<QPushButton>("Start")->isEnabled());
    EXPECT_EQ(form().statusText(1), U("表示波形格納を完了しました｡"));
  };
  start(2);
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentIndex(), 0) << "the run lists WFM files";
  EXPECT_EQ(services.waits, (std::vector<double>{0.5, 0.5}));
  EXPECT_EQ(form().record().header.Points, 110);
  EXPECT_TRUE(QFile::exists(Q(files.path() / "run0.CSV")));
  EXPECT_TRUE(QFile::exists(Q(files.path() / "run1.CSV")));
  EXPECT_EQ(form().CsvPath(), "run1.CSV");
  EXPECT_EQ(form().statusText(1), U("2/2 処理完了"));
  EXPECT_EQ(child<QProgressBar>("ProgressBar1")->value(), 2);
  EXPECT_EQ(child<QProgressBar>("ProgressBar1")->maximum(), 2);
  EXPECT_TRUE(child<QPushButton>("Start")->isEnabled());
}

TEST_F(RunWiringTest, StopEndsTheRunAfterItsPause) {
  services.whileWaiting = [&](std::size_t wait) {
    if (wait == 1) child<QPushButton>("Stop")->click();
  };
  start(4);
  EXPECT_EQ(form().statusText(1), U("1/4 処理完了"));
  EXPECT_EQ(form().statusText(2), U("run1.wfm"));
}

TEST_F(RunWiringTest, ClosingDuringAPauseAQuestionOrAWriteEndsTheRunAndSavesOnce) {
  const QString resume = form().resumePath();
  for (const char* moment : {"pause", "question", "write"}) {
    SCOPED_TRACE(moment);
    restart();
    form();
    QFile::remove(resume);
    child<QCheckBox>("ConfirmMess")->setChecked(moment == std::string("question"));
    child<QCheckBox>("AllSaveCheck")->setChecked(moment == std::string("write"));
    const int endWaits = services.endWaits;
    bool closed = false;
    const auto close = [&] {
      if (std::exchange(closed, true)) return;
      form().close();
      EXPECT_TRUE(QFile::remove(resume)) << "the settings are written at the close";
    };
    services.whileWaiting = [&](std::size_t) { close(); };
    services.whileShown = [&](const ScriptedServices::Shown&) { close(); };
    services.whilePumping = [&] { close(); };  // only the write lets events in
    start(3);
    EXPECT_TRUE(closed);
    EXPECT_EQ(form().statusText(1), U("0/3 処理完了"));
    EXPECT_EQ(services.endWaits, endWaits + 1) << "a pause in progress ends at the close";
    EXPECT_FALSE(QFile::exists(resume)) << "and only once";
    if (moment == std::string("write")) {
      EXPECT_GE(SplitCrLf(ReadWhole(files.path() / "run0.CSV")).size(), 100u)
          << "the file is whole";
    }
    services.whileWaiting = nullptr;
    services.whileShown = nullptr;
    services.whilePumping = nullptr;
  }
  restart();
  EXPECT_FALSE(QFile::exists(resume));
}

}  // namespace
}  // namespace sondrix::testing
