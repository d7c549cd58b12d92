#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QHBoxLayout;
class QFileSystemWatcher;
class QListWidget;
class QListWidgetItem;

namespace sondrix {

class PlatformServices;

// The drive list, folder list, pattern choice and file list at the side of the main window. The
// folder shown here is where the commands open their files.
class FileBrowser : public QWidget {
  Q_OBJECT

 public:
  // The item data role holding a drive's root (DriveList) or a folder's full path (DirList).
  static constexpr int kPathRole = Qt::UserRole;

  explicit FileBrowser(PlatformServices& services, QWidget* parent = nullptr);

  // The folder shown, in native separators, with a trailing separator only for a root.
  QString path() const;
  // Opens `folder` and makes it the current directory. A folder that is missing or unreadable
  // gets the folder message and leaves everything as it was; false on any failure.
  bool setPath(const QString& folder);
  // Goes where the path box points: a folder, or a file's folder with the file selected (listed
  // by a pattern that shows it). Anything else gets the folder message; false then.
  bool goToTyped(const QString& typed);
  // The recent folders, newest first, in the path box's list; choosing one goes there.
  void setRecentFolders(const QStringList& folders);

  // Puts `control` beside the pattern choice: what it does goes with the files the pattern lists.
  void addBesidePattern(QWidget* control);
  QString pattern() const { return pattern_; }
  // Whether the pattern lists a file of this name.
  bool lists(const QString& name) const;
  void selectFilter(int index);

  QString selectedFile() const;
  // Selects the file list's entry of exactly this name; false when the pattern does not list it.
  bool selectFile(const QString& name);
  int fileCount() const;
  QStringList files() const;
  // The name in row `row` of the file list; empty when there is no such row.
  QString fileAt(int row) const;
  QWidget* fileList() const;
  // Selects the entry `step` rows on from the selected one (from before the first when none is)
  // and asks to play it; false, changing nothing, beyond either end of the list.
  bool stepFile(int step);

  // Re-reads the drives and the folder's contents, keeping the selected file when still there;
  // shows nothing and counts nothing.
  void refresh();
  void chooseDrive(int index);
  // While held, the file list does not follow the folder's changes on disk; released, it catches
  // up at once. A continuous run holds it: it reads entry after entry of the list, and a capture
  // arriving meanwhile must not shift them.
  void holdList(bool held);

 signals:
  void filesCounted(int count);
  // The operator asked to play the entry `name` of the file list, now selected: a double-click
  // or Enter on it, or a step to the next or previous entry.
  void filePlayRequested(const QString& name);
  // The browser opened `folder`: where the continuous run stores until the next command.
  void folderOpened(const QString& folder);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showCurrentFolder();
  // Shows `folder` without any message; false when it cannot be shown.
  bool moveTo(const QString& folder);
  QString driveOf(const QString& folder) const;
  void fillDrives(const QString& select);
  void fillFolders();
  void fillFiles(const QString& keepSelected);
  QStringList nameFilters() const;
  void watchFolder();
  // The shown folder changed on disk: the file list follows, keeping its selection and scroll.
  void followFolder();
  void openFolderItem(QListWidgetItem* item);

  PlatformServices& services_;
  QComboBox* drives_;
  QComboBox* pathBox_;  // the folder typed or pasted, with the recent folders as its list
  QListWidget* folders_;
  QComboBox* filter_;
  QHBoxLayout* filterRow_;
  QListWidget* files_;
  QFileSystemWatcher* watcher_;  // the shown folder, through the system's change notification
  bool held_ = false;
  bool changedWhileHeld_ = false;
  QString path_;  // absolute and clean, with '/' separators
  QString pattern_ = QStringLiteral("*.wfm");
};

}  // namespace sondrix
