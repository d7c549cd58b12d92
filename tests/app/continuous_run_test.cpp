#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>

#include "cli/convert.h"
#include "form_fixture.h"
#include "support/read_file.h"

namespace sondrix::testing {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

class ContinuousRunTest : public FormTest {
 protected:
  // Captures of different lengths, so the drawn record tells which file was played last.
  static std::string Name(int i) { return "run" + std::to_string(10 + i) + ".wfm"; }
  static std::int32_t Points(int i) { return 100 + 10 * i; }
  void writeFolder(int count) {
    for (int i = 0; i < count; ++i) {
      writeCapture(Name(i), synth::SineCapture(2, static_cast<std::size_t>(Points(i))));
    }
  }
  // Opens the captures folder (which sets the largest file count to the number of files) and
  // presses Start with a half-second pause.
  void start(const char* maxRepeat = nullptr) {
    ASSERT_TRUE(form().browser().setPath(Q(files.path())));
    child<QLineEdit>("MInt")->setText("0.5");
    if (maxRepeat) child<QLineEdit>("MaxRepeatTimes")->setText(QString::fromLatin1(maxRepeat));
    child<QPushButton>("Start")->click();
  }
  // The run stored `input` whole, as the converter writes it.
  void expectStoredAs(const std::string& input, const std::string& output) {
    SCOPED_TRACE(output);
    cli::ConvertOptions options;
    options.output = root.path() / "expected.csv";
    NullSink quiet;
    ASSERT_TRUE(cli::ConvertFile(files.path() / input, options, quiet).ok);
    EXPECT_EQ(ReadWhole(files.path() / output), ReadWhole(root.path() / "expected.csv"));
  }
  std::int32_t lastPlayedPoints() { return form().record().header.Points; }
  int progress() { return child<QProgressBar>("ProgressBar1")->value(); }
};

TEST_F(ContinuousRunTest, TheLargestFileCountDecidesHowManyFilesPlay) {
  struct Row {
    const char* maxRepeat;
    int played;
    const char* shownMax;  // the box after the run's check
  };
  const Row rows[] = {{"3", 3, "3"},     {"0", 1, "0"},     {"-1", 1, "-1"}, {"2.5", 3, "2.5"},
                      {"abc", 1, "abc"}, {"1e999", 1, "1"}, {"99", 10, "99"}};
  writeFolder(10);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.maxRepeat);
    services.waits.clear();
    start(row.maxRepeat);
    EXPECT_EQ(services.waits.size(), static_cast<std::size_t>(row.played)) << "one pause per file";
    EXPECT_EQ(lastPlayedPoints(), Points(row.played - 1));
    EXPECT_EQ(form().statusText(1), QString::number(row.played) + U("/10 処理完了"));
    EXPECT_EQ(child<QLineEdit>("MaxRepeatTimes")->text(), QString::fromLatin1(row.shownMax));
    EXPECT_EQ(progress(), row.played);
    EXPECT_EQ(child<QProgressBar>("ProgressBar1")->maximum(), 10);
    EXPECT_TRUE(child<QPushButton>("Start")->isEnabled());
  }
  for (double wait : services.waits) EXPECT_EQ(wait, 0.5);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(ContinuousRunTest, StopTakesEffectAfterThePauseAndTheFileIsNotCounted) {
  writeFolder(10);
  services.whileWaiting = [&](std::size_t wait) {
    EXPECT_FALSE(child<QPushButton>("Start")->isEnabled());
    EXPECT_EQ(form().statusText(2), QString::fromStdString(Name(static_cast<int>(wait))));
    if (wait == 1) child<QPushButton>("Stop")->click();
  };
  start();
  EXPECT_EQ(services.waits.size(), 2u);
  EXPECT_EQ(form().statusText(1), U("1/10 処理完了"));
  EXPECT_EQ(progress(), 1);
  EXPECT_TRUE(child<QPushButton>("Start")->isEnabled());

  // A Stop pressed while idle does not carry into the next run.
  services.whileWaiting = nullptr;
  child<QPushButton>("Stop")->click();
  start("2");
  EXPECT_EQ(form().statusText(1), U("2/10 処理完了"));
}

