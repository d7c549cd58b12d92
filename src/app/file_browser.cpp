#include "app/file_browser.h"

#include <algorithm>
#include <vector>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include "app/messages.h"
#include "app/platform_services.h"
#include "app/qt_text.h"
#include "platform/path_rules.h"

namespace sondrix {
namespace {

struct Drive {
  QString root;  // '/' separators; ends with one only for "/" and a drive letter's root
  QString label;
};

std::vector<Drive> listDrives() {
  std::vector<Drive> drives;
#ifdef Q_OS_WIN
  for (const QFileInfo& drive : QDir::drives()) drives.push_back({drive.absoluteFilePath(), {}});
#else
  // The file-system root is always there; mounted volumes follow by path, each once. Containers
  // mount single files too (/etc/hosts), which are no place to browse.
  drives.push_back({QStringLiteral("/"), {}});
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = QDir::cleanPath(volume.rootPath());
    const bool known = std::any_of(drives.begin(), drives.end(),
                                   [&](const Drive& drive) { return drive.root == root; });
    if (known || !QFileInfo(root).isDir()) continue;
    drives.push_back({root, volume.name()});
  }
  std::sort(drives.begin() + 1, drives.end(),
            [](const Drive& a, const Drive& b) { return a.root < b.root; });
#endif
  return drives;
}

// The path as the browser keeps it, a relative one taken in `base`; empty when there is no path.
QString absoluteFolder(const QString& folder, const QString& base) {
  if (folder.isEmpty()) return {};
  return QDir::cleanPath(QDir(base).absoluteFilePath(QDir::fromNativeSeparators(folder)));
}

bool isOpenableFolder(const QString& folder) {
  const QFileInfo info(folder);
  // Entering a folder needs the search right as well as the read right; both are checked before
  // anything changes.
  return !folder.isEmpty() && info.isDir() && info.isReadable() && info.isExecutable();
}

// Root first, then each folder down to `path`.
QStringList chainTo(const QString& path) {
  QStringList chain{path};
  for (;;) {
    const QString parent = QFileInfo(chain.front()).path();
    // A root is its own parent.
    if (parent.size() >= chain.front().size()) break;
    chain.prepend(parent);
  }
  return chain;
}

QString indented(int depth, const QString& name) {
  return QString(qsizetype{2} * depth, u' ') + name;
}

}  // namespace

FileBrowser::FileBrowser(PlatformServices& services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      drives_(new QComboBox(this)),
      pathBox_(new QComboBox(this)),
      folders_(new QListWidget(this)),
      filter_(new QComboBox(this)),
      files_(new QListWidget(this)),
      watcher_(new QFileSystemWatcher(this)) {
  drives_->setObjectName(QStringLiteral("DriveList"));
  folders_->setObjectName(QStringLiteral("DirList"));
  filter_->setObjectName(QStringLiteral("FileFilter"));
  files_->setObjectName(QStringLiteral("FileList"));
  pathBox_->setObjectName(QStringLiteral("PathBox"));
  // Enter goes where the text points; the list is the recent folders and nothing else (with
  // repeats allowed, Enter on a listed folder's text does not also choose the list's entry).
  pathBox_->setEditable(true);
  pathBox_->setInsertPolicy(QComboBox::NoInsert);
  pathBox_->setDuplicatesEnabled(true);
  pathBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  pathBox_->setMinimumContentsLength(8);
  pathBox_->view()->setTextElideMode(Qt::ElideNone);

  // Long volume names are shown cut short rather than widening the window; the path box beside
  // it takes the rest of the row.
  drives_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  drives_->setMinimumContentsLength(6);
  filter_->setEditable(false);
  filter_->addItems(
      {QStringLiteral("*.WFM"), QStringLiteral("*.CSV;*.TXT"), QStringLiteral("*.*")});

  // Two rows each at the least, so the window fits a small screen; the lists take any height
  // the window has beyond that.
  for (QListWidget* list : {folders_, files_}) {
    list->setMinimumHeight(2 * list->fontMetrics().lineSpacing() + 2 * list->frameWidth() + 4);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  auto* driveRow = new QHBoxLayout;
  driveRow->setSpacing(4);
  driveRow->addWidget(drives_);
  driveRow->addWidget(pathBox_, 1);
  layout->addLayout(driveRow);
  // The folder list keeps its wish of some ten rows while it can; the file list takes the rest.
  folders_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  folders_->installEventFilter(this);
  layout->addWidget(folders_);
  filterRow_ = new QHBoxLayout;
  filterRow_->setSpacing(4);
  filterRow_->addWidget(filter_, 1);
  layout->addLayout(filterRow_);
  layout->addWidget(files_, 1);

  // Only the operator's choices run the changes: refilling a list must not re-run them.
  connect(drives_, &QComboBox::activated, this, &FileBrowser::chooseDrive);
  connect(folders_, &QListWidget::itemActivated, this, &FileBrowser::openFolderItem);
  connect(filter_, &QComboBox::activated, this, &FileBrowser::selectFilter);
  // Enter is taken before the box sees it: a combo box passes the key on to its line edit a
  // second time, which would go there twice.
  pathBox_->lineEdit()->installEventFilter(this);
  connect(pathBox_, &QComboBox::activated, this,
          [this](int index) { setPath(pathBox_->itemText(index)); });
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FileBrowser::followFolder);
  connect(files_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    files_->setCurrentItem(item);
    emit filePlayRequested(item->text());
  });

  // The window decides what to say at start, so nothing is shown or counted here.
  path_ = absoluteFolder(QDir::currentPath(), {});
  pathBox_->setEditText(path());
  fillDrives(path_);
  fillFolders();
  fillFiles({});
  watchFolder();
}

