#pragma once

#include <QStringList>

namespace sondrix {

// `arguments` without the options that Qt's application takes for itself (-platform NAME,
// -style=NAME, -reverse, ... with one dash or two), so that the window's own options can be
// checked before any application exists, and need no display to be refused. Everything after
// "--" is kept as it is.
QStringList WithoutQtOptions(const QStringList& arguments);

}  // namespace sondrix
