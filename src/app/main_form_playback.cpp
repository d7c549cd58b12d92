// Playing one WFM or CSV/TXT file of the browser's list.
#include <exception>
#include <utility>

#include <QDir>
#include <QStatusBar>

#include "app/file_browser.h"
#include "app/held_buttons.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/split_path.h"
#include "app/window_sink.h"
#include "csv/csv_reader.h"
#include "wfm/load_wfm.h"

namespace sondrix {

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

}  // namespace

bool MainForm::playWfm(const QString& path) {
  takeSmoothingControls();
  const LoadResult result =
      LoadWfmFile(FileSystemPath(path), record_, view_, smoothing_, scene_, *sink_);
  AcqDataSize->setText(QString::fromStdString(result.acqDataSizeText));
  showSmoothingControls();
  showScene();
  return result.read.ok();
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
    // Read into a copy: a file that stops on a bad header line leaves the record as it was, so
    // the waveform on screen, its zoom and a later store stay those of the previous file.
    WaveHeader header = record_.header;
    const CsvReadResult read = ReadCsvFile(FileSystemPath(JoinPath(browser_->path(), name)),
                                           record_.buffers.VoltData, header, *sink_);
    if (read.points < 0) {
      StatusPanel1->setText(U(messages::kCsvReadError));
    } else {
      record_.header = std::move(header);
      if (read.acqDataSizeText) AcqDataSize->setText(QString::fromStdString(*read.acqDataSizeText));
      VoltsToRaw(record_.header, record_.buffers);
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
