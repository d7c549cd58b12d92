#include "app/split_path.h"

#include <QDir>

namespace sondrix {

void SplitPath(const QString& path, QString& folder, QString& name) {
  const qsizetype at = path.lastIndexOf(QDir::separator());
  if (at < 0) return;
  folder = path.left(at);
  name = path.mid(at + 1);
}

QString JoinPath(const QString& folder, const QString& name) {
  if (folder.endsWith(QDir::separator())) return folder + name;
  return folder + QDir::separator() + name;
}

}  // namespace sondrix
