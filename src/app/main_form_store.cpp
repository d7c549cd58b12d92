// Storing the displayed waveform as a CSV file under a name chosen in the save dialog.
#include <cstdint>
#include <span>
#include <vector>

#include <QDir>

#include "app/held_buttons.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/qt_text.h"
#include "app/scope_exit.h"
#include "app/split_path.h"
#include "app/window_sink.h"
#include "csv/csv_layout.h"
#include "csv/csv_writer.h"
#include "csv/to_volts.h"

namespace sondrix {

QString MainForm::ShowFileDialog(const QString& initialName, const QString& title,
                                 const QString& folder, const QString& filter,
                                 FileDialogMode mode) {
  const FileDialogRequest request{mode, initialName, title, folder, filter};
  const std::optional<QString> chosen = services_.showFileDialog(request);
  services_.pumpEvents();
  if (!chosen) {
    services_.pumpEvents();
    return {};
  }
  return *chosen;
}

bool MainForm::storeDisplayed(const QString& path, const QString& shownName) {
  const HeldButtons held{BinToCsvConvert, InputDsTypeCsvFile, SelResultFileFolder, Start};
  takeSmoothingControls();
  // A smoothed display stores the smoothing of the whole record at the width last applied, not
  // only of the window on screen.
  std::vector<std::int16_t> smoothed;
  CountsOfChannel counts;
  if (smoothing_.mode != SmoothingMode::SourceOnly) {
    counts = [this, &smoothed](int ch) {
      SmoothWholeRecord(record_, ch, smoothing_.lastValidWidth, smoothed);
      return std::span<const std::int16_t>(smoothed);
    };
  }
  // A channel whose volts do not fit a float is stored as zeros; the file is still written.
  ToVoltsForDisplayed(record_, counts);
  StatusPanel1->setText(U(messages::kStoring));
  StatusPanel2->setText(shownName);
  const CsvWriteResult written =
      WriteCsvFile(FileSystemPath(path), record_.header, record_.buffers.VoltData,
                   DataSkipFromText(DataSkip->text().toStdString()), *sink_);
  StatusPanel1->setText(U(written.ok() ? messages::kStored : messages::kStoreFailed));
  return written.ok();
}

void MainForm::SelResultFileFolder_Click() {
  // The dialog may have moved the current directory; it is put back however the command ends.
  const ScopeExit restore([folder = dataFolder_] { QDir::setCurrent(folder); });
  if (csvFolder_.isEmpty()) csvFolder_ = JoinPath(dataFolder_, U(messages::kOutputFolder));
  QString chosen = ShowFileDialog(csvPath_, U(messages::kSelectCsvTitle), csvFolder_,
                                  U(messages::kCsvFilter), FileDialogMode::Save);
  if (chosen.isEmpty()) {
    services_.showMessage(U(messages::kStoreCancelled), U(messages::kZeroTitle),
                          MessageButtons::Ok);
  } else {
    // The whole path is tested, so a folder named like "x.csv" also counts as an extension.
    if (!chosen.toUpper().contains(U(messages::kCsvExtension)))
      chosen += U(messages::kCsvExtension);
    csvPath_ = chosen;
    QString name;
    SplitPath(csvPath_, csvFolder_, name);
    if (!storeDisplayed(csvPath_, csvPath_)) {
      services_.showMessage(U(messages::kStoreFailed), U(messages::kStoreFailedTitle),
                            MessageButtons::Ok);
    }
  }
}

}  // namespace sondrix
