#pragma once

#include <string>

#include <QString>

namespace sondrix {

// The window's texts are UTF-8 literals (messages.h) and the core takes UTF-8 std::string; these
// are the two crossings to and from Qt's text. Included by .cpp files only.
inline QString U(const char* text) { return QString::fromUtf8(text); }
inline QString U(const std::string& text) { return QString::fromStdString(text); }
inline std::string Std(const QString& text) { return text.toStdString(); }

}  // namespace sondrix
