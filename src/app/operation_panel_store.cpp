// Storing the displayed waveform as a CSV file under a name chosen in the save dialog.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/file_dialog.h"
#include "app/held_buttons.h"
#include "app/messages.h"
#include "app/operation_panel.h"
#include "app/qt_text.h"
#include "app/scope_exit.h"
#include "app/split_path.h"
#include "app/waveform_panel.h"
#include "app/window_sink.h"
#include "csv/csv_layout.h"
#include "document/document.h"

namespace sondrix {

bool OperationPanel::storeDisplayed(const QString& path, const QString& shownName) {
  const HeldButtons held{BinToCsvConvert, InputDsTypeCsvFile, SelResultFileFolder, Start};
  links_.waveform.takeSmoothingControls();
  const ExportResult written =
      links_.document.store(FileSystemPath(path), DataSkipFromText(Std(DataSkip->text())),
                            links_.sink, [this, &shownName] {
                              links_.status.step->setText(U(messages::kStoring));
                              links_.status.detail->setText(shownName);
                            });
  links_.status.step->setText(U(written.ok() ? messages::kStored : messages::kStoreFailed));
  return written.ok();
}

void OperationPanel::SelResultFileFolder_Click() {
  // The run stores in the data folder again however the command ends.
  const ScopeExit restore([this] { links_.document.commandEnded(); });
  if (csvFolder_.isEmpty())
    csvFolder_ = JoinPath(U(links_.document.dataFolder()), U(messages::kOutputFolder));
  QString chosen = AskFileName(links_.services, links_.document,
                               {FileDialogMode::Save, csvPath_, U(messages::kSelectCsvTitle),
                                csvFolder_, U(messages::kCsvFilter)});
  if (chosen.isEmpty()) {
    links_.services.showMessage(U(messages::kStoreCancelled), U(messages::kZeroTitle),
                                MessageButtons::Ok);
  } else {
    // The whole path is tested, so a folder named like "x.csv" also counts as an extension.
    if (!chosen.toUpper().contains(U(messages::kCsvExtension)))
      chosen += U(messages::kCsvExtension);
    csvPath_ = chosen;
    QString name;
    SplitPath(csvPath_, csvFolder_, name);
    if (!storeDisplayed(csvPath_, csvPath_)) {
      links_.services.showMessage(U(messages::kStoreFailed), U(messages::kStoreFailedTitle),
                                  MessageButtons::Ok);
    }
  }
}

}  // namespace sondrix
