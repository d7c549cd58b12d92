#include "app/split_path.h"

#include <QFile>

#include "platform/path_rules.h"

namespace sondrix {

void SplitPath(const QString& path, QString& folder, QString& name) {
  const std::size_t at = LastSeparator(path.toStdU16String(), kHostPathStyle);
  if (at == PathView::npos) return;
  const auto split = static_cast<qsizetype>(at);
  folder = path.left(split);
  name = path.mid(split + 1);
}

QString JoinPath(const QString& folder, const QString& name) {
  return QString::fromStdU16String(
      JoinPathText(folder.toStdU16String(), name.toStdU16String(), kHostPathStyle));
}

std::filesystem::path FileSystemPath(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString QtPath(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

}  // namespace sondrix
