#pragma once

#include <memory>

#include <QTranslator>

namespace sondrix {

// Qt's own texts (the buttons of message boxes, the file dialog, the context menus of text boxes)
// in Japanese, whatever the system's language: the window speaks nothing else. Null when the
// translations are not installed; the window then runs with Qt's English texts.
std::unique_ptr<QTranslator> LoadQtJapanese();

}  // namespace sondrix
