#include "app/file_browser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalSpy>

#include "app/messages.h"
#include "app/scripted_services.h"
#include "support/temp_dir.h"

// Readable failures: gtest finds this beside QString.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace sondrix {
namespace {

namespace fs = std::filesystem;

QString q(const fs::path& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}
void touch(const fs::path& file) { std::ofstream(file) << "x"; }

// Each test moves the process's current directory; the fixture puts it back.
class FileBrowserTest : public ::testing::Test {
 protected:
  void TearDown() override { QDir::setCurrent(startFolder_); }

  // What a failed change must leave alone.
  QStringList seen() const {
    return QStringList{browser.path(), QDir::currentPath()} + browser.files();
  }
  template <typename T>
  T* child(const char* name) {
    return browser.findChild<T*>(QString::fromUtf8(name));
  }
  void expectOnlyMessage(const char* text, const char* title) {
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, QString::fromUtf8(text));
    EXPECT_EQ(services.messages[0].title, QString::fromUtf8(title));
    EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
    services.messages.clear();
  }

  QString startFolder_ = QDir::currentPath();
  testing::TempDir dir;
  testing::ScriptedServices services{q(dir.path())};
  FileBrowser browser{services};
  QSignalSpy counted{&browser, &FileBrowser::filesCounted};
};

TEST_F(FileBrowserTest, FolderChangeCountsWithTheChosenPatternAndBecomesCurrent) {
  EXPECT_EQ(browser.path(), QDir::toNativeSeparators(QDir::currentPath()));
  EXPECT_EQ(child<QComboBox>("FileFilter")->currentText(), "*.WFM");
  const char* endings[] = {".wfm", ".WFM", ".Wfm"};
  for (int i = 0; i < 37; ++i) touch(dir / ("w" + std::to_string(i) + endings[i % 3]));
  for (const char* name : {"B.csv", "a.TXT", "c.Csv", "README", "x.wfm.bak"}) touch(dir / name);
  fs::create_directories(dir / "folder.wfm" / "empty");  // a folder is not a file

  ASSERT_TRUE(browser.setPath(q(dir.path()) + QDir::separator()));
  EXPECT_EQ(counted.last().at(0).toInt(), 37);
  EXPECT_EQ(browser.fileCount(), 37);
  EXPECT_EQ(browser.path(), q(dir.path()));
  EXPECT_EQ(QDir::currentPath(), QFileInfo(q(dir.path())).canonicalFilePath());
  EXPECT_EQ(browser.selectedFile(), "");

  // A pattern choice re-lists but leaves the count to the next folder change.
  const qsizetype counts = counted.count();
  browser.selectFilter(1);
  EXPECT_EQ(browser.pattern(), "*.CSV;*.TXT");
  EXPECT_EQ(browser.files(), (QStringList{"a.TXT", "B.csv", "c.Csv"}));
  touch(dir / "d.csv");
  browser.selectFilter(1);  // the same pattern again re-reads the folder
  EXPECT_EQ(browser.fileCount(), 4);
  browser.selectFilter(2);
  EXPECT_EQ(browser.fileCount(), 37 + 6);
  EXPECT_EQ(counted.count(), counts);
  ASSERT_TRUE(browser.setPath(QStringLiteral("folder.wfm/empty")));
  EXPECT_EQ(counted.last().at(0).toInt(), 0);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileBrowserTest, FolderListShowsTheChainThenSubfoldersAndOpensThem) {
  const fs::path here = dir / "here";
  for (const char* name : {"Zeta", "beta", "Alpha", ".hidden"}) fs::create_directories(here / name);
  touch(here / "beta" / "in.wfm");
  ASSERT_TRUE(browser.setPath(q(here)));

  auto* list = child<QListWidget>("DirList");
  const int current = list->currentRow();
  ASSERT_EQ(list->count(), current + 4);
  EXPECT_EQ(list->item(current)->data(FileBrowser::kPathRole).toString(), q(here));
  EXPECT_TRUE(list->item(current)->isSelected());
  EXPECT_EQ(list->item(current - 1)->data(FileBrowser::kPathRole).toString(), q(dir.path()));
  EXPECT_TRUE(QDir(list->item(0)->data(FileBrowser::kPathRole).toString()).isRoot());
  QStringList subfolders;
  for (int row = current + 1; row < list->count(); ++row) {
    subfolders << list->item(row)->text().trimmed();
  }
  EXPECT_EQ(subfolders, (QStringList{"Alpha", "beta", "Zeta"}));

  emit list->itemActivated(list->item(current + 2));
  EXPECT_EQ(browser.path(), q(here / "beta"));
  EXPECT_EQ(counted.last().at(0).toInt(), 1);
  emit list->itemActivated(list->item(current));  // back up the chain
  EXPECT_EQ(browser.path(), q(here));
}

