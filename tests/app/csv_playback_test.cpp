#include <QComboBox>
#include <QLabel>

#include "app/qt_text.h"
#include "form_fixture.h"
#include "synth/instrument_csv_writer.h"
#include "synth/signals.h"

namespace sondrix::testing {
namespace {

class CsvPlaybackTest : public FormTest {
 protected:
  // An instrument file of two channels at 0.5 V/div.
  void writeCsv(const std::string& name, std::size_t samples) {
    synth::InstrumentCsv csv;
    csv.channels = {{}, {}};
    const auto volts = synth::CountsToVolts(synth::Sine(samples, 2.0 * 8192, 3.0), 0.5f, 0);
    csv.volts = {volts, volts};
    synth::WriteBytes(files.path() / name, synth::SerializeInstrumentCsv(csv));
  }
  // Opens the captures folder under the WFM pattern, selects `name` and presses the button.
  void playCsv(const std::string& name) {
    ASSERT_TRUE(form().browser().setPath(Q(files.path())));
    form().browser().selectFilter(2);
    auto* list = child<QListWidget>("FileList");
    const auto found = list->findItems(QString::fromStdString(name), Qt::MatchFixedString);
    ASSERT_EQ(found.size(), 1) << name;
    list->setCurrentItem(found.front());
    child<QPushButton>("InputDsTypeCsvFile")->click();
  }
};

TEST_F(CsvPlaybackTest, AFileIsConvertedBackToCountsAndDrawnWhole) {
  writeCsv("wave.csv", 1000);
  playCsv("wave.csv");
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentIndex(), 1) << "the press lists CSV/TXT files";
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  EXPECT_EQ(form().statusText(2), "wave.csv");
  EXPECT_EQ(child<QLabel>("AcqDataSize")->text(), U("全取込データ数=1000"));
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());
  EXPECT_TRUE(child<QPushButton>("InputDsTypeCsvFile")->isEnabled());
  EXPECT_EQ(form().view().EndIndex, 999);
  EXPECT_EQ(form().scene().traces.size(), 2u);
}

TEST_F(CsvPlaybackTest, AFileThatCannotBeReadLeavesThePreviousWaveform) {
  writeCsv("good.csv", 500);
  // The point count is read before the model line fails.
  synth::WriteBytes(files.path() / "bad.csv", "Points,100000\r\nModel,DSX\r\nCH1 V,CH2 V\r\n");
  playCsv("good.csv");
  const auto before = form().scene().traces;
  const WaveHeader header = form().record().header;
  playCsv("bad.csv");
  EXPECT_EQ(form().statusText(1), U("ファイル読取りエラーです。"));
  EXPECT_EQ(child<QLabel>("AcqDataSize")->text(), U("全取込データ数=500"));
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());
  // Not only the picture: a redraw and the record show the previous file too.
  child<QPushButton>("XReset")->click();
  EXPECT_EQ(form().record().header.Points, header.Points);
  EXPECT_EQ(form().record().header.ModelName, header.ModelName);
  ASSERT_EQ(form().scene().traces.size(), before.size());
  EXPECT_EQ(form().scene().traces[0].points, before[0].points);
}

TEST_F(CsvPlaybackTest, WithNoFileSelectedTheOperatorIsAskedToChooseOne) {
  writeCsv("wave.csv", 100);
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  child<QListWidget>("FileList")->setCurrentRow(-1);
  child<QPushButton>("InputDsTypeCsvFile")->click();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, U("CSV/TXTファイルを選択して下さい."));
  EXPECT_EQ(services.messages[0].title, "0");
  EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
  EXPECT_FALSE(form().view().WaveLoaded);
}

}  // namespace
}  // namespace sondrix::testing
