#include "app/measurement_overlay.h"

#include <algorithm>
#include <vector>

#include <QPainter>

#include "app/qt_text.h"
#include "app/wave_surface.h"

namespace sondrix {
namespace {

constexpr int kPadding = 4;  // pixels inside the ground
// Nearly opaque, so that no trace runs through the figures.
const QColor kGround(0, 0, 0, 232);
// The table takes at most this much of the surface's width and height. It keeps the window's
// own font where it can, in one band of columns or two (the channel column repeated); a
// surface too small for that takes a smaller font, down to kSmallestPoints.
constexpr double kWidthShare = 0.96;
constexpr double kHeightShare = 0.9;
constexpr double kSmallestPoints = 6.0;
constexpr double kPointStep = 0.5;

// Pixels between the columns: two thirds of a line, so a smaller font packs closer.
int ColumnGap(const QFontMetrics& metrics) { return std::max(4, metrics.height() * 2 / 3); }

// The columns of each band: all seven in one, or the extremes and the rest under them.
using Bands = std::vector<std::vector<std::size_t>>;
const Bands& BandsOf(int count) {
  static const Bands one{{0, 1, 2, 3, 4, 5, 6}};
  static const Bands two{{0, 1, 2, 3}, {0, 4, 5, 6}};
  return count == 1 ? one : two;
}

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

QSize MeasurementOverlay::sizeIn(const QFont& font, int bands) const {
  const QFontMetrics metrics(font);
  const QList<int> widths = columnWidths(metrics);
  int width = 0;
  for (const auto& band : BandsOf(bands)) {
    int across = 2 * kPadding + ColumnGap(metrics) * (static_cast<int>(band.size()) - 1);
    for (const std::size_t column : band) across += widths[static_cast<qsizetype>(column)];
    width = std::max(width, across);
  }
  const int rows = bands * (1 + static_cast<int>(table_.rows.size()));
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
  // A second band before a smaller font; a font sized in pixels keeps its size.
  const auto choose = [&] {
    for (const int count : {1, 2}) {
      if (fits(sizeIn(font, count))) return count;
    }
    return 0;
  };
  bands_ = choose();
  for (double points = font.pointSizeF(); bands_ == 0 && points > kSmallestPoints;
       points -= kPointStep) {
    font.setPointSizeF(points - kPointStep);
    bands_ = choose();
  }
  whole_ = bands_ != 0;
  if (!whole_) bands_ = 2;
  setFont(font);
  resize(sizeIn(font, bands_));
}

void MeasurementOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kGround);
  const QList<int> widths = columnWidths(fontMetrics());
  const int line = fontMetrics().height();
  // The channel column reads from the left, the figures line up on their right ends.
  const auto drawRow = [&](int top, const std::vector<std::size_t>& band, const auto& cells,
                           const QColor& colour) {
    painter.setPen(colour);
    int x = kPadding;
    for (const std::size_t column : band) {
      const int width = widths[static_cast<qsizetype>(column)];
      const Qt::Alignment align = (column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
      painter.drawText(QRect(x, top, width, line), static_cast<int>(align.toInt()),
                       U(cells[column]));
      x += width + ColumnGap(fontMetrics());
    }
  };
  int top = kPadding;
  for (const auto& band : BandsOf(bands_)) {
    drawRow(top, band, table_.head, Qt::white);
    top += line;
    for (const MeasurementRow& row : table_.rows) {
      drawRow(top, band, row.cells, ToQColor(row.colour));
      top += line;
    }
  }
}

}  // namespace sondrix
