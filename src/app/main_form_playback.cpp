// Playing one WFM or CSV/TXT file of the browser's list.
#include <exception>

#include <QDir>
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
#include "wfm/copy_to_source.h"
#include "wfm/messages.h"

namespace sondrix {
namespace {

// Why a load left the waveform as it was; empty when it loaded.
QString FailureOf(const LoadResult& loaded) {
  if (loaded.ok) return {};
  return loaded.reason.empty() ? QStringLiteral("the file cannot be read") : U(loaded.reason);
}

}  // namespace

LoadResult MainForm::playWfm(const QString& path) {
  LoadResult result = LoadWfmFile(FileSystemPath(path), record_, *sink_);
  if (result.acqDataSizeText) AcqDataSize->setText(U(*result.acqDataSizeText));
  if (!result.ok) return result;
  // The reference marks of channels 3 and 4 show only when the file has those channels.
  const bool upper = HasUpperChannels(record_);
  scene_.vrefLines[2].visible = upper;
  scene_.vrefLines[3].visible = upper;
  ResetView(view_, record_.header.Points);
  view_.WaveLoaded = true;
  draw(view_.StartIndex, view_.EndIndex, record_.header.TimeDiv);
  return result;
}

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
  QDir::setCurrent(dataFolder_);
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
    const LoadResult loaded =
        LoadCsvFile(FileSystemPath(JoinPath(browser_->path(), name)), record_, *sink_);
    playFailure_ = FailureOf(loaded);
    if (!loaded.ok) {
      StatusPanel1->setText(U(messages::kCsvReadError));
    } else {
      if (loaded.acqDataSizeText) {
        AcqDataSize->setText(U(*loaded.acqDataSizeText));
      }
      StatusPanel1->setText(U(messages::kConverted));
      ResetView(view_, record_.header.Points);
      view_.WaveLoaded = true;
      draw(view_.StartIndex, view_.EndIndex, record_.header.TimeDiv);
    }
  } catch (const std::exception&) {
    // No memory for the file's samples; the previous waveform stays.
    playFailure_ = U(load_messages::kNotEnoughMemory);
  }
  QDir::setCurrent(dataFolder_);
}

}  // namespace sondrix
