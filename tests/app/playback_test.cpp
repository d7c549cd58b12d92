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
  // The channels' zero-level marks, '1' for each one shown.
  QString marks() {
    QString shown;
    for (const char* name : {"VrefLine0", "VrefLine1", "VrefLine2", "VrefLine3"}) {
      shown += child<QWidget>(name)->isHidden() ? '0' : '1';
    }
    return shown;
  }
  QString caption() { return child<QLabel>("AcqDataSize")->text(); }
};

// Each button asks for a file when none is selected; a file that cannot be read leaves the
// previous waveform.
TEST_F(PlaybackTest, TheWfmButtonDrawsTheFileWithTheMarksOfItsChannels) {
  writeCapture("four.WFM", synth::SineCapture(4, 20000));
  writeCapture("two.wfm", synth::SineCapture(2, 1000));
  synth::WriteBytes(files.path() / "bad.wfm", "ModelName = nothing we know\r\n");
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  child<QPushButton>("BinToCsvConvert")->click();
  EXPECT_EQ(services.messages, QStringList{U("Binファイル(*.WFM)を選択して下さい.")});
  EXPECT_EQ(QDir::currentPath(), QDir(Q(files.path())).absolutePath()) << "the folder stays";
  play("four.WFM");
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  EXPECT_EQ(form().statusText(2), "four.WFM");
  EXPECT_EQ(caption(), U("全取込データ数=20000"));
  EXPECT_TRUE(inDataFolder());
  EXPECT_TRUE(child<QPushButton>("BinToCsvConvert")->isEnabled());
  EXPECT_EQ(marks(), "1111");
  play("two.wfm");
  EXPECT_EQ(marks(), "1100");
  const auto before = form().scene().traces;
  play("bad.wfm");
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡")) << "whatever the load did";
  ASSERT_EQ(form().scene().traces.size(), 2u);
  EXPECT_EQ(form().scene().traces[0].points, before[0].points);
}

TEST_F(PlaybackTest, TheCsvButtonConvertsTheFileBackToCountsAndDrawsItWhole) {
  writeCsv("wave.csv", 1000);
  // The point count is read before the model line fails.
  synth::WriteBytes(files.path() / "bad.csv", "Points,100000\r\nModel,DSX\r\nCH1 V,CH2 V\r\n");
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  child<QPushButton>("InputDsTypeCsvFile")->click();
  EXPECT_EQ(services.messages, QStringList{U("CSV/TXTファイルを選択して下さい.")});
  play("wave.csv", "InputDsTypeCsvFile");
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentIndex(), 1) << "the press lists CSV/TXT files";
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  EXPECT_EQ(form().statusText(2), "wave.csv");
  EXPECT_EQ(caption(), U("全取込データ数=1000"));
  EXPECT_TRUE(inDataFolder());
  EXPECT_TRUE(child<QPushButton>("InputDsTypeCsvFile")->isEnabled());
  EXPECT_EQ(form().view().EndIndex, 999);
  const auto before = form().scene().traces;
  play("bad.csv", "InputDsTypeCsvFile");
  EXPECT_EQ(form().statusText(1), U("ファイル読取りエラーです。"));
  EXPECT_EQ(caption(), U("全取込データ数=1000"));
  ASSERT_EQ(form().scene().traces.size(), 2u);
  EXPECT_EQ(form().scene().traces[0].points, before[0].points);
}

}  // namespace
}  // namespace sondrix::testing
