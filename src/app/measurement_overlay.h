#pragma once

#include <QWidget>

#include "view/measurement_table.h"

namespace sondrix {

// The measurement table over a corner of the surface: the head row in white, a row per channel
// in its colour, the figures right-aligned, on a dark ground that lets the traces show through.
// It lets the mouse through to the surface under it.
class MeasurementOverlay final : public QWidget {
 public:
  explicit MeasurementOverlay(QWidget* parent);

  // Sizes itself to the table, in a font small enough to leave most of `room` (the surface) free.
  void setTable(MeasurementTable table, QSize room);
  // The surface changed size: the font is chosen again.
  void fitTo(QSize room);
  const MeasurementTable& table() const { return table_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QList<int> columnWidths(const QFontMetrics& metrics) const;
  QSize sizeIn(const QFont& font) const;

  MeasurementTable table_;
};

}  // namespace sondrix
