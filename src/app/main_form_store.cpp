// Storing the displayed waveform as a CSV file under a name chosen in the save dialog.
#include <QDir>

#include "app/held_buttons.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/qt_text.h"
#include "app/scope_exit.h"
#include "app/split_path.h"
#include "app/window_sink.h"
#include "csv/csv_layout.h"

namespace sondrix {

QString MainForm::ShowFileDialog(const QString& initialName, const QString& title,
                                 const QString& folder, const QString& filter,
                                 FileDialogMode mode) {
  // The one use of the process's current directory: a name the dialog is given or gives back
  // without its folder is taken in the run's folder.
  QDir::setCurrent(runFolder());
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
  const ExportResult written = document_.store(
      FileSystemPath(path), DataSkipFromText(Std(DataSkip->text())), *sink_, [this, &shownName] {
        StatusPanel1->setText(U(messages::kStoring));
        StatusPanel2->setText(shownName);
      });
  StatusPanel1->setText(U(written.ok() ? messages::kStored : messages::kStoreFailed));
  return written.ok();
}

void MainForm::SelResultFileFolder_Click() {
  // The run stores in the data folder again however the command ends.
  const ScopeExit restore([this] { document_.commandEnded(); });
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