TEST_F(ContinuousRunTest, TheQuestionReplacesThePause) {
  writeFolder(10);
  child<QCheckBox>("ConfirmMess")->setChecked(true);
  services.answers = {MessageAnswer::No};
  start();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, U("続行しますか？"));
  EXPECT_EQ(services.messages[0].title, U("操作"));
  EXPECT_EQ(services.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(form().statusText(1), U("0/10 処理完了"));
  EXPECT_EQ(lastPlayedPoints(), Points(0));

  services.messages.clear();
  start();  // Yes to every question
  EXPECT_EQ(services.messages.size(), 10u);
  EXPECT_EQ(form().statusText(1), U("10/10 処理完了"));
  EXPECT_EQ(progress(), 10);
  EXPECT_TRUE(services.waits.empty());
}

TEST_F(ContinuousRunTest, AnEmptyFolderDoesNotStart) {
  synth::WriteBytes(files.path() / "notes.txt", "not a capture");
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  form().browser().selectFilter(1);
  child<QPushButton>("Start")->click();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, U("ファイルがありません｡"));
  EXPECT_EQ(services.messages[0].title, U("WFMファイルチェック"));
  EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentIndex(), 0) << "the run lists WFM files";
  EXPECT_TRUE(child<QPushButton>("Start")->isEnabled());
  EXPECT_FALSE(form().view().WaveLoaded);
}

TEST_F(ContinuousRunTest, TheBoxesAreReadAsTheyAreAtEachPauseAndFile) {
  writeFolder(5);
  int pumps = 0;
  services.whileWaiting = [&](std::size_t wait) {
    if (wait == 0) child<QLineEdit>("MInt")->setText("2");
    if (wait == 1) {
      child<QLineEdit>("MInt")->setText("0");
      child<QLineEdit>("MaxRepeatTimes")->setText("4");
      pumps = services.pumps;
    }
  };
  start();
  EXPECT_EQ(services.waits, (std::vector<double>{0.5, 2.0}));
  EXPECT_EQ(services.pumps - pumps, 2) << "an interval of 0 handles pending events once";
  EXPECT_EQ(form().statusText(1), U("4/5 処理完了"));

  services.whileWaiting = nullptr;
  services.waits.clear();
  child<QLineEdit>("MInt")->setText("1e999");
  child<QLineEdit>("LimitLevel")->setText("-1e999x");
  child<QPushButton>("Start")->click();
  EXPECT_EQ(child<QLineEdit>("MInt")->text(), "1");
  EXPECT_EQ(child<QLineEdit>("LimitLevel")->text(), "13");
  EXPECT_EQ(services.waits, (std::vector<double>(4, 1.0)));
}

TEST_F(ContinuousRunTest, AFailedStoreIsShownAndTheRunGoesOn) {
  writeFolder(3);
  std::filesystem::create_directory(files.path() / "run10.CSV");  // the name is taken by a folder
  child<QCheckBox>("AllSaveCheck")->setChecked(true);
  std::vector<QString> shown;
  services.whileWaiting = [&](std::size_t) { shown.push_back(form().statusText(1)); };
  services.whilePumping = [&] {
    // While a file is written, nothing may load or store another waveform.
    for (const char* name : {"BinToCsvConvert", "InputDsTypeCsvFile", "SelResultFileFolder"}) {
      EXPECT_FALSE(child<QPushButton>(name)->isEnabled()) << name;
    }
  };
  start();
  EXPECT_EQ(shown, (std::vector<QString>{U("CSVファイルに格納できませんでした｡"),
                                         U("表示波形格納を完了しました｡"),
                                         U("表示波形格納を完了しました｡")}));
  EXPECT_TRUE(services.messages.empty()) << "the run shows no box for it";
  EXPECT_EQ(form().statusText(1), U("3/3 処理完了"));
  for (const char* name :
       {"BinToCsvConvert", "InputDsTypeCsvFile", "SelResultFileFolder", "Start"}) {
    EXPECT_TRUE(child<QPushButton>(name)->isEnabled()) << name;
  }
}

TEST_F(ContinuousRunTest, OtherCommandsWorkDuringAPauseAndListedNonWfmFilesAreSkipped) {
  writeFolder(3);
  synth::WriteBytes(files.path() / "a.csv", "x\n");
  synth::WriteBytes(files.path() / "b.txt", "x\n");
  synth::WriteBytes(files.path() / "c.txt", "x\n");
  services.whileWaiting = [&](std::size_t wait) {
    if (wait != 0) return;
    // The operator plays another file on its own, then lists the CSV/TXT files.
    play(Name(2));
    EXPECT_EQ(lastPlayedPoints(), Points(2));
    form().browser().selectFilter(1);
  };
  start();
  EXPECT_EQ(services.waits.size(), 3u) << "the skipped files are still paused after";
  EXPECT_EQ(form().statusText(1), U("3/3 処理完了"));
  EXPECT_EQ(form().statusText(2), "c.txt");
  EXPECT_EQ(lastPlayedPoints(), Points(2)) << "only the first file of the run was loaded";
}

