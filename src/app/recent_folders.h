#pragma once

#include <QString>
#include <QStringList>

namespace sondrix {

// The folders in which captures were played, newest first, kept in a file of their own beside
// the settings file (one folder a line, written as the settings file is written).
inline constexpr int kRecentFolderCount = 10;

// `folders` with `folder` first: moved there when listed, the oldest dropped beyond the count.
QStringList WithRecentFolder(QStringList folders, const QString& folder);
// The file's folders without blank lines and repeats; none when it cannot be read.
QStringList ReadRecentFolders(const QString& path);
// False when the file could not be written; any earlier file then stays whole.
bool WriteRecentFolders(const QString& path, const QStringList& folders);

}  // namespace sondrix
