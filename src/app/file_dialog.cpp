#include "app/file_dialog.h"

#include <optional>

#include <QDir>

#include "app/qt_text.h"
#include "document/document.h"

namespace sondrix {

QString AskFileName(PlatformServices& services, const Document& document,
                    const FileDialogRequest& request) {
  // The one use of the process's current directory: the dialog resolves bare names there.
  QDir::setCurrent(U(document.runFolder()));
  const std::optional<QString> chosen = services.showFileDialog(request);
  services.pumpEvents();
  if (!chosen) {
    services.pumpEvents();
    return {};
  }
  return *chosen;
}

}  // namespace sondrix
