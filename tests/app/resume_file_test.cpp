#include "app/resume_file.h"

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "form_fixture.h"

namespace sondrix::testing {
namespace {

namespace fs = std::filesystem;

TEST(ResumeFile, LinesKeepTheirBlanksAndBooleansReadAsWordsOrNumbers) {
  const std::pair<const char*, std::optional<bool>> rows[] = {
      {"True", true}, {" tRuE ", true},      {"False", false},  {"0", false},
      {"-1", true},   {"yes", std::nullopt}, {"", std::nullopt}};
  for (const auto& [line, value] : rows) EXPECT_EQ(ResumeBoolValue(line), value) << line;

  TempDir dir;
  const QString path = Q(dir / "r.txt");
  // A line break inside a text would shift every later value: it is written as a blank.
  ASSERT_EQ(WriteResumeLines(path, {"  a, b ", "", "Ｘ軸", "x\ny\r"}), 0);
  EXPECT_EQ(ReadWhole(dir / "r.txt"), "  a, b \r\n\r\nＸ軸\r\nx y \r\n");
  EXPECT_EQ(ReadResumeLines(path), (QStringList{"  a, b ", "", "Ｘ軸", "x y "}));

  synth::WriteBytes(dir / "mixed.txt", "1\n2\r3\r\n4");
  EXPECT_EQ(ReadResumeLines(Q(dir / "mixed.txt")), (QStringList{"1", "2", "3", "4"}));
  // A write that fails says so; what stays of the old file is the safe write's business.
  EXPECT_EQ(WriteResumeLines(Q(dir / "missing" / "r.txt"), {"x"}), -1);
}

// Read and written through ByteReader and SafeFile, whose tests have the kinds of file refused and
// the links followed. A read of a FIFO would wait for ever; only root can make another user's link.
TEST(ResumeFile, ALinkToAFifoOrAnotherUsersLinkIsNeitherReadNorWritten) {
  TempDir dir;
  ASSERT_TRUE(MakeFifo(dir / "fifo"));
  fs::create_symlink(dir / "fifo", dir / "Resume(V4.10).txt");
  ::alarm(30);  // a read that waited for the FIFO's writer ends the test
  EXPECT_EQ(ReadResumeLines(Q(dir / "Resume(V4.10).txt")), std::nullopt);
  ::alarm(0);
  EXPECT_EQ(WriteResumeLines(Q(dir / "Resume(V4.10).txt"), {"1", "2"}), -1);
  EXPECT_EQ(fs::status(dir / "fifo").type(), fs::file_type::fifo);

  if (::geteuid() != 0) return;
  fs::create_directory(dir / "shared");
  ::chmod((dir / "shared").c_str(), 01777);
  synth::WriteBytes(dir / "secret", "1\r\n");
  const fs::path settings = dir / "shared" / "Resume(V4.10).txt";
  fs::create_symlink(dir / "secret", settings);
  ASSERT_EQ(::lchown(settings.c_str(), 65534, 65534), 0);
  EXPECT_EQ(ReadResumeLines(Q(settings)), std::nullopt);
  ASSERT_EQ(::lchown(settings.c_str(), 0, 0), 0);  // our own link is followed
  EXPECT_EQ(ReadResumeLines(Q(settings)), (QStringList{"1"}));
}

// The start-up and the shut-down: the data folder and the settings file.
class MainFormTest : public FormTest {
 protected:
  std::filesystem::path dataFolder() const { return root.path() / "ProgramData" / "Sondrix"; }
  std::filesystem::path resumeFile() const { return dataFolder() / "Resume(V4.10).txt"; }

