#include <csignal>

#include <sys/resource.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "app/wave_surface.h"
#include "form_fixture.h"
#include "support/read_file.h"

namespace sondrix::testing {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

class MainFormTest : public FormTest {
 protected:
  std::filesystem::path dataFolder() const { return root.path() / "ProgramData" / "Sondrix"; }
  std::filesystem::path resumeFile() const { return dataFolder() / "Resume(V4.10).txt"; }

  void writeResume(const std::vector<std::string>& lines) {
    std::filesystem::create_directories(dataFolder());
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    synth::WriteBytes(resumeFile(), text);
  }
  QString text(const char* box) { return child<QLineEdit>(box)->text(); }

  static std::vector<std::string> Defaults() {
    return {"2", "2",  " 500 ",    " 0 ", " 0 ", " 0 ",  " 0 ",   "13",    "10000",
            "1", "/f", "/f/a.csv", "0",   "11",  "True", "False", "False", " 0 "};
  }
};

TEST_F(MainFormTest, FirstStartCreatesTheFoldersAndShowsTheDefaults) {
  const QString startFolder = QDir::currentPath();
  MainForm& f = form();
  EXPECT_EQ(f.browser().path(), QDir::toNativeSeparators(startFolder))
      << "the browser shows the folder the program was started in";
  f.show();
  EXPECT_TRUE(std::filesystem::is_directory(dataFolder() / "Output"));
  EXPECT_EQ(f.windowTitle(), U("Ostrelファイル(WFM/CSV)表示ユーティリティ(V4.10)"));
  EXPECT_EQ(child<QPushButton>("SelResultFileFolder")->text(), U("CSVファイルに格納"));
  EXPECT_FALSE(child<QGroupBox>("LimitLevelF")->isVisible());
  EXPECT_FALSE(child<QComboBox>("ChSelCombo")->isVisible());
  EXPECT_EQ(QDir::currentPath(), QDir(Q(dataFolder())).absolutePath());

  EXPECT_EQ(f.CsvPath(), Q(dataFolder() / "Output" / "Data1.csv"));
  EXPECT_EQ(f.CsvFolder(), Q(dataFolder() / "Output"));
  const std::vector<std::pair<const char*, const char*>> boxes{
      {"ZoomRate", "2"}, {"YZoomRate", "2"},   {"ExpPos", "5"},
      {"YExpPos", "4"},  {"LimitLevel", "13"}, {"MaxRepeatTimes", "10000"},
      {"MInt", "1"},     {"DataSkip", "0"},    {"SmPoints", "11"}};
  for (const auto& [name, value] : boxes) EXPECT_EQ(text(name), U(value)) << name;
  EXPECT_TRUE(child<QRadioButton>("smOption0")->isChecked());
  EXPECT_EQ(child<QSlider>("SliderX")->value(), 500);
  EXPECT_EQ(child<QSlider>("SliderY")->value(), 0);
  EXPECT_TRUE(child<QWidget>("CLine")->isVisible());
  EXPECT_EQ(child<QLabel>("VdivLabel0")->text(), U("Ch1:99.9 V/div"));
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(MainFormTest, SettingsSurviveARestartExactly) {
  form().show();
  child<QLineEdit>("ZoomRate")->setText("3.5");
  child<QLineEdit>("YZoomRate")->setText("1e99");
  child<QSlider>("SliderX")->setValue(250);
  child<QSlider>("SliderY")->setValue(-8192);
  child<QCheckBox>("CdCheck")->setChecked(true);
  child<QComboBox>("ChSelCombo")->setCurrentIndex(2);
  child<QCheckBox>("ConfirmMess")->setChecked(true);
  child<QLineEdit>("LimitLevel")->setText("  1,5");  // a comma and leading blanks stay
  child<QLineEdit>("MaxRepeatTimes")->setText("7");
  child<QLineEdit>("MInt")->setText("0.25");
  child<QLineEdit>("DataSkip")->setText("3");
  child<QLineEdit>("SmPoints")->setText("21");
  child<QRadioButton>("smOption2")->setChecked(true);
  child<QCheckBox>("AllSaveCheck")->setChecked(true);
  restart();

  const auto lines = SplitCrLf(ReadWhole(resumeFile()));
  const std::string folder = Q(dataFolder() / "Output").toStdString();
  const std::vector<std::string> expected{
      "3.5", "1e99",  " 250 ", "-8192 ", " 1 ",  " 2 ",
      " 1 ", "  1,5", "7",     "0.25",   folder, folder + "/Data1.csv",
      "3",   "21",    "False", "False",  "True", " 1 "};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dataFolder()), {}), 2)
      << "only the settings file and the Output folder";

  form().show();
  EXPECT_EQ(text("ZoomRate"), "3.5");
  EXPECT_EQ(text("YZoomRate"), "1e99");
  EXPECT_EQ(child<QSlider>("SliderX")->value(), 250);
  EXPECT_EQ(text("ExpPos"), "2.5");
  EXPECT_EQ(child<QSlider>("SliderY")->value(), -8192);
  EXPECT_EQ(text("YExpPos"), "5");
  EXPECT_TRUE(child<QCheckBox>("CdCheck")->isChecked());
  EXPECT_FALSE(child<QWidget>("CLine")->isVisible());
  EXPECT_FALSE(child<QWidget>("CLineY")->isVisible());
  EXPECT_EQ(child<QComboBox>("ChSelCombo")->currentIndex(), 2);
  EXPECT_FALSE(child<QComboBox>("ChSelCombo")->isVisible());
  EXPECT_TRUE(child<QCheckBox>("ConfirmMess")->isChecked());
  EXPECT_EQ(text("LimitLevel"), "  1,5");
  EXPECT_EQ(text("MaxRepeatTimes"), "7");
  EXPECT_EQ(text("MInt"), "0.25");
  EXPECT_EQ(text("DataSkip"), "3");
  EXPECT_EQ(text("SmPoints"), "21");
  EXPECT_TRUE(child<QRadioButton>("smOption2")->isChecked());
  EXPECT_TRUE(child<QCheckBox>("AllSaveCheck")->isChecked());
  EXPECT_EQ(form().CsvFolder().toStdString(), folder);
}

