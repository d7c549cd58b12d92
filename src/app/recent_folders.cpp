#include "app/recent_folders.h"

#include "app/resume_file.h"

namespace sondrix {

QStringList WithRecentFolder(QStringList folders, const QString& folder) {
  folders.removeAll(folder);
  folders.prepend(folder);
  while (folders.size() > kRecentFolderCount) folders.removeLast();
  return folders;
}

QStringList ReadRecentFolders(const QString& path) {
  QStringList folders;
  for (const QString& line : ReadResumeLines(path).value_or(QStringList())) {
    if (!line.isEmpty() && !folders.contains(line) && folders.size() < kRecentFolderCount) {
      folders.push_back(line);
    }
  }
  return folders;
}

bool WriteRecentFolders(const QString& path, const QStringList& folders) {
  return WriteResumeLines(path, folders) == 0;
}

}  // namespace sondrix
