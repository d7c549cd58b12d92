#pragma once

#include <QPoint>
#include <QPolygonF>
#include <QWidget>

#include "app/line_mark.h"
#include "app/measurement_overlay.h"
#include "app/plot_painter.h"
#include "view/scene.h"

class QRubberBand;

namespace sondrix {

// The drawing surface: paints the graticule and the traces of a scene, 10 x 8 divisions over the
// whole widget. The two red cursor lines lie on it as controls of their own, so a redraw leaves
// them where they are, and so does the measurement table in its top left corner. It reports the
// mouse's wheel, double-click and drags for the window to zoom and pan by; its context menu holds
// the actions the window adds to it.
class WaveSurface final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kLeastBand = 5;  // pixels across; a shorter left drag is a click

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
  // A left drag drew a band, at least kLeastBand pixels wide, as fractions of the width from the
  // left and of the height from the top. A band less than kLeastBand pixels high spans the whole
  // height: a sideways drag zooms time alone.
  void bandDrawn(QRectF band);
  // A left press and release less than kLeastBand pixels apart, at the release.
  void clicked(QPointF at, Qt::KeyboardModifiers keys);
  // A middle drag, or a left one with Shift: started, then where the view is to be moved from
  // where it stood at the start, as fractions of the window (positive: later samples) and of
  // the range (positive: higher levels), so the traces follow the pointer.
  void panStarted();
  void panDragged(double across, double up);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  enum class Drag { None, Band, Pan };

  void placeCursors();
  // The pointer's position kept on the surface.
  QPoint onSurface(QPointF at) const;

  const Scene* scene_ = nullptr;
  double cursorX_ = 0.5;
  double cursorY_ = 0.5;
  LineMark* cLine_;
  LineMark* cLineY_;
  MeasurementOverlay* measurements_;
  QRubberBand* band_ = nullptr;  // made at the first band
  Drag drag_ = Drag::None;
  Qt::MouseButton dragButton_ = Qt::NoButton;  // the button whose release ends the drag
  QPoint pressedAt_;
  int wheelAngle_ = 0;  // eighths of a degree short of a whole notch, from fine-grained wheels
  QPolygonF points_;    // reused between paints
};

}  // namespace sondrix
