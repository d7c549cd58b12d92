#include "app/folder_follower.h"

#include "app/operation_panel.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

using namespace std::chrono_literals;

// Following the shown folder: the checked box plays each capture that arrives once complete.
class FolderFollowerTest : public FormTest {
 protected:
  void SetUp() override {
    writeCapture("old.wfm", synth::SineCapture(2, 1000));
    ASSERT_TRUE(form().browser().setPath(Q(files.path())));
    form().operation().follower().setTimes({100ms, 600ms});
    child<QCheckBox>("FollowNew")->setChecked(true);
  }
  static std::string capture(std::size_t points) {
    return synth::SerializeWfm(synth::MakeCapture(synth::SineCapture(4, points)));
  }
  bool shows(const QString& name, int ms = 3000) {
    return QTest::qWaitFor([&] { return form().windowTitle().startsWith(name + " "); }, ms);
  }
};

// Several captures at once: the newest is shown; with "CSV格納" each one is also stored where the
// continuous run stores, in order of arrival.
TEST_F(FolderFollowerTest, ABurstShowsTheNewestAndStoresEveryOne) {
  child<QCheckBox>("AllSaveCheck")->setChecked(true);
  for (const char* name : {"b1.wfm", "b2.wfm", "b3.wfm"}) {
    synth::WriteBytes(files.path() / name, capture(1000));
  }
  ASSERT_TRUE(shows("b3.wfm"));
  const std::filesystem::path stored = Std(form().DataFolder());
  for (const char* name : {"b1.CSV", "b2.CSV", "b3.CSV"}) {
    EXPECT_TRUE(std::filesystem::exists(stored / name)) << name;
  }
  EXPECT_EQ(form().CsvPath(), "b3.CSV");
  child<QCheckBox>("AllSaveCheck")->setChecked(false);
  synth::WriteBytes(files.path() / "c1.wfm", capture(1000));
  synth::WriteBytes(files.path() / "c2.wfm", capture(1000));
  ASSERT_TRUE(shows("c2.wfm"));
  EXPECT_FALSE(std::filesystem::exists(stored / "c2.CSV"));
}

// A capture that stays broken is named in the status bar with the reader's reason; cleared, the
// box stops following, and opening another folder clears it.
TEST_F(FolderFollowerTest, ABrokenCaptureIsReportedAndFollowingEnds) {
  synth::WriteBytes(files.path() / "cut.wfm", capture(1000).substr(0, 3000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return form().statusText(2) == "cut.wfm"; }, 3000));
  EXPECT_FALSE(form().statusText(1).isEmpty());
  EXPECT_EQ(form().record().header.Points, 0);
  child<QCheckBox>("FollowNew")->setChecked(false);
  synth::WriteBytes(files.path() / "late.wfm", capture(1000));
  EXPECT_FALSE(shows("late.wfm", 400));
  child<QCheckBox>("FollowNew")->setChecked(true);
  ASSERT_TRUE(form().browser().setPath(Q(root.path())));
  EXPECT_FALSE(child<QCheckBox>("FollowNew")->isChecked());
  EXPECT_FALSE(form().operation().follower().following());
}

}  // namespace
}  // namespace sondrix::testing
