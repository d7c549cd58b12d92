#pragma once

#include <QPolygonF>
#include <QWidget>

#include "app/line_mark.h"
#include "app/measurement_overlay.h"
#include "view/scene.h"

namespace sondrix {

QColor ToQColor(Rgb colour);

// The drawing surface: paints the graticule and the traces of a scene, 10 x 8 divisions over the
// whole widget. The two red cursor lines lie on it as controls of their own, so a redraw leaves
// them where they are, and so does the measurement table in its top left corner. It reports the
// mouse's wheel and double-click for the window to zoom by; its context menu holds the actions
// the window adds to it.
class WaveSurface final : public QWidget {
  Q_OBJECT

 public:
  explicit WaveSurface(QWidget* parent);

  // The scene to paint; it must outlive the surface or be replaced.
  void setScene(const Scene* scene);

  // Cursor positions as fractions of the width from the left and of the height from the top.
  void setCursorX(double fraction);
  void setCursorY(double fraction);
  double cursorX() const { return cursorX_; }
  double cursorY() const { return cursorY_; }
  void setCursorsVisible(bool visible);

  LineMark* timeCursor() const { return cLine_; }
  LineMark* levelCursor() const { return cLineY_; }
  MeasurementOverlay* measurements() const { return measurements_; }

 signals:
  // Whole notches of the wheel (positive away from the operator) at the pointer, as fractions of
  // the width from the left and of the height from the top; `level` with the Ctrl key held.
  void wheelTurned(int notches, bool level, QPointF pointer);
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void placeCursors();

  const Scene* scene_ = nullptr;
  double cursorX_ = 0.5;
  double cursorY_ = 0.5;
  LineMark* cLine_;
  LineMark* cLineY_;
  MeasurementOverlay* measurements_;
  int wheelAngle_ = 0;  // eighths of a degree short of a whole notch, from fine-grained wheels
  QPolygonF points_;    // reused between paints
};

}  // namespace sondrix
