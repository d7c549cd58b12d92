#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "app/qt_text.h"
#include "form_fixture.h"
#include "support/read_file.h"

namespace sondrix::testing {
namespace {

class MainFormTest : public FormTest {
 protected:
  std::filesystem::path dataFolder() const { return root.path() / "ProgramData" / "Sondrix"; }
  std::filesystem::path resumeFile() const { return dataFolder() / "Resume(V4.10).txt"; }

  // The settings file with the given lines replaced.
  void writeResume(const std::vector<std::pair<std::size_t, std::string>>& changed,
                   std::size_t count = 18) {
    std::vector<std::string> lines{"2",   "2",  " 500 ", " 0 ",   " 0 ",   " 0 ",
                                   " 0 ", "13", "10000", "1",     "/f",    "/f/a.csv",
                                   "0",   "11", "True",  "False", "False", " 0 "};
    for (const auto& [line, value] : changed) lines[line] = value;
    lines.resize(count);
    std::filesystem::create_directories(dataFolder());
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    synth::WriteBytes(resumeFile(), text);
  }
  QString text(const char* box) { return child<QLineEdit>(box)->text(); }
};

TEST_F(MainFormTest, FirstStartCreatesTheFoldersAndShowsTheDefaults) {
  const QString startFolder = QDir::currentPath();
  MainForm& f = form();
  EXPECT_EQ(f.browser().path(), QDir::toNativeSeparators(startFolder))
      << "the browser shows the folder the program was started in";
  f.show();
  EXPECT_TRUE(std::filesystem::is_directory(dataFolder() / "Output"));
  EXPECT_EQ(QDir::currentPath(), QDir(Q(dataFolder())).absolutePath());
  EXPECT_EQ(f.windowTitle(), U("Ostrelファイル(WFM/CSV)表示ユーティリティ(V4.10)"));
  EXPECT_EQ(child<QPushButton>("SelResultFileFolder")->text(), U("CSVファイルに格納"));
  EXPECT_FALSE(child<QGroupBox>("LimitLevelF")->isVisible());
  EXPECT_FALSE(child<QComboBox>("ChSelCombo")->isVisible());
  EXPECT_EQ(f.CsvPath(), Q(dataFolder() / "Output" / "Data1.csv"));
  EXPECT_EQ(f.CsvFolder(), Q(dataFolder() / "Output"));
  EXPECT_EQ(text("ExpPos"), "5") << "the cursor boxes follow the sliders at start-up";
  EXPECT_EQ(text("YExpPos"), "4");
  EXPECT_TRUE(child<QWidget>("CLine")->isVisible());
  EXPECT_TRUE(services.messages.empty());
}

// The settings table, once: every line written at shut-down as the file holds it, and read back
// into the same controls at the next start.
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

  const std::string folder = Q(dataFolder() / "Output").toStdString();
  const std::vector<std::string> expected{
      "3.5", "1e99",  " 250 ", "-8192 ", " 1 ",  " 2 ",
      " 1 ", "  1,5", "7",     "0.25",   folder, folder + "/Data1.csv",
      "3",   "21",    "False", "False",  "True", " 1 "};
  EXPECT_EQ(SplitCrLf(ReadWhole(resumeFile())), expected);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dataFolder()), {}), 2)
      << "only the settings file and the Output folder";

  // Read back, every control writes the same line again; the reading also moves the cursors.
  ASSERT_EQ(form().SaveResumeParam(Q(root.path() / "again.txt")), 0);
  EXPECT_EQ(ReadWhole(root.path() / "again.txt"), ReadWhole(resumeFile()));
  form().show();
  EXPECT_EQ(text("ExpPos"), "2.5");
  EXPECT_FALSE(child<QWidget>("CLine")->isVisible());
  EXPECT_TRUE(child<QRadioButton>("smOption2")->isChecked());
}

TEST_F(MainFormTest, EachControlRefusesALineItCannotHold) {
  // A slider beyond its range, a channel beyond the list, a check box value beyond 2, a number
  // that is no number, and a word that is no boolean.
  const std::pair<std::size_t, const char*> rows[] = {
      {2, " 1001 "}, {5, " 4 "}, {4, " 3 "}, {3, "x"}, {15, "Yes"}};
  for (const auto& [line, value] : rows) {
    restart();
    writeResume({{line, value}, {16, "True"}});
    EXPECT_EQ(form().LoadResumeParam(form().resumePath()), -1) << value;
    EXPECT_TRUE(child<QRadioButton>("smOption0")->isChecked()) << "later lines are not applied";
  }
}

TEST_F(MainFormTest, ReadLinesThatNeedTheWindowsOwnRules) {
  // No channel chosen (-1) takes the first; a grey cursor box hides the cursors, and clicks
  // never make it grey again; a CSV path without a folder keeps the folder read before it.
  writeResume({{5, "-1 "}, {4, " 2 "}, {10, "/kept"}, {11, "bare.csv"}}, 12);
  EXPECT_EQ(form().CsvPath(), "bare.csv");
  EXPECT_EQ(form().CsvFolder(), "/kept");
  EXPECT_EQ(child<QComboBox>("ChSelCombo")->currentIndex(), 0);
  auto* grey = child<QCheckBox>("CdCheck");
  EXPECT_EQ(grey->checkState(), Qt::PartiallyChecked);
  EXPECT_TRUE(child<QWidget>("CLine")->isHidden());
  for (int i = 0; i < 3; ++i) grey->click();
  EXPECT_EQ(grey->checkState(), Qt::Checked);
  restart();
  EXPECT_EQ(SplitCrLf(ReadWhole(resumeFile())).size(), 18u) << "the shut-down completes the file";
}

TEST_F(MainFormTest, OpeningAFolderWritesItsFileCountIntoMaxRepeatTimes) {
  for (const char* name : {"a.wfm", "b.WFM", "c.wfm", "d.csv"}) {
    synth::WriteBytes(files.path() / name, "x");
  }
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  EXPECT_EQ(text("MaxRepeatTimes"), "3");
}

}  // namespace
}  // namespace sondrix::testing
