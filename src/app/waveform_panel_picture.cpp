// Pictures of the waveform frame from the surface's context menu: into a PNG file under a name
// chosen in the save dialog, or onto the clipboard.
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>

#include "app/file_dialog.h"
#include "app/messages.h"
#include "app/picture_file.h"
#include "app/qt_text.h"
#include "app/scope_exit.h"
#include "app/split_path.h"
#include "app/wave_frame.h"
#include "app/waveform_panel.h"
#include "document/document.h"

namespace sondrix {

void WaveformPanel::SavePicture_Click() {
  // The run stores in the data folder again however the command ends.
  const ScopeExit restore([this] { document_.commandEnded(); });
  QString folder;
  QString name;
  SplitPath(picturePath_, folder, name);
  // Taken before the dialog, which may cover the frame.
  const QImage picture = waveFrame_->picture();
  QString chosen = AskFileName(services_, document_,
                               {FileDialogMode::Save, name, U(messages::kSelectPictureTitle),
                                folder, U(messages::kPictureFilter)});
  if (chosen.isEmpty()) return;
  if (!chosen.endsWith(U(messages::kPictureExtension), Qt::CaseInsensitive)) {
    chosen += U(messages::kPictureExtension);
  }
  picturePath_ = chosen;
  // A name that holds something else (a capture, a table, a folder) is refused with the reason,
  // as is a write the system fails; the old file stays whole either way.
  if (const QString failed = WritePicture(picture, chosen); !failed.isEmpty()) {
    services_.showMessage(
        U(messages::kPictureSaveFailed) + u'\n' + QDir::toNativeSeparators(chosen) + u'\n' + failed,
        U(messages::kPictureSaveFailedTitle), MessageButtons::Ok);
    return;
  }
  status_.step->setText(U(messages::kPictureSaved));
  status_.detail->setText(chosen);
}

void WaveformPanel::CopyPicture_Click() {
  QGuiApplication::clipboard()->setImage(waveFrame_->picture());
  status_.step->setText(U(messages::kPictureCopied));
}

}  // namespace sondrix
