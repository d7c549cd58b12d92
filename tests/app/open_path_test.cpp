#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include "app/qt_text.h"
#include "form_fixture.h"
#include "synth/instrument_csv_writer.h"
#include "synth/signals.h"

namespace sondrix::testing {
namespace {

class OpenPathTest : public FormTest {
 protected:
  QString selected() { return form().browser().selectedFile(); }
};

TEST_F(OpenPathTest, AFileNamedOnTheCommandLinePlaysAsItsButtonPlaysIt) {
  writeCapture("four.WFM", synth::SineCapture(4, 20000));
  writeCapture("two.wfm", synth::SineCapture(2, 1000));
  form().browser().selectFilter(1);  // a pattern that does not list captures
  form().openPath(Q(files.path() / "four.WFM"));
  EXPECT_EQ(form().browser().path(), Q(files.path()));
  EXPECT_EQ(selected(), "four.WFM");
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentIndex(), 0);
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  EXPECT_EQ(form().statusText(2), "four.WFM");
  EXPECT_EQ(child<QLabel>("AcqDataSize")->text(), U("全取込データ数=20000"));
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());
  EXPECT_EQ(form().scene().traces.size(), 4u);
  // A folder is opened in the browser and nothing is played.
  const auto sub = files.path() / "sub";
  std::filesystem::create_directory(sub);
  form().openPath(Q(sub));
  EXPECT_EQ(form().browser().path(), Q(sub));
  EXPECT_EQ(form().statusText(2), "four.WFM");
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(OpenPathTest, AnythingElseIsNamedInAMessageAndChangesNothing) {
  writeCapture("four.wfm", synth::SineCapture(4, 5000));
  synth::WriteBytes(files.path() / "notes.dat", "x");
  synth::WriteBytes(files.path() / ".hidden.wfm", "x");
  form().openPath(Q(files.path() / "four.wfm"));
  const auto traces = form().scene().traces;
  const QString folder = form().browser().path();
  const std::array<std::pair<std::string, const char*>, 3> refused{{
      {"missing.wfm", "ファイルまたはフォルダがありません！"},
      {"notes.dat", "WFM/CSV/TXTファイルではありません！"},
      {".hidden.wfm", "ファイル一覧に表示できないファイルです！"},
  }};
  for (const auto& [name, text] : refused) {
    form().openPath(Q(files.path() / name));
    ASSERT_FALSE(services.messages.empty()) << name;
    EXPECT_EQ(services.messages.back(), U(text) + u'\n' + Q(files.path() / name));
  }
  EXPECT_EQ(static_cast<std::size_t>(services.messages.size()), refused.size());
  EXPECT_EQ(form().browser().path(), folder);
  EXPECT_EQ(selected(), "four.wfm");
  ASSERT_EQ(form().scene().traces.size(), traces.size());
  EXPECT_EQ(form().scene().traces[0].points, traces[0].points);
}

TEST_F(OpenPathTest, ADroppedCsvFileIsPlayedByTheCsvButton) {
  synth::InstrumentCsv csv;
  csv.channels = {{}, {}};
  const auto volts = synth::CountsToVolts(synth::Sine(700, 2.0 * 8192, 3.0), 0.5f, 0);
  csv.volts = {volts, volts};
  synth::WriteBytes(files.path() / "Wave.Csv", synth::SerializeInstrumentCsv(csv));

  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(Q(files.path() / "Wave.Csv"))});
  const QPoint middle = form().rect().center();
  QDragEnterEvent enter(middle, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(middle), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  QCoreApplication::processEvents();  // the drop is opened once it has ended

  EXPECT_EQ(selected(), "Wave.Csv");
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentIndex(), 1);
  EXPECT_EQ(form().statusText(2), "Wave.Csv");
  EXPECT_EQ(child<QLabel>("AcqDataSize")->text(), U("全取込データ数=700"));
  EXPECT_EQ(form().scene().traces.size(), 2u);
}

}  // namespace
}  // namespace sondrix::testing
