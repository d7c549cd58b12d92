#include <QComboBox>
#include <QLabel>

#include "synth/instrument_csv_writer.h"
#include "synth/signals.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

class CsvPlaybackTest : public FormTest {
 protected:
  // An instrument file of two channels at 0.5 V/div whose counts are a known sine.
  void writeCsv(const std::string& name, std::size_t samples) {
    synth::InstrumentCsv csv;
    csv.channels = {{}, {}};
    counts = synth::Sine(samples, 2.0 * 8192, 3.0);
    csv.volts = {synth::CountsToVolts(counts, 0.5f, 0.0f),
                 synth::CountsToVolts(counts, 0.5f, 0.0f)};
    synth::WriteBytes(files.path() / name, synth::SerializeInstrumentCsv(csv));
  }
  // Opens the captures folder, selects `name` under the CSV/TXT pattern and presses the button.
  void playCsv(const std::string& name) {
    ASSERT_TRUE(form().browser().setPath(Q(files.path())));
    form().browser().selectFilter(1);
    auto* list = child<QListWidget>("FileList");
    const auto found = list->findItems(QString::fromStdString(name), Qt::MatchFixedString);
    ASSERT_EQ(found.size(), 1) << name;
    list->setCurrentItem(found.front());
    child<QPushButton>("InputDsTypeCsvFile")->click();
  }

  std::vector<std::int16_t> counts;
};

TEST_F(CsvPlaybackTest, AFileIsConvertedBackToCountsAndDrawnWhole) {
  writeCsv("wave.csv", 1000);
  playCsv("wave.csv");
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  EXPECT_EQ(form().statusText(2), "wave.csv");
  EXPECT_EQ(child<QLabel>("AcqDataSize")->text(), U("全取込データ数=1000"));
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());
  EXPECT_TRUE(child<QPushButton>("InputDsTypeCsvFile")->isEnabled());
  EXPECT_TRUE(form().view().WaveLoaded);
  EXPECT_EQ(form().view().StartIndex, 0);
  EXPECT_EQ(form().view().EndIndex, 999);
  EXPECT_EQ(form().view().XZoom, 1.0f);
  EXPECT_EQ(form().scene().traces.size(), 2u);
  const auto& src = form().record().buffers.SrcData;
  for (std::size_t i = 0; i < counts.size(); i += 97) {
    // Four significant digits in the file: within a count or two at two divisions.
    EXPECT_NEAR(src[0][i], counts[i], 2) << i;
    EXPECT_NEAR(src[1][i], counts[i], 2) << i;
  }
}

TEST_F(CsvPlaybackTest, TheViewEndsAtTheRoundedPointCount) {
  const std::pair<std::size_t, std::int32_t> rows[] = {{25, 19}, {0, -1}, {25'000, 24'999}};
  for (const auto& [samples, end] : rows) {
    SCOPED_TRACE(samples);
    writeCsv("rows.csv", samples);
    playCsv("rows.csv");
    EXPECT_EQ(form().view().EndIndex, end);
    EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  }
  EXPECT_EQ(form().statusText(2), U("データindex=20000")) << "the reader's last progress text";
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
  EXPECT_TRUE(child<QPushButton>("InputDsTypeCsvFile")->isEnabled());
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());
  // Not only the picture: a redraw and the record show the previous file too.
  child<QPushButton>("XReset")->click();
  EXPECT_EQ(form().record().header.Points, header.Points);
  EXPECT_EQ(form().record().header.ModelName, header.ModelName);
  EXPECT_EQ(form().record().header.Channel[1].DispOn, 1);
  ASSERT_EQ(form().scene().traces.size(), before.size());
  EXPECT_EQ(form().scene().traces[0].points, before[0].points);
}

TEST_F(CsvPlaybackTest, ThePressListsCsvFilesAndAsksForOneWhenNoneIsSelected) {
  writeCsv("wave.csv", 100);
  writeCapture("cap.wfm", synth::SineCapture(2, 100));
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  form().browser().selectFilter(0);
  child<QListWidget>("FileList")->setCurrentRow(-1);
  child<QPushButton>("InputDsTypeCsvFile")->click();
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentIndex(), 1);
  EXPECT_EQ(form().browser().files(), QStringList{"wave.csv"});
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, U("CSV/TXTファイルを選択して下さい."));
  EXPECT_EQ(services.messages[0].title, "0");
  EXPECT_FALSE(form().view().WaveLoaded);

  // A file selected under "*.*" is still listed after the switch, and plays.
  form().browser().selectFilter(2);
  child<QListWidget>("FileList")
      ->setCurrentItem(
          child<QListWidget>("FileList")->findItems("wave.csv", Qt::MatchFixedString).front());
  child<QPushButton>("InputDsTypeCsvFile")->click();
  EXPECT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(form().view().EndIndex, 99);
}

TEST_F(CsvPlaybackTest, AStoredWaveformPlaysBackAtItsScale) {
  writeCapture("cap.wfm", synth::SineCapture(4, 3000));
  play("cap.wfm");
  const WaveRecord played = form().record();
  services.dialogResults = {Q(files.path() / "cap.csv")};
  child<QPushButton>("SelResultFileFolder")->click();
  playCsv("cap.csv");
  const WaveRecord& back = form().record();
  EXPECT_EQ(back.header.Points, played.header.Points);
  EXPECT_EQ(form().view().EndIndex, played.header.Points - 1);
  for (int ch = 0; ch < 4; ++ch) {
    const auto c = static_cast<std::size_t>(ch);
    EXPECT_FLOAT_EQ(back.header.Channel[c].Vdiv, played.header.Channel[c].Vdiv);
    for (std::int32_t i = 0; i < played.header.Points; i += 101) {
      const auto at = static_cast<std::size_t>(i);
      EXPECT_NEAR(back.buffers.SrcData[c][at], played.buffers.SrcData[c][at], 4) << ch << ' ' << i;
    }
  }
}

}  // namespace
}  // namespace sondrix::testing
