#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace sondrix {

// The window's texts are UTF-8 literals (messages.h) and the core takes UTF-8 std::string; these
// are the two crossings to and from Qt's text.
inline QString U(const char* text) { return QString::fromUtf8(text); }
inline QString U(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string Std(const QString& text) { return text.toStdString(); }

}  // namespace sondrix
