// Opening a file or folder named on the command line or dropped on the window.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/operation_panel.h"
#include "app/qt_text.h"
#include "app/split_path.h"

namespace sondrix {
namespace {

enum class Kind { Folder, Wfm, Csv, Missing, Hidden, Other };

Kind KindOf(const QFileInfo& info) {
  if (info.isDir()) return Kind::Folder;
  if (!info.exists()) return Kind::Missing;
  if (!info.isFile()) return Kind::Other;
  // The file list never shows hidden files, so no button could play one.
  if (info.isHidden()) return Kind::Hidden;
  // As the converter tells the two formats apart: by the name's ending, in any case.
  const std::optional<FileKind> wave = WaveFileKind(FileSystemPath(info.filePath()));
  if (!wave) return Kind::Other;
  return *wave == FileKind::Csv ? Kind::Csv : Kind::Wfm;
}

// The first local file or folder of a drag; empty when it carries none.
QString LocalPathOf(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return {};
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

void MainForm::openPath(const QString& path) {
  const QFileInfo info(path);
  const Kind kind = KindOf(info);
  const auto refuse = [&](const char* text, const QString& reason = {}) {
    QString shown = U(text) + u'\n' + QDir::toNativeSeparators(path);
    if (!reason.isEmpty()) shown += u'\n' + reason;
    services_.showMessage(shown, U(messages::kFileCheck), MessageButtons::Ok);
  };
  switch (kind) {
    case Kind::Folder:
      browser_->setPath(path);
      return;
    case Kind::Missing:
      refuse(messages::kNoPath);
      return;
    case Kind::Hidden:
      refuse(messages::kNotListed);
      return;
    case Kind::Other:
      refuse(messages::kNotWaveFile);
      return;
    case Kind::Wfm:
    case Kind::Csv:
      break;
  }
  // The operator's steps: open the folder, select the file and press its button. The pattern is
  // changed only when it does not list the file (the CSV button then chooses its own anyway).
  const bool csv = kind == Kind::Csv;
  if (!browser_->setPath(info.absolutePath())) return;
  if (!browser_->selectFile(info.fileName())) {
    browser_->selectFilter(csv ? 1 : 0);
    browser_->selectFile(info.fileName());
  }
  // The operator asked for exactly this file, so a file that could not be read is named with the
  // reader's reason, beyond the status bar's step.
  const QString failure = operation_->press(csv ? FileKind::Csv : FileKind::Wfm);
  if (!failure.isEmpty()) refuse(messages::kUnreadable, failure);
}

void MainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalPathOf(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent* event) {
  const QString path = LocalPathOf(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Opened once the drop has ended: the program the file came from waits for the drop's answer,
  // and a playback or a message box would hold it that long.
  QMetaObject::invokeMethod(
      this, [this, path] { openPath(path); }, Qt::QueuedConnection);
}

}  // namespace sondrix
