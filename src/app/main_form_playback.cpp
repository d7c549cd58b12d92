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
#include "wfm/copy_to_source.h"

namespace sondrix {

bool MainForm::playWfm(const QString& path) {
  const LoadResult result = LoadWfmFile(FileSystemPath(path), record_, *sink_);
  if (result.acqDataSizeText) AcqDataSize->setText(U(*result.acqDataSizeText));
  if (!result.ok) return false;
  // The reference marks of channels 3 and 4 show only when the file has those channels.
  const bool upper = HasUpperChannels(record_);
  scene_.vrefLines[2].visible = upper;
  scene_.vrefLines[3].visible = upper;
  ResetView(view_, record_.header.Points);
  view_.WaveLoaded = true;
  draw(view_.StartIndex, view_.EndIndex, record_.header.TimeDiv);
  return true;
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
    playWfm(JoinPath(browser_->path(), name));
  } catch (const std::exception&) {
    // The file could not be played (no memory for it); the previous waveform stays.
  }
  // Whatever the load's outcome, as the operator expects the command to end.
  StatusPanel1->setText(U(messages::kConverted));
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
  }
  QDir::setCurrent(dataFolder_);
}

}  // namespace sondrix