QString FileBrowser::path() const { return QDir::toNativeSeparators(path_); }

bool FileBrowser::setPath(const QString& folder) {
  if (moveTo(folder)) return true;
  services_.showMessage(U(messages::kNoFolder), U(messages::kFolderCheck), MessageButtons::Ok);
  return false;
}

bool FileBrowser::moveTo(const QString& folder) {
  // Checked before anything changes, so a vanished folder leaves the lists as they were.
  const QString target = absoluteFolder(folder, path_);
  if (!isOpenableFolder(target)) return false;
  path_ = target;
  pathBox_->setEditText(path());
  fillFolders();
  fillFiles({});
  watchFolder();
  emit filesCounted(fileCount());
  emit folderOpened(path());
  return true;
}

bool FileBrowser::goToTyped(const QString& typed) {
  const QFileInfo info(QDir(path_).absoluteFilePath(QDir::fromNativeSeparators(typed.trimmed())));
  if (!info.isFile()) return setPath(info.absoluteFilePath());
  if (!setPath(info.absolutePath())) return false;
  if (!selectFile(info.fileName())) {
    selectFilter(2);  // every file
    selectFile(info.fileName());
  }
  return true;
}

void FileBrowser::setRecentFolders(const QStringList& folders) {
  const QSignalBlocker blocker(pathBox_);
  pathBox_->clear();
  for (const QString& folder : folders) pathBox_->addItem(QDir::toNativeSeparators(folder));
  pathBox_->setCurrentIndex(-1);
  pathBox_->setEditText(path());
}

void FileBrowser::chooseDrive(int index) {
  if (index < 0 || index >= drives_->count()) return;
  const QString root = drives_->itemData(index, kPathRole).toString();
  // Picking the drive already shown is no change of drive: the folder stays.
  if (root == driveOf(path_)) return;
  fillDrives(root);
  // A volume unmounted since the list was read may leave its empty mount folder behind, so the
  // refreshed list has the last word. moveTo shows nothing, so a drive that is gone or unreadable
  // gets the drive message alone.
  const bool listed = drives_->itemData(drives_->currentIndex(), kPathRole).toString() == root;
  if (!listed || !moveTo(root)) {
    fillDrives(path_);
    services_.showMessage(U(messages::kNoDrive), U(messages::kDriveCheck), MessageButtons::Ok);
    return;
  }
}

void FileBrowser::selectFilter(int index) {
  if (index < 0 || index >= filter_->count()) return;
  filter_->setCurrentIndex(index);
  pattern_ = filter_->itemText(index);
  // The CSV playback selects its pattern before it takes the selected file: a file that the
  // pattern still lists stays selected.
  fillFiles(selectedFile());
}

QString FileBrowser::selectedFile() const {
  const QList<QListWidgetItem*> selected = files_->selectedItems();
  return selected.isEmpty() ? QString() : selected.front()->text();
}

