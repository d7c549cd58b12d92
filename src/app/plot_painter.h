#pragma once

#include <QPainter>
#include <QPolygonF>
#include <QRectF>

#include "view/scene.h"

namespace sondrix {

QColor ToQColor(Rgb colour);

// How the plot's lines are drawn: `scale` times their widths on screen, each one-pixel line
// `devicePixel` units wide; a vector device strokes every line with a true pen, where a raster
// one draws a wide trace as one-pixel passes side by side.
struct PlotPens {
  double scale = 1.0;
  double devicePixel = 1.0;
  bool vector = false;
};

// The scene's graticule and traces with the surface's left and top edges at `area`'s and its
// right and bottom ones at `area`'s right and bottom coordinates, clipped to nothing: a trace
// far off the area is kept within four surfaces of it. `points` is reused between calls.
void PaintPlot(QPainter& painter, const QRectF& area, const Scene& scene, const PlotPens& pens,
               QPolygonF& points);

}  // namespace sondrix
