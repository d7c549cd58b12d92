#include "app/readout_line.h"

#include <algorithm>

#include <QPainter>

#include "app/qt_text.h"
#include "app/wave_surface.h"

namespace sondrix {
namespace {

const QString kGap = QStringLiteral("  ");
constexpr double kSmallest = 0.75;
constexpr double kPointStep = 0.5;

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

ReadoutLine::Layout ReadoutLine::layOut(const QFont& font) const {
  const QFontMetrics metrics(font);
  const int lines = std::max(1, height() / std::max(1, metrics.height()));
  Layout layout{font, {}, true};
  int x = 0;
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    const int advance = metrics.horizontalAdvance(U(pieces_[i].text));
    // A piece is never split: it starts a line of its own when the line has no room left for it.
    if (layout.lineStarts.empty() || (x > 0 && x + advance > width())) {
      if (static_cast<int>(layout.lineStarts.size()) == lines) {
        layout.whole = false;
        layout.shown = i;
        return layout;
      }
      layout.lineStarts.push_back(i);
      x = 0;
    }
    if (x + advance > width()) layout.whole = false;  // one piece wider than the line
    x += advance + metrics.horizontalAdvance(kGap);
  }
  layout.shown = pieces_.size();
  return layout;
}

ReadoutLine::Layout ReadoutLine::layOut() const {
  // The whole text in its own size if it fits the lines, else in a smaller one down to three
  // quarters; only then the pieces that do not fit are left out, an ellipsis in their place.
  QFont font = this->font();
  const double size = font.pointSizeF();
  Layout layout = layOut(font);
  for (double points = size - kPointStep; !layout.whole && size > 0 && points >= size * kSmallest;
       points -= kPointStep) {
    font.setPointSizeF(points);
    layout = layOut(font);
  }
  return layout;
}

bool ReadoutLine::showsAll() const { return layOut().whole; }

void ReadoutLine::paintEvent(QPaintEvent*) {
  if (pieces_.empty()) return;
  const Layout layout = layOut();
  QPainter painter(this);
  painter.setFont(layout.font);
  const QFontMetrics metrics(layout.font);
  const int lineHeight = metrics.height();
  const int used = static_cast<int>(layout.lineStarts.size()) * lineHeight;
  // The lines sit together in the middle of the room.
  int top = std::max(0, (height() - used) / 2);
  int x = 0;
  std::size_t line = 0;
  for (std::size_t i = 0; i < layout.shown; ++i) {
    if (line < layout.lineStarts.size() && layout.lineStarts[line] == i) {
      if (line > 0) top += lineHeight;
      ++line;
      x = 0;
    }
    const QString shown = U(pieces_[i].text);
    painter.setPen(ToQColor(pieces_[i].colour));
    painter.drawText(QRect(x, top, width() - x, lineHeight),
                     static_cast<int>((Qt::AlignLeft | Qt::AlignVCenter).toInt()), shown);
    x += metrics.horizontalAdvance(shown + kGap);
  }
  if (layout.shown < pieces_.size()) {
    painter.setPen(Qt::white);
    painter.drawText(QRect(x, top, std::max(0, width() - x), lineHeight),
                     static_cast<int>((Qt::AlignLeft | Qt::AlignVCenter).toInt()),
                     QString(QChar(0x2026)));
  }
}

}  // namespace sondrix
