#include "app/report_picture.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "app/picture_file.h"
#include "app/plot_painter.h"
#include "app/qt_text.h"

namespace sondrix {
namespace {

// The text's pixel size for each unit of the picture's width, or of 10/8 of its height where
// that is smaller: 12 pixels, the screen's, in a 660 x 528 picture, 25 in a 1920 x 1080 one.
constexpr double kTextShare = 1.0 / 55;
constexpr int kSmallestText = 8;
// At this text size the plot's lines are as wide as on screen.
constexpr double kScreenTextPixels = 12;

// The sizes everything is drawn at, from the picture's.
struct Measures {
  QFont font;
  double line;   // a line of text
  double pad;    // around the picture and between the strip and the graticule
  double gap;    // between the pieces of a row of texts
  double scale;  // of the plot's lines
};

Measures MeasuresFor(QSize size, QPaintDevice* device) {
  QFont font;
  font.setPixelSize(std::max(
      kSmallestText,
      static_cast<int>(std::lround(std::min(size.width(), size.height() * 10 / 8) * kTextShare))));
  const QFontMetricsF metrics(font, device);
  return {font, metrics.height(), font.pixelSize() * 0.5, metrics.horizontalAdvance(u'M') * 1.5,
          font.pixelSize() / kScreenTextPixels};
}

// The pieces in rows no wider than `width`; a piece wider than that has a row of its own.
std::vector<std::vector<ReadoutPiece>> Rows(const std::vector<ReadoutPiece>& pieces,
                                            const QFontMetricsF& metrics, double width,
                                            double gap) {
  std::vector<std::vector<ReadoutPiece>> rows;
  double used = 0;
  for (const ReadoutPiece& piece : pieces) {
    const double advance = metrics.horizontalAdvance(U(piece.text));
    if (rows.empty() || used + gap + advance > width) {
      rows.emplace_back();
      used = -gap;
    }
    rows.back().push_back(piece);
    used += gap + advance;
  }
  return rows;
}

void DrawRows(QPainter& painter, const std::vector<std::vector<ReadoutPiece>>& rows, QPointF at,
              const Measures& measures) {
  const QFontMetricsF metrics(painter.font(), painter.device());
  for (const auto& row : rows) {
    double x = at.x();
    for (const ReadoutPiece& piece : row) {
      painter.setPen(ToQColor(piece.colour));
      painter.drawText(QPointF(x, at.y() + metrics.ascent()), U(piece.text));
      x += metrics.horizontalAdvance(U(piece.text)) + measures.gap;
    }
    at.ry() += measures.line;
  }
}

// The table across `width` from `at`, its font made smaller until every column fits; the
// channel column reads from the left, the figures line up on their right ends.
void DrawTable(QPainter& painter, const MeasurementTable& table, QPointF at, double width,
               const Measures& measures) {
  QFont font = measures.font;
  const auto widths = [&](const QFontMetricsF& metrics) {
    std::array<double, kMeasurementColumns> result{};
    for (std::size_t column = 0; column < kMeasurementColumns; ++column) {
      result[column] = metrics.horizontalAdvance(U(table.head[column]));
      for (const MeasurementRow& row : table.rows) {
        result[column] = std::max(result[column], metrics.horizontalAdvance(U(row.cells[column])));
      }
    }
    return result;
  };
  const auto total = [](const auto& columns) {
    double sum = 0;
    for (const double w : columns) sum += w;
    return sum;
  };
  QFontMetricsF metrics(font, painter.device());
  std::array<double, kMeasurementColumns> columns = widths(metrics);
  const double least = measures.gap * (kMeasurementColumns - 1);
  while (total(columns) + least > width && font.pixelSize() > kSmallestText) {
    font.setPixelSize(font.pixelSize() - 1);
    metrics = QFontMetricsF(font, painter.device());
    columns = widths(metrics);
  }
  const double gap = std::max(measures.gap, (width - total(columns)) / (kMeasurementColumns - 1));
  painter.save();
  painter.setFont(font);
  const auto drawRow = [&](const auto& cells, const QColor& colour) {
    painter.setPen(colour);
    double x = at.x();
    for (std::size_t column = 0; column < kMeasurementColumns; ++column) {
      const Qt::Alignment align = (column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
      painter.drawText(QRectF(x, at.y(), columns[column], metrics.height()),
                       static_cast<int>(align.toInt()), U(cells[column]));
      x += columns[column] + gap;
    }
    at.ry() += metrics.height();
  };
  drawRow(table.head, Qt::white);
  for (const MeasurementRow& row : table.rows) drawRow(row.cells, ToQColor(row.colour));
  painter.restore();
}

double TableHeight(const MeasurementTable& table, const Measures& measures) {
  return measures.line * static_cast<double>(1 + table.rows.size());
}

bool Within(double fraction) { return fraction >= 0.0 && fraction <= 1.0; }

// Where everything goes: the graticule takes the width the level marks leave, or the height the
// texts leave, each row of texts counted at the width it wraps to; the whole is centred.
struct Layout {
  Measures measures;
  std::vector<std::vector<ReadoutPiece>> scaleRows;
  std::vector<std::vector<ReadoutPiece>> readoutRows;
  QRectF graticule;
  double top = 0;    // of the title strip
  double marks = 0;  // the level marks' length
  double tick = 0;   // the trigger tick's length
};

Layout LayOut(QPaintDevice* device, QSize size, const ReportContent& content) {
  Layout layout;
  layout.measures = MeasuresFor(size, device);
  const Measures& measures = layout.measures;
  const QFontMetricsF metrics(measures.font, device);
  const double width = size.width();
  const double height = size.height();
  const double tickShare = kDelayTickLength * kDivisionsY / kDivisionsX;
  double across = (width - 2 * measures.pad) / (1 + kLevelMarkLength);
  double texts = 0;
  // A narrower graticule may wrap a row more, so the fit is taken again from it.
  for (int pass = 0; pass < 3; ++pass) {
    layout.scaleRows =
        Rows(content.title.scales, metrics, across * (1 + kLevelMarkLength), measures.gap);
    layout.readoutRows = Rows(content.readouts, metrics, across, measures.gap);
    texts = 2 * measures.pad + measures.line * static_cast<double>(1 + layout.scaleRows.size()) +
            measures.pad + measures.line * static_cast<double>(1 + layout.readoutRows.size()) +
            (content.table ? TableHeight(*content.table, measures) : 0.0);
    const double high = (height - texts) / (kDivisionsY / double(kDivisionsX) + tickShare);
    across = std::max(1.0, std::min(across, high));
  }
  const double down = across * kDivisionsY / kDivisionsX;
  layout.tick = across * tickShare;
  layout.marks = across * kLevelMarkLength;
  layout.top = std::max(0.0, (height - texts - down - layout.tick) / 2) + measures.pad;
  const double stripHeight =
      measures.line * static_cast<double>(1 + layout.scaleRows.size()) + measures.pad;
  layout.graticule = QRectF((width - across - layout.marks) / 2 + layout.marks,
                            layout.top + stripHeight, across, down);
  return layout;
}

}  // namespace

ReportLayout LayOutReport(QPaintDevice* device, QSize size, const ReportContent& content) {
  const Layout layout = LayOut(device, size, content);
  return {layout.measures.font.pixelSize(), layout.graticule};
}

void PaintReport(QPainter& painter, QSize size, const ReportContent& content, bool vector) {
  const Scene& scene = *content.scene;
  painter.fillRect(QRectF(QPointF(), QSizeF(size)), ToQColor(scene.graticule.background));
  const Layout layout = LayOut(painter.device(), size, content);
  const Measures& measures = layout.measures;
  painter.setFont(measures.font);
  const QFontMetricsF metrics(measures.font, painter.device());
  const PlotPens pens{.scale = measures.scale, .vector = vector};
  // Whole pixels on a raster, so that a line keeps one width along its length.
  const auto pen = [&](double pixels) {
    return vector ? pixels * measures.scale : std::max(1.0, std::round(pixels * measures.scale));
  };
  const QRectF& area = layout.graticule;
  const double left = area.left();
  const double across = area.width();
  const double down = area.height();
  const double marks = layout.marks;
  const double tick = layout.tick;
  double y = layout.top;

  // The title strip starts where the level marks do.
  const double strip = across + marks;
  painter.setPen(Qt::white);
  painter.drawText(QRectF(left - marks, y, strip, measures.line), Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(U(content.title.heading), Qt::ElideMiddle, strip));
  y += measures.line;
  DrawRows(painter, layout.scaleRows, QPointF(left - marks, y), measures);
  QPolygonF points;
  PaintPlot(painter, area, scene, pens, points);
  for (const LevelMark& mark : scene.vrefLines) {
    if (!mark.visible || !Within(mark.y)) continue;
    painter.setPen(QPen(ToQColor(mark.colour), pen(2)));
    const double at = area.top() + mark.y * down;
    painter.drawLine(QPointF(left - marks, at), QPointF(left, at));
  }
  if (scene.delayMark.visible && Within(scene.delayMark.x)) {
    painter.setPen(QPen(ToQColor(scene.delayMark.colour), pen(2)));
    const double at = left + scene.delayMark.x * across;
    painter.drawLine(QPointF(at, area.bottom()), QPointF(at, area.bottom() + tick));
  }
  if (content.cursors) {
    painter.setPen(QPen(ToQColor(kCursorRed), pen(1)));
    if (Within(content.cursors->x())) {
      const double at = left + content.cursors->x() * across;
      painter.drawLine(QPointF(at, area.top()), QPointF(at, area.bottom()));
    }
    if (Within(content.cursors->y())) {
      const double at = area.top() + content.cursors->y() * down;
      painter.drawLine(QPointF(left, at), QPointF(area.right(), at));
    }
  }

  y = area.bottom() + tick;
  painter.setPen(Qt::white);
  const auto caption = [&](const Caption& text, Qt::Alignment align) {
    if (text.visible) {
      painter.drawText(QRectF(left, y, across, measures.line), static_cast<int>(align.toInt()),
                       U(text.text));
    }
  };
  caption(scene.xsLabel, Qt::AlignLeft | Qt::AlignVCenter);
  caption(scene.xcLabel, Qt::AlignHCenter | Qt::AlignVCenter);
  caption(scene.xeLabel, Qt::AlignRight | Qt::AlignVCenter);
  y += measures.line;
  DrawRows(painter, layout.readoutRows, QPointF(left, y), measures);
  y += measures.line * static_cast<double>(layout.readoutRows.size());
  if (content.table) DrawTable(painter, *content.table, QPointF(left, y), across, measures);
}

QImage ReportImage(const ReportContent& content, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  PaintReport(painter, size, content, false);
  return image;
}

QString WriteReport(const ReportContent& content, QSize size, const QString& path) {
  if (QString refused = PictureTargetCheck(path); !refused.isEmpty()) return refused;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QString title = U(content.title.heading);
  switch (PictureFormatOf(path)) {
    case PictureFormat::Png:
      if (!ReportImage(content, size).save(&buffer, "PNG")) {
        return QStringLiteral("the picture cannot be encoded as PNG");
      }
      break;
    case PictureFormat::Svg: {
      QSvgGenerator svg;
      svg.setOutputDevice(&buffer);
      svg.setSize(size);
      svg.setViewBox(QRect(QPoint(), size));
      svg.setTitle(title);
      QPainter painter(&svg);
      PaintReport(painter, size, content, true);
      break;
    }
    case PictureFormat::Pdf: {
      QPdfWriter pdf(&buffer);
      // One point a pixel: the page is the picture's size.
      pdf.setResolution(72);
      pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
      pdf.setPageMargins(QMarginsF());
      pdf.setTitle(title);
      QPainter painter(&pdf);
      PaintReport(painter, size, content, true);
      break;
    }
  }
  return WritePictureBytes(bytes, path);
}

}  // namespace sondrix