TEST_F(MainFormTest, AShortFileAppliesWhatItHoldsAndTheNextShutDownCompletesIt) {
  auto lines = Defaults();
  lines[0] = "4";
  lines[2] = " 100 ";
  lines[5] = "-1 ";  // no channel chosen: the first is taken
  lines[8] = "12";
  lines.resize(10);
  writeResume(lines);
  EXPECT_EQ(form().LoadResumeParam(form().resumePath()), -1);
  EXPECT_EQ(text("ZoomRate"), "4");
  EXPECT_EQ(child<QSlider>("SliderX")->value(), 100);
  EXPECT_EQ(child<QComboBox>("ChSelCombo")->currentIndex(), 0);
  EXPECT_EQ(text("MaxRepeatTimes"), "12");
  EXPECT_EQ(text("DataSkip"), "0");
  EXPECT_EQ(form().CsvPath(), Q(dataFolder() / "Output" / "Data1.csv"));
  restart();
  EXPECT_EQ(SplitCrLf(ReadWhole(resumeFile())).size(), 18u);
}

TEST_F(MainFormTest, ReadingStopsAtTheFirstLineItsControlRefuses) {
  struct Case {
    std::size_t line;
    std::string value;
  };
  // A slider beyond its range, a channel index beyond the list, a check box value beyond 2, a
  // number that is no number, and a word that is no boolean.
  for (const Case& c :
       {Case{2, " 1001 "}, Case{5, " 4 "}, Case{4, " 3 "}, Case{3, "x"}, Case{15, "Yes"}}) {
    restart();
    auto lines = Defaults();
    lines[0] = "8";
    lines[c.line] = c.value;
    lines[16] = "True";
    writeResume(lines);
    EXPECT_EQ(form().LoadResumeParam(form().resumePath()), -1) << c.value;
    EXPECT_EQ(text("ZoomRate"), "8") << "lines before the bad one stay applied";
    EXPECT_TRUE(child<QRadioButton>("smOption0")->isChecked()) << "lines after it do not";
    EXPECT_EQ(text("DataSkip"), "0");
  }
}

TEST_F(MainFormTest, ValuesConvertAsTheFileWritesThemAndAsOperatorsMightTypeThem) {
  auto lines = Defaults();
  lines[2] = "  250.5 ";  // rounds half to even
  lines[4] = " 2 ";       // the grey check box hides the cursors too
  lines[14] = "false";
  lines[15] = "TRUE";
  lines[16] = "0";
  writeResume(lines);
  EXPECT_EQ(form().LoadResumeParam(form().resumePath()), 0);
  EXPECT_EQ(child<QSlider>("SliderX")->value(), 250);
  EXPECT_EQ(child<QCheckBox>("CdCheck")->checkState(), Qt::PartiallyChecked);
  EXPECT_TRUE(child<QWidget>("CLine")->isHidden());
  auto* grey = child<QCheckBox>("CdCheck");
  grey->click();
  grey->click();
  grey->click();
  EXPECT_EQ(grey->checkState(), Qt::Checked) << "the operator's clicks never make it grey";
  EXPECT_TRUE(child<QRadioButton>("smOption1")->isChecked());
  EXPECT_EQ(form().CsvFolder(), "/f");
}

TEST_F(MainFormTest, ACsvPathWithoutAFolderKeepsTheFolderReadFromTheFile) {
  auto lines = Defaults();
  lines[10] = "/kept";
  lines[11] = "bare.csv";
  writeResume(lines);
  EXPECT_EQ(form().CsvPath(), "bare.csv");
  EXPECT_EQ(form().CsvFolder(), "/kept");
}

TEST_F(MainFormTest, AFailedSaveReportsItAndLeavesTheOldFileWhole) {
  writeResume(Defaults());
  const std::string before = ReadWhole(resumeFile());
  form();
  EXPECT_EQ(form().SaveResumeParam(Q(root.path() / "missing" / "r.txt")), -1);

  // The disk fills up half-way through the new file: no file may grow beyond 64 bytes.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit full = saved;
  full.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
  const int status = form().SaveResumeParam(form().resumePath());
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(ReadWhole(resumeFile()), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dataFolder()), {}), 2)
      << "no temporary file is left beside the settings";
}

TEST_F(MainFormTest, OpeningAFolderWritesItsFileCountIntoMaxRepeatTimes) {
  for (const char* name : {"a.wfm", "b.WFM", "c.wfm", "d.csv"}) {
    synth::WriteBytes(files.path() / name, "x");
  }
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  EXPECT_EQ(text("MaxRepeatTimes"), "3");
  form().browser().selectFilter(2);
  EXPECT_EQ(text("MaxRepeatTimes"), "3") << "a new pattern alone counts nothing";
  TempDir empty;
  ASSERT_TRUE(form().browser().setPath(Q(empty.path())));
  EXPECT_EQ(text("MaxRepeatTimes"), "0");
}

}  // namespace
}  // namespace sondrix::testing
