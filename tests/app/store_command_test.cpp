#include <new>

#include <QRadioButton>

#include "app/qt_text.h"
#include "app/split_path.h"
#include "cli/convert.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "form_fixture.h"
#include "support/read_file.h"
#include "view/smooth_samples.h"

namespace sondrix::testing {
namespace {

class StoreCommandTest : public FormTest {
 protected:
  StoreCommandTest() {
    std::filesystem::create_directories(root.path() / "out" / "x.csv.d");
    writeCapture("shown.wfm", synth::SineCapture(4, 2000));
    play("shown.wfm");
  }
  // Presses the store button with the operator confirming `typed` in the dialog (nullopt: cancel).
  void store(std::optional<QString> typed) {
    services.chosen = std::move(typed);
    press("SelResultFileFolder");
  }
  QString folder() { return Q(root.path() / "out"); }
  QString out(const char* name) {
    return folder() + QDir::separator() + QDir::toNativeSeparators(QString::fromUtf8(name));
  }
};

// The stored file is the converter's file of the capture, under the chosen name completed with
// ".CSV" unless the whole path holds ".csv"; the dialog offers the last name and its folder.
TEST_F(StoreCommandTest, TheDisplayIsStoredUnderTheChosenNameAndOfferedNextTime) {
  const QString first = form().CsvPath();
  child<QLineEdit>("DataSkip")->setText("2");
  store(out("shown"));
  EXPECT_EQ(form().statusText(1), U("表示波形格納を完了しました｡"));
  EXPECT_EQ(form().statusText(2), out("shown.CSV"));
  EXPECT_TRUE(inDataFolder());
  cli::ConvertOptions options;
  options.skip = 2;
  options.output = root.path() / "expected.csv";
  NullSink quiet;
  ASSERT_TRUE(cli::ConvertFile(files.path() / "shown.wfm", options, quiet).ok);
  EXPECT_EQ(ReadWhole(root.path() / "out" / "shown.CSV"), ReadWhole(root.path() / "expected.csv"));

  store(out("x.csv.d/inner"));
  EXPECT_TRUE(QFile::exists(out("x.csv.d/inner")));
  EXPECT_EQ(form().CsvFolder(), out("x.csv.d"));
  ASSERT_EQ(services.dialogs.size(), 2u);
  EXPECT_EQ(services.dialogs[0].initialName, first);
  EXPECT_EQ(services.dialogs[0].folder, JoinPath(form().DataFolder(), QStringLiteral("Output")));
  EXPECT_EQ(services.dialogs[1].initialName, out("shown.CSV"));
  EXPECT_EQ(services.dialogs[1].folder, folder());
}

// A smoothed display stores the smoothing of the whole record at the width last applied,
// whatever window is on screen and whatever width is typed since.
TEST_F(StoreCommandTest, AZoomedSmoothedStoreWritesTheWholeRecordSmoothed) {
  press("Expand");
  press("Expand");
  ASSERT_GT(form().view().StartIndex, 0) << "the window is a part of the record";
  child<QLineEdit>("SmPoints")->setText(QStringLiteral("9"));
  child<QRadioButton>("smOption2")->setChecked(true);
  child<QLineEdit>("SmPoints")->setText(QStringLiteral("101"));
  store(out("smoothed.CSV"));

  WaveRecord expected = form().record();
  std::vector<std::int16_t> smoothed(static_cast<std::size_t>(expected.header.Points));
  ASSERT_TRUE(ToVoltsForDisplayed(expected, [&](int ch) {
    SmoothSamples(expected.buffers.SrcData[static_cast<std::size_t>(ch)], 0,
                  expected.header.Points - 1, 9, smoothed);
    return std::span<const std::int16_t>(smoothed);
  }));
  NullSink quiet;
  const auto reference = root.path() / "reference.CSV";
  ASSERT_TRUE(WriteCsvFile(reference, expected.header, expected.buffers.VoltData, 0, quiet).ok());
  EXPECT_EQ(ReadWhole(root.path() / "out" / "smoothed.CSV"), ReadWhole(reference));
}

// A cancel, a folder that cannot take the file and a failure nothing else handles each say so.
TEST_F(StoreCommandTest, EveryStoreThatWritesNothingSaysSo) {
  const QString before = form().CsvPath();
  const QString panel2 = form().statusText(2);
  store(std::nullopt);
  EXPECT_EQ(form().CsvPath(), before);
  EXPECT_EQ(form().statusText(2), panel2);
  // A "folder" that is a file cannot hold the new file, whoever runs the test.
  synth::WriteBytes(root.path() / "out" / "plain-file", "x");
  store(out("plain-file/d.csv"));
  EXPECT_EQ(form().statusText(1), U("CSVファイルに格納できませんでした｡"));
  EXPECT_EQ(form().CsvPath(), out("plain-file/d.csv")) << "the name is kept for the next try";
  EXPECT_EQ(services.messages, (QStringList{U("CSV格納がキャンセルされました."),
                                            U("CSVファイルに格納できませんでした｡")}));
  services.whileChoosing = [] { throw std::bad_alloc(); };
  ASSERT_TRUE(QDir::setCurrent(Q(files.path())));
  store(out("never.csv"));
  EXPECT_EQ(form().statusText(1), U("処理できませんでした｡"));
  EXPECT_TRUE(inDataFolder());
  EXPECT_EQ(services.messages.size(), 2);
}

}  // namespace
}  // namespace sondrix::testing
