// One gesture per capture: a double-click or Enter on a listed file plays it, and keys step to
// the next or previous capture of the list; the title and the recent folders follow what plays.
#include <QFileInfo>
#include <QShortcut>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/operation_panel.h"
#include "app/qt_text.h"
#include "app/recent_folders.h"
#include "app/split_path.h"
#include "app/wave_frame.h"

namespace sondrix {

void MainForm::connectCaptureGestures() {
  connect(browser_, &FileBrowser::filePlayRequested, this, &MainForm::playListed);
  const std::pair<QKeySequence, int> steps[] = {{QKeySequence(Qt::Key_PageDown), 1},
                                                {QKeySequence(Qt::CTRL | Qt::Key_Right), 1},
                                                {QKeySequence(Qt::Key_PageUp), -1},
                                                {QKeySequence(Qt::CTRL | Qt::Key_Left), -1}};
  // Only the plot and the list take them: the sliders and boxes keep their own Page keys.
  for (QWidget* scope : {static_cast<QWidget*>(waveFrame().surface()), browser_->fileList()}) {
    for (const auto& [keys, step] : steps) {
      new QShortcut(
          keys, scope, [this, step = step] { browser_->stepFile(step); }, Qt::WidgetShortcut);
    }
  }
}

void MainForm::playListed(const QString& name) {
  // As its button would play it: a CSV or TXT file as a table, anything else as a capture.
  operation_->press(KindOfFile(FileSystemPath(name)));
}

void MainForm::showPlayed(const QString& path) {
  const QFileInfo file(path);
  setWindowTitle(file.fileName() + U(messages::kTitleSeparator) + productTitle_);
  const QString folder = file.absolutePath();
  if (!recentFolders_.isEmpty() && recentFolders_.front() == folder) return;
  recentFolders_ = WithRecentFolder(recentFolders_, folder);
  browser_->setRecentFolders(recentFolders_);
  // Written at once, so that a crash keeps it; a failure costs only the list of another run.
  WriteRecentFolders(recentFoldersPath(), recentFolders_);
}

}  // namespace sondrix
