#include "app/numeric_text.h"

#include "numtext/leading_number.h"

namespace sondrix {

QString CheckNumericText(const QString& text, const QString& fallback) {
  return ParseLeadingNumber(text.toStdString()).overflow ? fallback : text;
}

double BoxNumber(const QString& text) { return Val(text.toStdString()); }

}  // namespace sondrix
