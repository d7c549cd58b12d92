// Playing one WFM file of the browser's list.
#include <exception>

#include <QDir>
#include <QFile>
#include <QStatusBar>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/split_path.h"
#include "app/window_sink.h"
#include "wfm/load_wfm.h"

namespace sondrix {

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

std::filesystem::path FileSystemPath(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

}  // namespace

void MainForm::BinToCsvConvert_Click() {
  const QString name = browser_->selectedFile();
  if (name.isEmpty()) {
    services_.showMessage(U(messages::kSelectWfm), U(messages::kZeroTitle), MessageButtons::Ok);
    return;
  }
  BinToCsvConvert->setEnabled(false);
  StatusPanel1->setText(U(messages::kConverting));
  StatusPanel2->setText(name);
  // The load does not return to the event loop (no other command may run meanwhile), so the
  // operator sees the step and the disabled button only when they are painted now.
  statusBar()->repaint();
  BinToCsvConvert->repaint();
  try {
    takeSmoothingControls();
    const LoadResult result = LoadWfmFile(FileSystemPath(JoinPath(browser_->path(), name)), record_,
                                          view_, smoothing_, scene_, *sink_);
    AcqDataSize->setText(QString::fromStdString(result.acqDataSizeText));
    showSmoothingControls();
    showScene();
  } catch (const std::exception&) {
    // The file could not be played (no memory for it); the previous waveform stays.
  }
  // Whatever the load's outcome, as the operator expects the command to end.
  StatusPanel1->setText(U(messages::kConverted));
  QDir::setCurrent(dataFolder_);
  BinToCsvConvert->setEnabled(true);
}

}  // namespace sondrix