TEST_F(FileBrowserTest, VanishedFolderShowsTheFolderMessageAndChangesNothing) {
  touch(dir / "kept.wfm");
  fs::create_directory(dir / "gone");
  ASSERT_TRUE(browser.setPath(q(dir.path())));
  const QStringList before = seen();
  const qsizetype counts = counted.count();
  fs::remove(dir / "gone");

  EXPECT_FALSE(browser.setPath(q(dir / "gone")));
  expectOnlyMessage(messages::kNoFolder, messages::kFolderCheck);
  // The folder list still offers it.
  auto* list = child<QListWidget>("DirList");
  emit list->itemActivated(list->item(list->count() - 1));
  expectOnlyMessage(messages::kNoFolder, messages::kFolderCheck);
  EXPECT_FALSE(browser.setPath(q(dir / "kept.wfm")));
  expectOnlyMessage(messages::kNoFolder, messages::kFolderCheck);
  EXPECT_EQ(seen(), before);
  EXPECT_EQ(counted.count(), counts);
}

TEST_F(FileBrowserTest, AMissingDriveShowsOnlyTheDriveMessage) {
  ASSERT_TRUE(browser.setPath(q(dir.path())));
  auto* drives = child<QComboBox>("DriveList");
  const int index = drives->currentIndex();
  const QString root = drives->currentData(FileBrowser::kPathRole).toString();
  ASSERT_TRUE(q(dir.path()).startsWith(QDir::toNativeSeparators(root))) << root.toStdString();

  // A volume unplugged after the list was read, and the empty folder an unmounted one leaves.
  fs::create_directory(dir / "mountpoint");
  const QStringList before = seen();
  counted.clear();
  for (const char* name : {"unplugged", "mountpoint"}) {
    drives->addItem(QString::fromUtf8(name), QString::fromStdString((dir / name).string()));
    browser.chooseDrive(drives->count() - 1);
    expectOnlyMessage(messages::kNoDrive, messages::kDriveCheck);
    EXPECT_EQ(drives->currentIndex(), index);
  }
  EXPECT_EQ(seen(), before);
  EXPECT_EQ(counted.count(), 0);

  // Choosing the drive already shown is no change: the folder stays.
  browser.chooseDrive(index);
  EXPECT_EQ(seen(), before);
  EXPECT_EQ(counted.count(), 0);

  EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileBrowserTest, RefreshRereadsAndKeepsTheSelectedFile) {
  touch(dir / "a.wfm");
  touch(dir / "b.wfm");
  ASSERT_TRUE(browser.setPath(q(dir.path())));
  child<QListWidget>("FileList")->setCurrentRow(1);
  touch(dir / "0.wfm");
  fs::remove(dir / "a.wfm");
  browser.refresh();
  EXPECT_EQ(browser.files(), (QStringList{"0.wfm", "b.wfm"}));
  EXPECT_EQ(browser.selectedFile(), "b.wfm");
}

}  // namespace
}  // namespace sondrix
