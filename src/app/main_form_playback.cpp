// Playing one WFM or CSV/TXT file of the browser's list.
#include <exception>

#include <QStatusBar>

#include "app/file_browser.h"
#include "app/held_buttons.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/qt_text.h"
#include "app/split_path.h"
#include "app/window_sink.h"
#include "load/load_file.h"
#include "load/messages.h"
#include "wfm/messages.h"

namespace sondrix {
namespace {

// Why a load left the waveform as it was; empty when it loaded.
QString FailureOf(const LoadResult& loaded) {
  if (loaded.ok) return {};
  return loaded.reason.empty() ? QStringLiteral("the file cannot be read") : U(loaded.reason);
}

}  // namespace

LoadResult MainForm::play(FileKind kind, const QString& path) {
  LoadResult loaded = document_.load(kind, FileSystemPath(path), *sink_);
  // A WFM load sets the point count whatever its outcome, a CSV load only when it succeeded.
  if (loaded.acqDataSizeText) AcqDataSize->setText(U(*loaded.acqDataSizeText));
  if (!loaded.ok) return loaded;
  // Said before the draw, so that a draw without memory leaves the load reported as it went.
  if (kind == FileKind::Csv) StatusPanel1->setText(U(messages::kConverted));
  takeSmoothingControls();
  document_.showWhole();
  showDrawn();
  return loaded;
}

LoadResult MainForm::playWfm(const QString& path) { return play(FileKind::Wfm, path); }

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
    playFailure_ = FailureOf(playWfm(JoinPath(browser_->path(), name)));
  } catch (const std::exception&) {
    // No memory to draw the file; the previous waveform stays.
    playFailure_ = U(load_messages::kNotEnoughMemory);
  }
  // A file that could not be read is reported as the reader reports it, whatever the reason
  // (its series unknown, no memory), and never as converted.
  StatusPanel1->setText(playFailure_.isEmpty() ? U(messages::kConverted)
                                               : U(wfm_messages::kReadError));
  document_.commandEnded();
  BinToCsvConvert->setEnabled(true);
}

void MainForm::InputDsTypeCsvFile_Click() {
  browser_->selectFilter(1);
  const QString name = browser_->selectedFile();
  if (name.isEmpty()) {
    services_.showMessage(U(messages::kSelectCsv), U(messages::kZeroTitle), MessageButtons::Ok);
    return;
  }
  const HeldButtons held{InputDsTypeCsvFile, BinToCsvConvert, SelResultFileFolder, Start};
  StatusPanel1->setText(U(messages::kConverting));
  StatusPanel2->setText(name);
  try {
    // A file that cannot be read leaves the record as it was, so the waveform on screen, its
    // zoom and a later store stay those of the previous file.
    const LoadResult loaded = play(FileKind::Csv, JoinPath(browser_->path(), name));
    playFailure_ = FailureOf(loaded);
    if (!loaded.ok) StatusPanel1->setText(U(messages::kCsvReadError));
  } catch (const std::exception&) {
    // No memory for the file's samples; the previous waveform stays.
    playFailure_ = U(load_messages::kNotEnoughMemory);
  }
  document_.commandEnded();
}

}  // namespace sondrix
