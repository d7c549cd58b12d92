// Pictures of the waveform for a report from the surface's context menu: into a PNG, SVG or PDF
// file under a name chosen in the save dialog, or onto the clipboard.
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>

#include "app/file_dialog.h"
#include "app/messages.h"
#include "app/picture_file.h"
#include "app/qt_text.h"
#include "app/report_picture.h"
#include "app/scope_exit.h"
#include "app/split_path.h"
#include "app/wave_frame.h"
#include "app/waveform_panel.h"
#include "document/document.h"

namespace sondrix {

ReportContent WaveformPanel::reportContent() const {
  const QString capture = QFileInfo(QtPath(document_.source())).fileName();
  ReportContent content;
  content.scene = &document_.scene();
  content.title =
      MakeReportTitle(Std(capture), document_.record().header, document_.view(), document_.scene());
  if (CdCheck->checkState() == Qt::Unchecked) {
    const WaveSurface& surface = *waveFrame_->surface();
    content.cursors = QPointF(surface.cursorX(), surface.cursorY());
    content.mark = document_.markFraction();
    content.readouts = document_.readouts(false);
  }
  if (Measure->isChecked()) content.table = document_.measurements();
  return content;
}

QSize WaveformPanel::pictureSize() const {
  return waveFrame_->size() * waveFrame_->devicePixelRatio();
}

QString WaveformPanel::suggestedPicturePath() const {
  QString folder;
  QString name;
  SplitPath(picturePath_, folder, name);
  if (document_.source().empty()) return picturePath_;
  const QFileInfo capture(QtPath(document_.source()));
  if (!pictureSaved_) folder = capture.absolutePath();
  return JoinPath(folder,
                  capture.completeBaseName() + PictureExtension(PictureFormatOf(picturePath_)));
}

void WaveformPanel::SavePicture_Click() {
  // The run stores in the data folder again however the command ends.
  const ScopeExit restore([this] { document_.commandEnded(); });
  QString folder;
  QString name;
  SplitPath(suggestedPicturePath(), folder, name);
  // Taken before the dialog, which may cover the frame.
  const ReportContent content = reportContent();
  const QSize size = pictureSize();
  QString chosen = AskFileName(services_, document_,
                               {FileDialogMode::Save, name, U(messages::kSelectPictureTitle),
                                folder, U(messages::kPictureFilter)});
  if (chosen.isEmpty()) return;
  // A name without a picture's extension takes the last picture's format.
  const QString extension = PictureExtension(PictureFormatOf(chosen));
  if (!chosen.endsWith(extension, Qt::CaseInsensitive)) {
    chosen += PictureExtension(PictureFormatOf(picturePath_));
  }
  picturePath_ = chosen;
  pictureSaved_ = true;
  // A name that holds something else (a capture, a table, a folder) is refused with the reason,
  // as is a write the system fails; the old file stays whole either way.
  if (const QString failed = WriteReport(content, size, chosen); !failed.isEmpty()) {
    services_.showMessage(
        U(messages::kPictureSaveFailed) + u'\n' + QDir::toNativeSeparators(chosen) + u'\n' + failed,
        U(messages::kPictureSaveFailedTitle), MessageButtons::Ok);
    return;
  }
  status_.step->setText(U(messages::kPictureSaved));
  status_.detail->setText(chosen);
}

void WaveformPanel::CopyPicture_Click() {
  QGuiApplication::clipboard()->setImage(ReportImage(reportContent(), pictureSize()));
  status_.step->setText(U(messages::kPictureCopied));
}

}  // namespace sondrix