TEST_F(ContinuousRunTest, StoringWritesEachFileAsItsCsvNameInTheCurrentFolder) {
  const std::string names[] = {"abc.wfm", "x.WFM.WFM", "y.wfm.WFM"};
  for (const std::string& name : names) writeCapture(name, synth::SineCapture(4, 300));
  synth::WriteBytes(files.path() / "broken.wfm", "ModelName = nothing we know\r\n");
  child<QCheckBox>("AllSaveCheck")->setChecked(true);
  services.whileWaiting = [&](std::size_t wait) {
    if (wait == 1) {
      EXPECT_NE(form().statusText(1), U("表示波形格納を完了しました｡"))
          << "a file that could not be read keeps the reader's text";
    } else {
      EXPECT_EQ(form().statusText(1), U("表示波形格納を完了しました｡"));
    }
  };
  start();
  EXPECT_EQ(form().statusText(1), U("4/4 処理完了"));
  EXPECT_EQ(form().CsvPath(), "y.CSV");
  EXPECT_FALSE(std::filesystem::exists(files.path() / "broken.CSV"))
      << "the previous waveform is not stored under the failed file's name";
  const std::pair<const char*, const char*> stored[] = {
      {"abc.wfm", "abc.CSV"}, {"x.WFM.WFM", "x.CSV"}, {"y.wfm.WFM", "y.CSV"}};
  for (const auto& [input, output] : stored) expectStoredAs(input, output);
}

TEST_F(ContinuousRunTest, WithoutStoringTheCsvNameOfTheLastFileIsKept) {
  writeFolder(2);
  start();
  EXPECT_EQ(form().CsvPath(), QString::fromStdString("run11.CSV"));
  EXPECT_FALSE(std::filesystem::exists(files.path() / "run11.CSV"));
  restart();
  EXPECT_EQ(form().CsvPath(), QString::fromStdString("run11.CSV"));
}

TEST_F(ContinuousRunTest, ClosingTheWindowDuringAPauseOrAQuestionEndsTheRun) {
  writeFolder(5);
  const QString resume = form().resumePath();
  for (const bool asking : {false, true}) {
    SCOPED_TRACE(asking ? "question" : "pause");
    restart();
    child<QCheckBox>("ConfirmMess")->setChecked(asking);
    const int endWaits = services.endWaits;
    auto closeNow = [&] {
      form().close();
      EXPECT_TRUE(QFile::exists(resume)) << "the settings are written at the close";
      QFile::remove(resume);
    };
    services.whileWaiting = [&](std::size_t) { closeNow(); };
    services.whileShown = [&](const ScriptedServices::Shown&) { closeNow(); };
    start();
    EXPECT_EQ(form().statusText(1), U("0/5 処理完了"));
    EXPECT_EQ(lastPlayedPoints(), Points(0));
    EXPECT_FALSE(QFile::exists(resume)) << "and only once";
    if (!asking) {
      EXPECT_EQ(services.endWaits, endWaits + 1) << "the pause ends at the close";
    }
    services.whileWaiting = nullptr;
    services.whileShown = nullptr;
  }
  restart();
  EXPECT_FALSE(QFile::exists(resume));
}

TEST_F(ContinuousRunTest, ClosingTheWindowDuringAStoreEndsTheRunOnceTheFileIsWhole) {
  writeFolder(3);
  child<QCheckBox>("AllSaveCheck")->setChecked(true);
  const QString resume = form().resumePath();
  int closes = 0;
  services.whilePumping = [&] {
    if (closes++ > 0) return;
    form().close();
    QFile::remove(resume);
  };
  start();
  services.whilePumping = nullptr;
  EXPECT_EQ(form().statusText(1), U("0/3 処理完了"));
  EXPECT_TRUE(services.waits.empty());
  expectStoredAs("run10.wfm", "run10.CSV");
  EXPECT_FALSE(QFile::exists(resume)) << "the settings were written once, at the close";
}

}  // namespace
}  // namespace sondrix::testing