bool FileBrowser::selectFile(const QString& name) {
  const QList<QListWidgetItem*> found = files_->findItems(name, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  files_->setCurrentItem(found.front());
  files_->scrollToItem(found.front());
  return true;
}

int FileBrowser::fileCount() const { return files_->count(); }

QString FileBrowser::fileAt(int row) const {
  const QListWidgetItem* item = files_->item(row);
  return item ? item->text() : QString();
}

QWidget* FileBrowser::fileList() const { return files_; }

bool FileBrowser::stepFile(int step) {
  const QList<QListWidgetItem*> selected = files_->selectedItems();
  const int row = (selected.isEmpty() ? -1 : files_->row(selected.front())) + step;
  if (row < 0 || row >= files_->count()) return false;
  QListWidgetItem* item = files_->item(row);
  files_->setCurrentItem(item);
  files_->scrollToItem(item);
  emit filePlayRequested(item->text());
  return true;
}

QStringList FileBrowser::files() const {
  QStringList names;
  names.reserve(files_->count());
  for (int row = 0; row < files_->count(); ++row) names.push_back(files_->item(row)->text());
  return names;
}

void FileBrowser::refresh() {
  fillDrives(path_);
  fillFolders();
  fillFiles(selectedFile());
}

QString FileBrowser::driveOf(const QString& folder) const {
  std::vector<PathText> roots;
  roots.reserve(static_cast<std::size_t>(drives_->count()));
  for (int i = 0; i < drives_->count(); ++i) {
    roots.push_back(drives_->itemData(i, kPathRole).toString().toStdU16String());
  }
  return QString::fromStdU16String(DriveOf(folder.toStdU16String(), roots, kHostPathStyle));
}

void FileBrowser::fillDrives(const QString& select) {
  const QSignalBlocker blocker(drives_);
  drives_->clear();
  for (const Drive& drive : listDrives()) {
    const PathText caption =
        DriveCaption(drive.root.toStdU16String(), drive.label.toStdU16String(), kHostPathStyle);
    drives_->addItem(QString::fromStdU16String(caption), drive.root);
  }
  const int selected = drives_->findData(driveOf(select), kPathRole);
  drives_->setCurrentIndex(selected);
}

void FileBrowser::fillFolders() {
  const QSignalBlocker blocker(folders_);
  folders_->clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

  const QStringList chain = chainTo(path_);
  for (int depth = 0; depth < chain.size(); ++depth) {
    const QString& folder = chain[depth];
    const QString name =
        depth == 0 ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
    auto* item = new QListWidgetItem(open, indented(depth, name), folders_);
    item->setData(kPathRole, QDir::toNativeSeparators(folder));
  }
  folders_->setCurrentRow(static_cast<int>(chain.size()) - 1);

  const int depth = static_cast<int>(chain.size());
  const QFileInfoList subfolders =
      QDir(path_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& sub : subfolders) {
    auto* item = new QListWidgetItem(closed, indented(depth, sub.fileName()), folders_);
    item->setData(kPathRole, QDir::toNativeSeparators(sub.absoluteFilePath()));
  }
  showCurrentFolder();
}

QStringList FileBrowser::nameFilters() const {
  QStringList filters = pattern_.split(u';', Qt::SkipEmptyParts);
  for (QString& filter : filters) {
    filter = filter.trimmed();
    // "*.*" means every file to the operator, also one without an extension.
    if (filter == QStringLiteral("*.*")) filter = QStringLiteral("*");
  }
  return filters;
}

void FileBrowser::addBesidePattern(QWidget* control) { filterRow_->addWidget(control); }

bool FileBrowser::lists(const QString& name) const { return QDir::match(nameFilters(), name); }

void FileBrowser::fillFiles(const QString& keepSelected) {
  const QSignalBlocker blocker(files_);
  files_->clear();
  const QStringList names =
      QDir(path_).entryList(nameFilters(), QDir::Files, QDir::Name | QDir::IgnoreCase);
  files_->addItems(names);
  if (keepSelected.isEmpty()) return;
  const QList<QListWidgetItem*> same = files_->findItems(keepSelected, Qt::MatchExactly);
  if (!same.isEmpty()) files_->setCurrentItem(same.front());
}

void FileBrowser::watchFolder() {
  if (const QStringList watched = watcher_->directories(); !watched.isEmpty()) {
    watcher_->removePaths(watched);
  }
  watcher_->addPath(path_);
}

void FileBrowser::holdList(bool held) {
  held_ = held;
  if (!held_ && changedWhileHeld_) followFolder();
}

void FileBrowser::followFolder() {
  changedWhileHeld_ = held_;
  if (held_) return;
  QScrollBar* bar = files_->verticalScrollBar();
  const int scrolled = bar->value();
  fillFiles(selectedFile());
  bar->setValue(scrolled);
}

void FileBrowser::showCurrentFolder() {
  // The chain from the root can be long; the folder shown and its subfolders are what the
  // operator opens next.
  if (folders_->currentItem()) {
    folders_->scrollToItem(folders_->currentItem(), QAbstractItemView::PositionAtTop);
  }
}

bool FileBrowser::eventFilter(QObject* watched, QEvent* event) {
  // The list gets its height only when the window is laid out, and a new height moves the rows.
  if (watched == folders_ && event->type() == QEvent::Resize) showCurrentFolder();
  if (watched == pathBox_->lineEdit() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      goToTyped(pathBox_->currentText());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FileBrowser::openFolderItem(QListWidgetItem* item) {
  // Read before setPath refills the list and deletes the item.
  const QString folder = item->data(kPathRole).toString();
  setPath(folder);
}

}  // namespace sondrix
