#include "app/fitted_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace sondrix {
namespace {

constexpr double kPointStep = 0.5;  // fine enough that a caption loses little more than it must

QString ElidedAtWord(const QFontMetrics& metrics, const QString& text, int width) {
  const QString ellipsis(QChar(0x2026));
  for (qsizetype space = text.lastIndexOf(u' '); space > 0;
       space = text.lastIndexOf(u' ', space - 1)) {
    QString kept = text.left(space) + ellipsis;
    if (metrics.horizontalAdvance(kept) <= width) return kept;
  }
  return metrics.elidedText(text, Qt::ElideRight, width);
}

}  // namespace

FittedText FitText(const QFont& font, const QString& text, int width, double smallest) {
  if (QFontMetrics(font).horizontalAdvance(text) <= width) return {font, text};
  QFont smaller = font;
  const double size = font.pointSizeF();
  // A font sized in pixels is not made smaller; its text is only cut short.
  if (size > 0) {
    for (double points = size - kPointStep; points >= size * smallest; points -= kPointStep) {
      smaller.setPointSizeF(points);
      if (QFontMetrics(smaller).horizontalAdvance(text) <= width) return {smaller, text};
    }
    smaller.setPointSizeF(size * smallest);
  }
  return {smaller, ElidedAtWord(QFontMetrics(smaller), text, width)};
}

FittedLabel::FittedLabel(double smallest, QWidget* parent) : QLabel(parent), smallest_(smallest) {}

QSize FittedLabel::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void FittedLabel::paintEvent(QPaintEvent* event) {
  const QRect room = contentsRect();
  const FittedText fitted = FitText(font(), text(), room.width(), smallest_);
  if (fitted.text == text() && fitted.font == font()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  QStyleOption option;
  option.initFrom(this);
  style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);  // a style sheet's colour
  painter.setFont(fitted.font);
  const auto flags =
      static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment()).toInt());
  style()->drawItemText(&painter, room, flags, palette(), isEnabled(), fitted.text,
                        foregroundRole());
}

}  // namespace sondrix
