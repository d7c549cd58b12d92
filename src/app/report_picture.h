#pragma once

#include <optional>
#include <vector>

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include "view/measurement_table.h"
#include "view/readouts.h"
#include "view/report_title.h"
#include "view/scene.h"

class QPaintDevice;
class QPainter;

namespace sondrix {

// What a picture for a report shows: the title strip, the graticule with the traces, the level
// and trigger marks and the cursors as lines when they are shown, the time captions, the
// cursors' read-outs and the measurement table when there is one. No control is drawn.
struct ReportContent {
  const Scene* scene = nullptr;  // must be set
  ReportTitle title;
  std::optional<QPointF> cursors;  // fractions of the graticule from the left and the top
  std::vector<ReadoutPiece> readouts;
  std::optional<MeasurementTable> table;
};

// Where a picture of `size` units on `device` puts the graticule, and its text size in units.
struct ReportLayout {
  int textPixels = 0;
  QRectF graticule;
};
ReportLayout LayOutReport(QPaintDevice* device, QSize size, const ReportContent& content);

// The picture of `size` units: the graticule as large as the picture's width or height lets it
// be at 10 : 8, text and lines grown with it. `vector` strokes every line with a true pen.
void PaintReport(QPainter& painter, QSize size, const ReportContent& content, bool vector);

// The picture as pixels, for the clipboard and PNG files.
QImage ReportImage(const ReportContent& content, QSize size);

// Writes the picture as `path` in the format its extension names (PNG, SVG or PDF), once the
// name may take it (see PictureTargetCheck); empty, or why there is no file.
QString WriteReport(const ReportContent& content, QSize size, const QString& path);

}  // namespace sondrix
