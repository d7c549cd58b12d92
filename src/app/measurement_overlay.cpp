#include "app/measurement_overlay.h"

#include <QPainter>

#include "app/qt_text.h"
#include "app/wave_surface.h"

namespace sondrix {
namespace {

constexpr int kPadding = 4;     // pixels inside the ground
constexpr int kColumnGap = 12;  // pixels between the columns
const QColor kGround(0, 0, 0, 176);
// The table takes at most this much of the surface's width and height, in a font made smaller
// for it down to kSmallestPoints.
constexpr double kWidthShare = 0.75;
constexpr double kHeightShare = 0.6;
constexpr double kSmallestPoints = 6.0;
constexpr double kPointStep = 0.5;

}  // namespace

MeasurementOverlay::MeasurementOverlay(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MeasureTable"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

QList<int> MeasurementOverlay::columnWidths(const QFontMetrics& metrics) const {
  QList<int> widths;
  for (std::size_t column = 0; column < kMeasurementColumns; ++column) {
    int width = metrics.horizontalAdvance(U(table_.head[column]));
    for (const MeasurementRow& row : table_.rows) {
      width = std::max(width, metrics.horizontalAdvance(U(row.cells[column])));
    }
    widths.push_back(width);
  }
  return widths;
}

QSize MeasurementOverlay::sizeIn(const QFont& font) const {
  const QFontMetrics metrics(font);
  const QList<int> widths = columnWidths(metrics);
  int width = 2 * kPadding + kColumnGap * (static_cast<int>(widths.size()) - 1);
  for (const int w : widths) width += w;
  const int rows = 1 + static_cast<int>(table_.rows.size());
  return {width, 2 * kPadding + rows * metrics.height()};
}

void MeasurementOverlay::setTable(MeasurementTable table, QSize room) {
  table_ = std::move(table);
  fitTo(room);
  update();
}

void MeasurementOverlay::fitTo(QSize room) {
  QFont font = parentWidget() ? parentWidget()->font() : this->font();
  const auto fits = [&](const QSize size) {
    return size.width() <= room.width() * kWidthShare &&
           size.height() <= room.height() * kHeightShare;
  };
  // A font sized in pixels keeps its size.
  for (double points = font.pointSizeF(); points > kSmallestPoints && !fits(sizeIn(font));
       points -= kPointStep) {
    font.setPointSizeF(points - kPointStep);
  }
  setFont(font);
  resize(sizeIn(font));
}

void MeasurementOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kGround);
  const QList<int> widths = columnWidths(fontMetrics());
  const int line = fontMetrics().height();
  // The channel column reads from the left, the figures line up on their right ends.
  const auto drawRow = [&](int top, const auto& cells, const QColor& colour) {
    painter.setPen(colour);
    int x = kPadding;
    for (std::size_t column = 0; column < kMeasurementColumns; ++column) {
      const int width = widths[static_cast<qsizetype>(column)];
      const Qt::Alignment align = (column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
      painter.drawText(QRect(x, top, width, line), static_cast<int>(align.toInt()),
                       U(cells[column]));
      x += width + kColumnGap;
    }
  };
  drawRow(kPadding, table_.head, Qt::white);
  int top = kPadding + line;
  for (const MeasurementRow& row : table_.rows) {
    drawRow(top, row.cells, ToQColor(row.colour));
    top += line;
  }
}

}  // namespace sondrix
