#include <new>

#include "app/qt_text.h"
#include "app/split_path.h"
#include "cli/convert.h"
#include "form_fixture.h"
#include "support/read_file.h"

namespace sondrix::testing {
namespace {

class StoreCommandTest : public FormTest {
 protected:
  StoreCommandTest() {
    std::filesystem::create_directories(root.path() / "out");
    writeCapture("shown.wfm", synth::SineCapture(4, 2000));
    play("shown.wfm");
  }
  // Presses the store button with the operator confirming `typed` in the dialog (nullopt: cancel).
  void store(std::optional<QString> typed) {
    services.dialogResults = {std::move(typed)};
    child<QPushButton>("SelResultFileFolder")->click();
  }
  QString folder() { return Q(root.path() / "out"); }
};

TEST_F(StoreCommandTest, TheStoredFileIsTheConvertersFileOfTheCapture) {
  store(folder() + QDir::separator() + "shown.csv");
  EXPECT_EQ(form().statusText(1), U("表示波形格納を完了しました｡"));
  EXPECT_EQ(form().statusText(2), folder() + QDir::separator() + "shown.csv");
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());
  EXPECT_TRUE(services.messages.empty());
  cli::ConvertOptions options;
  options.output = root.path() / "expected.csv";
  NullSink quiet;
  ASSERT_TRUE(cli::ConvertFile(files.path() / "shown.wfm", options, quiet).ok);
  EXPECT_EQ(ReadWhole(root.path() / "out" / "shown.csv"), ReadWhole(root.path() / "expected.csv"));
}

TEST_F(StoreCommandTest, TheChosenNameGetsTheCsvExtensionUnlessThePathHoldsOne) {
  std::filesystem::create_directories(root.path() / "out" / "x.csv.d");
  const std::pair<const char*, const char*> rows[] = {
      {"plain", "plain.CSV"},
      {"lower.csv", "lower.csv"},
      {"notes.txt", "notes.txt.CSV"},
      {"mid.csv.old", "mid.csv.old"},
      {"x.csv.d/inner", "x.csv.d/inner"},
  };
  for (const auto& [typed, written] : rows) {
    SCOPED_TRACE(typed);
    const QString expected = folder() + QDir::separator() + QDir::toNativeSeparators(written);
    store(folder() + QDir::separator() + QDir::toNativeSeparators(typed));
    EXPECT_EQ(form().CsvPath(), expected);
    EXPECT_EQ(form().CsvFolder(), QFileInfo(expected).absolutePath());
    EXPECT_TRUE(QFile::exists(expected));
  }
}

TEST_F(StoreCommandTest, TheDialogOffersTheLastFileAndItsFolder) {
  const QString before = form().CsvPath();
  store(folder() + QDir::separator() + "first.csv");
  store(std::nullopt);
  ASSERT_EQ(services.dialogs.size(), 2u);
  EXPECT_EQ(services.dialogs[0].initialName, before);
  EXPECT_EQ(services.dialogs[0].folder, JoinPath(form().DataFolder(), QStringLiteral("Output")));
  EXPECT_EQ(services.dialogs[0].title, U("CSVファイルを選択して下さい."));
  EXPECT_EQ(services.dialogs[0].filter, U("CSV (*.CSV *.csv)"));
  EXPECT_EQ(services.dialogs[0].mode, FileDialogMode::Save);
  EXPECT_EQ(services.dialogs[1].initialName, folder() + QDir::separator() + "first.csv");
  EXPECT_EQ(services.dialogs[1].folder, folder());
}

TEST_F(StoreCommandTest, ACancelOnlySaysSo) {
  const QString before = form().CsvPath();
  const QString panel2 = form().statusText(2);
  store(std::nullopt);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, U("CSV格納がキャンセルされました."));
  EXPECT_EQ(services.messages[0].title, "0");
  EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(form().CsvPath(), before);
  EXPECT_EQ(form().statusText(2), panel2);
  EXPECT_FALSE(QFile::exists(before));
}

TEST_F(StoreCommandTest, AFolderThatCannotBeWrittenIsReported) {
  // A "folder" that is a file cannot hold the new file, whoever runs the test.
  synth::WriteBytes(root.path() / "out" / "plain-file", "x");
  const QString denied = folder() + QDir::separator() + "plain-file" + QDir::separator() + "d.csv";
  store(denied);
  EXPECT_EQ(form().statusText(1), U("CSVファイルに格納できませんでした｡"));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, U("CSVファイルに格納できませんでした｡"));
  EXPECT_EQ(services.messages[0].title, U("CSV格納"));
  EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(form().CsvPath(), denied) << "the name is kept for the next try";
}

TEST_F(StoreCommandTest, ACommandThatFailsSaysSoAndPutsBackTheFolder) {
  services.whileChoosing = [] { throw std::bad_alloc(); };
  ASSERT_TRUE(QDir::setCurrent(Q(files.path())));
  store(folder() + QDir::separator() + "never.csv");
  EXPECT_EQ(form().statusText(1), U("処理できませんでした｡"));
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());
  EXPECT_TRUE(services.messages.empty());
}

}  // namespace
}  // namespace sondrix::testing
