#include <QLabel>

#include "app/qt_text.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

class WfmPlaybackTest : public FormTest {
 protected:
  bool markShown(int channel) {
    return !child<QWidget>(("VrefLine" + std::to_string(channel)).c_str())->isHidden();
  }
};

TEST_F(WfmPlaybackTest, PlayingAFileDrawsItAndEndsInTheDataFolder) {
  writeCapture("four.WFM", synth::SineCapture(4, 20000));
  writeCapture("two.wfm", synth::SineCapture(2, 1000));
  play("four.WFM");
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  EXPECT_EQ(form().statusText(2), "four.WFM");
  EXPECT_EQ(child<QLabel>("AcqDataSize")->text(), U("全取込データ数=20000"));
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());
  EXPECT_TRUE(child<QPushButton>("BinToCsvConvert")->isEnabled());
  EXPECT_EQ(form().scene().traces.size(), 4u);
  EXPECT_TRUE(markShown(3));
  // The marks follow the channels of the file shown.
  play("two.wfm");
  EXPECT_EQ(form().scene().traces.size(), 2u);
  EXPECT_TRUE(markShown(1));
  EXPECT_FALSE(markShown(2));
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(WfmPlaybackTest, ARejectedFileLeavesThePreviousDrawing) {
  writeCapture("good.wfm", synth::SineCapture(4, 5000));
  synth::WriteBytes(files.path() / "bad.wfm", "ModelName = nothing we know\r\n");
  play("good.wfm");
  const auto before = form().scene().traces;
  play("bad.wfm");
  EXPECT_EQ(form().statusText(1), U("波形データ変換完了｡"));
  EXPECT_EQ(form().statusText(2), "bad.wfm");
  EXPECT_EQ(QDir::currentPath(), QDir(form().DataFolder()).absolutePath());
  ASSERT_EQ(form().scene().traces.size(), before.size());
  EXPECT_EQ(form().scene().traces[0].points, before[0].points);
}

TEST_F(WfmPlaybackTest, WithNoFileSelectedTheOperatorIsAskedToChooseOne) {
  writeCapture("a.wfm", synth::SineCapture(2, 100));
  ASSERT_TRUE(form().browser().setPath(Q(files.path())));
  child<QListWidget>("FileList")->setCurrentRow(-1);
  child<QPushButton>("BinToCsvConvert")->click();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, U("Binファイル(*.WFM)を選択して下さい."));
  EXPECT_EQ(services.messages[0].title, "0");
  EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
  EXPECT_FALSE(form().view().WaveLoaded);
  EXPECT_EQ(QDir::currentPath(), QDir(Q(files.path())).absolutePath())
      << "the browser's folder stays current";
}

}  // namespace
}  // namespace sondrix::testing
