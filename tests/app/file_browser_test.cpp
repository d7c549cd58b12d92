#include "app/file_browser.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>

#include "app/messages.h"
#include "form_fixture.h"

namespace sondrix::testing {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) { synth::WriteBytes(file, "x"); }

class FileBrowserTest : public ::testing::Test {
 protected:
  // What a failed change must leave alone: nothing tells the run of a new folder either.
  QStringList seen() const {
    return QStringList{browser.path(), QString::number(opened.count())} + browser.files();
  }

  TempDir dir;
  ScriptedServices services{Q(dir.path())};
  FileBrowser browser{services};
  QSignalSpy counted{&browser, &FileBrowser::filesCounted};
  QSignalSpy opened{&browser, &FileBrowser::folderOpened};
};

TEST_F(FileBrowserTest, FolderChangeCountsWithThePatternTellsTheRunAndListsTheFolders) {
  for (const char* name :
       {"w0.wfm", "w1.WFM", "w2.Wfm", "B.csv", "a.TXT", "c.Csv", "README", "x.wfm.bak"}) {
    touch(dir / name);
  }
  fs::create_directories(dir / "folder.wfm" / "empty");  // a folder is not a file
  ASSERT_TRUE(browser.setPath(Q(dir.path()) + QDir::separator()));
  EXPECT_EQ(counted.last().at(0).toInt(), 3);
  EXPECT_EQ(browser.path(), Q(dir.path()));
  EXPECT_EQ(opened.last().at(0).toString(), Q(dir.path()));

  // A pattern choice or a refresh re-reads the folder, keeps the selected file, counts nothing.
  counted.clear();
  browser.selectFilter(1);
  EXPECT_EQ(browser.files(), (QStringList{"a.TXT", "B.csv", "c.Csv"}));
  browser.findChild<QListWidget*>("FileList")->setCurrentRow(1);
  touch(dir / "d.csv");
  fs::remove(dir / "a.TXT");
  browser.refresh();
  EXPECT_EQ(browser.files(), (QStringList{"B.csv", "c.Csv", "d.csv"}));
  browser.selectFilter(2);
  EXPECT_EQ(browser.fileCount(), 8);
  EXPECT_EQ(browser.selectedFile(), "B.csv");
  EXPECT_EQ(counted.count(), 0);
  ASSERT_TRUE(browser.setPath(QStringLiteral("folder.wfm/empty")));
  EXPECT_EQ(counted.last().at(0).toInt(), 0);
  EXPECT_TRUE(services.messages.empty());

  // The folder list shows the chain up to the root, then the subfolders, and opens either.
  const fs::path here = dir / "here";
  for (const char* name : {"Zeta", "beta", "Alpha", ".hidden"}) fs::create_directories(here / name);
  touch(here / "beta" / "in.wfm");
  ASSERT_TRUE(browser.setPath(Q(here)));

  auto* list = browser.findChild<QListWidget*>("DirList");
  const int current = list->currentRow();
  const auto pathAt = [&](int row) { return list->item(row)->data(FileBrowser::kPathRole); };
  ASSERT_EQ(list->count(), current + 4);
  EXPECT_EQ(pathAt(current).toString(), Q(here));
  EXPECT_EQ(pathAt(current - 1).toString(), Q(dir.path()));
  EXPECT_TRUE(QDir(pathAt(0).toString()).isRoot());
  QStringList subfolders;
  for (int row = current + 1; row < list->count(); ++row) {
    subfolders << list->item(row)->text().trimmed();
  }
  EXPECT_EQ(subfolders, (QStringList{"Alpha", "beta", "Zeta"}));

  emit list->itemActivated(list->item(current + 2));
  EXPECT_EQ(browser.path(), Q(here / "beta"));
  EXPECT_EQ(counted.last().at(0).toInt(), 1);
  emit list->itemActivated(list->item(current));  // back up the chain
  EXPECT_EQ(browser.path(), Q(here));
}

