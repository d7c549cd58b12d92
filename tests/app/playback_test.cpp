#include <QComboBox>
#include <QLabel>

#include "app/qt_text.h"
#include "form_fixture.h"
#include "synth/instrument_csv_writer.h"
#include "synth/signals.h"

namespace sondrix::testing {
namespace {

// The two playback buttons: each reads the file selected in the browser, draws it and ends in the
// data folder.
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
  // Lists every file, selects `name` and presses the CSV button, which lists CSV/TXT files.
  void playCsv(const std::string& name) {
    form().browser().selectFilter(2);
    auto* list = child<QListWidget>("FileList");
    const auto found = list->findItems(QString::fromStdString(name), Qt::MatchFixedString);
    ASSERT_EQ(found.size(), 1) << name;
    list->setCurrentItem(found.front());
    child<QPushButton>("InputDsTypeCsvFile")->click();
  }
  // The channels' zero-level marks, '1' for each one shown.
  QString marks() {
    QString shown;
    for (int ch = 0; ch < 4; ++ch) {
      const auto name = "VrefLine" + std::to_string(ch);
      shown += child<QWidget>(name.c_str())->isHidden() ? '0' : '1';
    }
    return shown;
  }
  QString dataFolder() { return QDir(form().DataFolder()).absolutePath(); }
};

TEST_F(PlaybackTest, AWfmFileIsDrawnWithTheMarksOfItsChannels) {
  writeCapture("four.WFM", synth::SineCapture(4, 20000));
  writeCapture("two.wfm", synth::SineCapture(2, 1000));
  play("four.WFM");
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  EXPECT_EQ(form().statusText(2), "four.WFM");
  EXPECT_EQ(child<QLabel>("AcqDataSize")->text(), U("全取込データ数=20000"));
  EXPECT_EQ(QDir::currentPath(), dataFolder());
  EXPECT_TRUE(child<QPushButton>("BinToCsvConvert")->isEnabled());
  EXPECT_EQ(form().scene().traces.size(), 4u);
  EXPECT_EQ(marks(), "1111");
  play("two.wfm");
  EXPECT_EQ(form().scene().traces.size(), 2u);
  EXPECT_EQ(marks(), "1100");
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(PlaybackTest, ACsvFileIsConvertedBackToCountsAndDrawnWhole) {
  writeCsv("wave.csv", 1000);
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  playCsv("wave.csv");
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentIndex(), 1);
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  EXPECT_EQ(form().statusText(2), "wave.csv");
  EXPECT_EQ(child<QLabel>("AcqDataSize")->text(), U("全取込データ数=1000"));
  EXPECT_EQ(QDir::currentPath(), dataFolder());
  EXPECT_TRUE(child<QPushButton>("InputDsTypeCsvFile")->isEnabled());
  EXPECT_EQ(form().view().EndIndex, 999);
  EXPECT_EQ(form().scene().traces.size(), 2u);
}

// The WFM command ends with the same words whatever the load did; the CSV command says it failed.
TEST_F(PlaybackTest, AFileThatCannotBeReadLeavesThePreviousWaveform) {
  writeCapture("good.wfm", synth::SineCapture(4, 5000));
  synth::WriteBytes(files.path() / "bad.wfm", "ModelName = nothing we know\r\n");
  // The point count is read before the model line fails.
  synth::WriteBytes(files.path() / "bad.csv", "Points,100000\r\nModel,DSX\r\nCH1 V,CH2 V\r\n");
  play("good.wfm");
  const auto before = form().scene().traces;
  play("bad.wfm");
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  const QString caption = child<QLabel>("AcqDataSize")->text();
  playCsv("bad.csv");
  EXPECT_EQ(form().statusText(1), U("ファイル読取りエラーです。"));
  EXPECT_EQ(child<QLabel>("AcqDataSize")->text(), caption);
  EXPECT_EQ(QDir::currentPath(), dataFolder());
  ASSERT_EQ(form().scene().traces.size(), before.size());
  EXPECT_EQ(form().scene().traces[0].points, before[0].points);
}

TEST_F(PlaybackTest, WithNoFileSelectedTheOperatorIsAskedToChooseOne) {
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  child<QPushButton>("BinToCsvConvert")->click();
  child<QPushButton>("InputDsTypeCsvFile")->click();
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0].text, U("Binファイル(*.WFM)を選択して下さい."));
  EXPECT_EQ(services.messages[1].text, U("CSV/TXTファイルを選択して下さい."));
  EXPECT_FALSE(form().view().WaveLoaded);
  EXPECT_EQ(QDir::currentPath(), QDir(Q(files.path())).absolutePath())
      << "the browser's folder stays current";
}

}  // namespace
}  // namespace sondrix::testing
