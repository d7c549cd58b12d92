// Playing one WFM or CSV/TXT file of the browser's list, or one that arrived in the followed
// folder.
#include <exception>

#include <QLabel>
#include <QPushButton>

#include "app/file_browser.h"
#include "app/folder_follower.h"
#include "app/held_buttons.h"
#include "app/messages.h"
#include "app/operation_panel.h"
#include "app/qt_text.h"
#include "app/split_path.h"
#include "app/waveform_panel.h"
#include "app/window_sink.h"
#include "csv/csv_name.h"
#include "document/document.h"
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

LoadResult OperationPanel::play(FileKind kind, const QString& path) {
  LoadResult loaded = links_.document.load(kind, FileSystemPath(path), links_.sink);
  // A WFM load sets the point count whatever its outcome, a CSV load only when it succeeded.
  if (loaded.acqDataSizeText) links_.waveform.showPointCount(U(*loaded.acqDataSizeText));
  if (!loaded.ok) return loaded;
  // Said before the draw, so that a draw without memory leaves the load reported as it went.
  if (kind == FileKind::Csv) links_.status.step->setText(U(messages::kConverted));
  links_.waveform.showWhole();
  if (links_.played) links_.played(path);
  return loaded;
}

void OperationPanel::BinToCsvConvert_Click() {
  const QString name = links_.browser.selectedFile();
  if (name.isEmpty()) {
    links_.services.showMessage(U(messages::kSelectWfm), U(messages::kZeroTitle),
                                MessageButtons::Ok);
    return;
  }
  BinToCsvConvert->setEnabled(false);
  links_.status.step->setText(U(messages::kConverting));
  links_.status.detail->setText(name);
  // The load does not return to the event loop (no other command may run meanwhile), so the
  // operator sees the step and the disabled button only when they are painted now.
  links_.status.step->parentWidget()->repaint();  // the status bar
  BinToCsvConvert->repaint();
  try {
    playFailure_ = FailureOf(play(FileKind::Wfm, JoinPath(links_.browser.path(), name)));
  } catch (const std::exception&) {
    // No memory to draw the file; the previous waveform stays.
    playFailure_ = U(load_messages::kNotEnoughMemory);
  }
  // A file that could not be read is reported as the reader reports it, whatever the reason
  // (its series unknown, no memory), and never as converted.
  links_.status.step->setText(playFailure_.isEmpty() ? U(messages::kConverted)
                                                     : U(wfm_messages::kReadError));
  links_.document.commandEnded();
  BinToCsvConvert->setEnabled(true);
}

void OperationPanel::InputDsTypeCsvFile_Click() {
  links_.browser.selectFilter(1);
  const QString name = links_.browser.selectedFile();
  if (name.isEmpty()) {
    links_.services.showMessage(U(messages::kSelectCsv), U(messages::kZeroTitle),
                                MessageButtons::Ok);
    return;
  }
  const HeldButtons held{InputDsTypeCsvFile, BinToCsvConvert, SelResultFileFolder, Start};
  links_.status.step->setText(U(messages::kConverting));
  links_.status.detail->setText(name);
  try {
    // A file that cannot be read leaves the record as it was, so the waveform on screen, its
    // zoom and a later store stay those of the previous file.
    const LoadResult loaded = play(FileKind::Csv, JoinPath(links_.browser.path(), name));
    playFailure_ = FailureOf(loaded);
    if (!loaded.ok) links_.status.step->setText(U(messages::kCsvReadError));
  } catch (const std::exception&) {
    // No memory for the file's samples; the previous waveform stays.
    playFailure_ = U(load_messages::kNotEnoughMemory);
  }
  links_.document.commandEnded();
}

QString OperationPanel::playArrived(const QString& path) {
  if (links_.closing) {
    follower_->stop();
    return U(messages::kCommandFailed);
  }
  QString failure;
  try {
    failure = FailureOf(play(KindOfFile(FileSystemPath(path)), path));
  } catch (const std::exception&) {
    failure = U(load_messages::kNotEnoughMemory);
  }
  if (failure.isEmpty()) {
    QString folder;
    QString name;
    SplitPath(path, folder, name);
    links_.status.step->setText(U(messages::kConverted));
    links_.status.detail->setText(name);
  }
  links_.document.commandEnded();
  return failure;
}

void OperationPanel::storeArrived(const QString& name) {
  // The continuous run stores WFM captures alone; a CSV capture is shown, never stored over.
  if (WaveFileKind(FileSystemPath(name)) != FileKind::Wfm) return;
  const QString csvName = U(CsvNameForWfm(Std(name)));
  csvPath_ = csvName;
  storeDisplayed(JoinPath(U(links_.document.runFolder()), csvName), csvName);
  links_.document.commandEnded();
}

}  // namespace sondrix
