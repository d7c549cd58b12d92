#pragma once

#include <filesystem>

#include <QString>

namespace sondrix {

// Splits `path` at its last separator ('\' or '/' on Windows, whose dialogs give either) into
// the folder before it and the name after it. Writes the outputs only when the path holds a
// separator, so a bare name leaves both as they were.
void SplitPath(const QString& path, QString& folder, QString& name);

// `folder`, the platform's separator and `name`, with no doubled separator after a root.
QString JoinPath(const QString& folder, const QString& name);

// The path as the file system needs it: UTF-16 on Windows, the locale's bytes elsewhere.
std::filesystem::path FileSystemPath(const QString& path);
// The inverse of FileSystemPath.
QString QtPath(const std::filesystem::path& path);

}  // namespace sondrix
