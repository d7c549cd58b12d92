#include "app/split_path.h"

#include <algorithm>

#include <QDir>
#include <QFile>

namespace sondrix {

void SplitPath(const QString& path, QString& folder, QString& name) {
#ifdef Q_OS_WIN
  // Paths from Qt's own dialogs may carry '/' on Windows too.
  const qsizetype at = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
#else
  const qsizetype at = path.lastIndexOf(QDir::separator());
#endif
  if (at < 0) return;
  folder = path.left(at);
  name = path.mid(at + 1);
}

QString JoinPath(const QString& folder, const QString& name) {
  if (folder.endsWith(QDir::separator())) return folder + name;
  return folder + QDir::separator() + name;
}

std::filesystem::path FileSystemPath(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

}  // namespace sondrix
