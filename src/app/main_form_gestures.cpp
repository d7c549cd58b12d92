// One gesture per capture: a double-click or Enter on a listed file plays it, and keys step to
// the next or previous capture of the list.
#include <QShortcut>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/operation_panel.h"
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

}  // namespace sondrix
