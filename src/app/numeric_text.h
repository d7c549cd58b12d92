#pragma once

#include <QString>

namespace sondrix {

// The run's check of a number box: the text itself when its leading number can be held in a
// 64-bit float (a text without a number counts as 0 and passes), else `fallback`.
QString CheckNumericText(const QString& text, const QString& fallback);

// The leading number of a box's text, as the run reads its settings: 0 when there is none.
double BoxNumber(const QString& text);

}  // namespace sondrix
