#include "app/readout_line.h"

#include <algorithm>

#include <QPainter>

#include "app/fitted_label.h"
#include "app/qt_text.h"
#include "app/wave_surface.h"

namespace sondrix {
namespace {

const QString kGap = QStringLiteral("  ");
constexpr double kSmallest = 0.75;

}  // namespace

ReadoutLine::ReadoutLine(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CursorReadout"));
}

void ReadoutLine::setPieces(std::vector<ReadoutPiece> pieces) {
  if (pieces == pieces_) return;
  pieces_ = std::move(pieces);
  update();
}

QString ReadoutLine::text() const {
  QStringList texts;
  for (const ReadoutPiece& piece : pieces_) texts.push_back(U(piece.text));
  return texts.join(kGap);
}

void ReadoutLine::paintEvent(QPaintEvent*) {
  if (pieces_.empty()) return;
  // The whole line is fitted as one text, then drawn piece by piece in that font, in colour.
  const FittedText fitted = FitText(font(), text(), width(), kSmallest);
  QPainter painter(this);
  painter.setFont(fitted.font);
  const QFontMetrics metrics(fitted.font);
  const int baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
  // A line cut short is a beginning of the full text and an ellipsis.
  const QString full = text();
  const bool cut = fitted.text != full;
  const qsizetype keep = cut ? fitted.text.size() - 1 : full.size();
  int x = 0;
  qsizetype at = 0;
  for (const ReadoutPiece& piece : pieces_) {
    const qsizetype end = std::min(at + U(piece.text).size() + kGap.size(), keep);
    QString shown = full.mid(at, end - at);
    if (end == keep && cut) shown += fitted.text.back();
    painter.setPen(ToQColor(piece.colour));
    painter.drawText(x, baseline, shown);
    if (end == keep) break;
    x += metrics.horizontalAdvance(shown);
    at = end;
  }
}

}  // namespace sondrix
