#pragma once

#include <QWidget>

#include "view/measurement_table.h"

namespace sondrix {

// The measurement table over a corner of the surface: the head row in white, a row per channel
// in its colour, the figures right-aligned, on a nearly opaque dark ground. On a small surface
// the columns go into two bands, one under the other, before the font gets smaller.
// It lets the mouse through to the surface under it.
class MeasurementOverlay final : public QWidget {
 public:
  explicit MeasurementOverlay(QWidget* parent);

  // Sizes itself to the table, in a font small enough to leave most of `room` (the surface) free.
  void setTable(MeasurementTable table, QSize room);
  // The surface changed size: the font is chosen again.
  void fitTo(QSize room);
  const MeasurementTable& table() const { return table_; }
  // How many bands of columns it shows, and whether the surface has room for all of it.
  int bands() const { return bands_; }
  bool whole() const { return whole_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QList<int> columnWidths(const QFontMetrics& metrics) const;
  QSize sizeIn(const QFont& font, int bands) const;

  MeasurementTable table_;
  int bands_ = 1;
  bool whole_ = true;
};

}  // namespace sondrix