  // The settings file of a fresh window with the given lines replaced, cut to `count` lines.
  void writeResume(const std::vector<std::pair<std::size_t, std::string>>& changed,
                   std::size_t count = 18) {
    ASSERT_EQ(form().SaveResumeParam(form().resumePath()), 0);
    std::vector<std::string> lines = SplitCrLf(ReadWhole(resumeFile()));
    for (const auto& [line, value] : changed) lines[line] = value;
    lines.resize(count);
    synth::WriteBytes(resumeFile(), JoinCrLf(lines));
  }
};

// The settings table, once: every line written at shut-down, and read back into the same controls
// at the next start. The first start makes the folders and offers the default CSV file.
TEST_F(MainFormTest, SettingsSurviveARestartExactly) {
  const QString started = QDir::currentPath();
  EXPECT_EQ(form().browser().path(), QDir::toNativeSeparators(started));
  EXPECT_TRUE(inDataFolder() && std::filesystem::is_directory(dataFolder() / "Output"));
  // A comma and leading blanks stay.
  const std::pair<const char*, const char*> typed[] = {
      {"ZoomRate", "3.5"}, {"YZoomRate", "1e99"}, {"LimitLevel", "  1,5"}, {"MaxRepeatTimes", "7"},
      {"MInt", "0.25"},    {"DataSkip", "3"},     {"SmPoints", "21"}};
  for (const auto& [box, value] : typed) child<QLineEdit>(box)->setText(value);
  child<QSlider>("SliderX")->setValue(250);
  child<QSlider>("SliderY")->setValue(-8192);
  child<QCheckBox>("CdCheck")->setChecked(true);
  child<QComboBox>("ChSelCombo")->setCurrentIndex(2);
  child<QRadioButton>("smOption2")->setChecked(true);
  child<QCheckBox>("AllSaveCheck")->setChecked(true);
  restart();

  const std::string folder = Q(dataFolder() / "Output").toStdString();
  const std::vector<std::string> expected{
      "3.5", "1e99",  " 250 ", "-8192 ", " 1 ",  " 2 ",
      " 0 ", "  1,5", "7",     "0.25",   folder, folder + "/Data1.csv",
      "3",   "21",    "False", "False",  "True", " 1 "};
  EXPECT_EQ(SplitCrLf(ReadWhole(resumeFile())), expected);

  // Read back, every control writes the same line again; the reading also moves the cursors.
  EXPECT_EQ(form().LoadResumeParam(form().resumePath()), 0);
  EXPECT_EQ(form().LoadResumeParam(Q(root.path() / "none.txt")), -1);
  ASSERT_EQ(form().SaveResumeParam(Q(root.path() / "again.txt")), 0);
  EXPECT_EQ(ReadWhole(root.path() / "again.txt"), ReadWhole(resumeFile()));
  synth::WriteBytes(root.path() / "longer.txt", ReadWhole(resumeFile()) + "a 19th line\r\n");
  EXPECT_EQ(form().LoadResumeParam(Q(root.path() / "longer.txt")), 0) << "lines beyond 18 unread";
  EXPECT_EQ(child<QLineEdit>("ExpPos")->text(), "2.5");
  EXPECT_TRUE(child<QWidget>("CLine")->isHidden());
}

TEST_F(MainFormTest, ReadLinesFollowTheWindowsOwnRulesAndABadLineEndsTheRead) {
  // No channel chosen (-1) takes the first and the lines after it apply; a grey cursor box
  // hides the cursors, and clicks never make a grey box grey again.
  writeResume({{4, " 2 "}, {5, "-1 "}, {6, " 2 "}}, 12);
  EXPECT_EQ(form().LoadResumeParam(form().resumePath()), -1) << "a file cut short";
  EXPECT_EQ(child<QComboBox>("ChSelCombo")->currentIndex(), 0);
  EXPECT_EQ(child<QCheckBox>("ConfirmMess")->checkState(), Qt::PartiallyChecked);
  auto* grey = child<QCheckBox>("CdCheck");
  EXPECT_EQ(grey->checkState(), Qt::PartiallyChecked);
  EXPECT_TRUE(child<QWidget>("CLine")->isHidden());
  for (QCheckBox* box : {grey, child<QCheckBox>("ConfirmMess")}) {
    for (int i = 0; i < 3; ++i) box->click();
    EXPECT_EQ(box->checkState(), Qt::Checked) << box->objectName().toStdString();
  }
  restart();
  EXPECT_EQ(SplitCrLf(ReadWhole(resumeFile())).size(), 18u) << "the shut-down completes the file";
  // Refused: a slider out of range or no number, a channel beyond the list, a check box over 2.
  const std::pair<std::size_t, const char*> rows[] = {
      {2, " 1001 "}, {3, " y "}, {5, " 4 "}, {4, " 3 "}};
  for (const auto& [line, value] : rows) {
    restart();
    writeResume({{line, value}, {16, "True"}});
    EXPECT_EQ(form().LoadResumeParam(form().resumePath()), -1) << value;
    EXPECT_TRUE(child<QRadioButton>("smOption0")->isChecked()) << "later lines are not applied";
  }
}

}  // namespace
}  // namespace sondrix::testing