// The file-system root first, then each mounted folder once, in order; a file mounted on its own is
// no place to browse. A vanished folder, a file taken for a folder, an unplugged drive and the
// empty folder an unmounted drive leaves each show their message alone.
TEST_F(FileBrowserTest, TheDrivesInOrderAndAFailedChangeThatChangesNothing) {
  touch(dir / "kept.wfm");
  fs::create_directory(dir / "gone");
  fs::create_directory(dir / "mountpoint");
  ASSERT_TRUE(browser.setPath(Q(dir.path())));
  browser.refresh();  // which lists the drives afresh
  auto* drives = browser.findChild<QComboBox*>("DriveList");
  ASSERT_GT(drives->count(), 0);
  EXPECT_EQ(drives->itemData(0, FileBrowser::kPathRole).toString(), "/");
  for (int i = 1; i < drives->count(); ++i) {
    const QString root = drives->itemData(i, FileBrowser::kPathRole).toString();
    EXPECT_TRUE(QFileInfo(root).isDir()) << Std(root);
    EXPECT_LT(drives->itemData(i - 1, FileBrowser::kPathRole).toString(), root);
  }
  const QStringList before = seen();
  counted.clear();
  fs::remove(dir / "gone");
  auto* folders =
      browser.findChild<QListWidget*>("DirList");  // which still offers the vanished folder
  emit folders->itemActivated(folders->findItems("gone", Qt::MatchEndsWith).front());
  EXPECT_FALSE(browser.setPath(Q(dir / "kept.wfm")));
  const int index = drives->currentIndex();
  for (const char* name : {"unplugged", "mountpoint"}) {
    drives->addItem(QString::fromUtf8(name), QString::fromStdString((dir / name).string()));
    browser.chooseDrive(drives->count() - 1);
    EXPECT_EQ(drives->currentIndex(), index);
  }
  browser.chooseDrive(index);  // the drive already shown is no change: the folder stays
  const QString folder = U(messages::kNoFolder);
  const QString drive = U(messages::kNoDrive);
  EXPECT_EQ(services.messages, (QStringList{folder, folder, drive, drive}));
  EXPECT_EQ(seen(), before);
  EXPECT_EQ(counted.count(), 0);
}

// Files come, go and are renamed; the run's count stays what the folder's opening set.
TEST_F(FileBrowserTest, TheListFollowsTheFolderKeepingItsSelectionAndScroll) {
  for (int i = 10; i < 70; ++i) touch(dir / ("f" + std::to_string(i) + ".wfm"));
  ASSERT_TRUE(browser.setPath(Q(dir.path())));
  browser.resize(200, 300);
  browser.show();
  ASSERT_TRUE(browser.selectFile(QStringLiteral("f40.wfm")));
  const QScrollBar* bar = static_cast<QListWidget*>(browser.fileList())->verticalScrollBar();
  const int scrolled = bar->value();
  ASSERT_GT(scrolled, 0);
  const qsizetype count = counted.count();
  touch(dir / "a.wfm");
  QTRY_VERIFY(browser.files().contains("a.wfm"));
  EXPECT_EQ(std::tuple(browser.selectedFile(), bar->value()), std::tuple("f40.wfm", scrolled));
  fs::rename(dir / "f10.wfm", dir / "g.wfm");
  QTRY_VERIFY(browser.files().contains("g.wfm"));
  fs::remove(dir / "a.wfm");
  QTRY_VERIFY(!browser.files().contains("a.wfm"));
  EXPECT_EQ(std::tuple(browser.files().size(), browser.files().contains("f10.wfm")),
            std::tuple(60, false));
  EXPECT_EQ(counted.count(), count);
}

// A typed folder is relative to the one shown; a typed file is selected under a pattern that lists
// it; a missing path gets the folder message.
TEST_F(FileBrowserTest, ThePathBoxGoesToAFolderOrAFileAndListsTheRecentFolders) {
  fs::create_directories(dir / "a" / "b");
  touch(dir / "a" / "x.csv");
  auto* box = browser.findChild<QComboBox*>("PathBox");
  const auto type = [&](const QString& text) {
    box->setEditText(text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    return browser.path();
  };
  EXPECT_EQ(type(Q(dir / "a")), Q(dir / "a"));
  EXPECT_EQ(box->currentText(), Q(dir / "a"));
  EXPECT_EQ(type("b"), Q(dir / "a" / "b"));
  EXPECT_EQ(type(Q(dir / "a" / "x.csv")), Q(dir / "a"));
  EXPECT_EQ(std::tuple(browser.selectedFile(), browser.pattern()), std::tuple("x.csv", "*.*"));
  EXPECT_EQ(type(Q(dir / "none")), Q(dir / "a"));
  EXPECT_EQ(services.messages, QStringList{U(messages::kNoFolder)});
  browser.setRecentFolders({Q(dir / "a" / "b"), Q(dir.path())});
  EXPECT_EQ(std::tuple(box->count(), box->itemText(0), box->currentText()),
            std::tuple(2, Q(dir / "a" / "b"), Q(dir / "a")));
  emit box->activated(1);
  EXPECT_EQ(browser.path(), Q(dir.path()));
}

}  // namespace
}  // namespace sondrix::testing
