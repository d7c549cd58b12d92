#include "app/wave_surface.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>

namespace sondrix {

namespace {

constexpr int kOverlayMargin = 4;  // pixels between the measurement table and the edges
constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;  // 120 eighths of a degree

}  // namespace

WaveSurface::WaveSurface(QWidget* parent)
    : QWidget(parent),
      cLine_(new LineMark(QStringLiteral("CLine"), ToQColor(kCursorRed), this)),
      cLineY_(new LineMark(QStringLiteral("CLineY"), ToQColor(kCursorRed), this)),
      measurements_(new MeasurementOverlay(this)) {
  setObjectName(QStringLiteral("DSOWave"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  // A click gives the plot the keys that step through the folder's captures.
  setFocusPolicy(Qt::ClickFocus);
  measurements_->move(kOverlayMargin, kOverlayMargin);
  placeCursors();
}

void WaveSurface::setScene(const Scene* scene) {
  scene_ = scene;
  update();
}

void WaveSurface::setCursorX(double fraction) {
  cursorX_ = fraction;
  placeCursors();
}

void WaveSurface::setCursorY(double fraction) {
  cursorY_ = fraction;
  placeCursors();
}

void WaveSurface::setCursorsVisible(bool visible) {
  cLine_->setVisible(visible);
  cLineY_->setVisible(visible);
}

void WaveSurface::resizeEvent(QResizeEvent*) {
  placeCursors();
  measurements_->fitTo(size());
}

void WaveSurface::wheelEvent(QWheelEvent* event) {
  wheelAngle_ += event->angleDelta().y();
  const int notches = wheelAngle_ / kNotch;
  wheelAngle_ -= notches * kNotch;
  event->accept();
  if (notches == 0 || width() < 2 || height() < 2) return;
  const QPointF at = event->position();
  emit wheelTurned(notches, event->modifiers().testFlag(Qt::ControlModifier),
                   QPointF(at.x() / (width() - 1), at.y() / (height() - 1)));
}

void WaveSurface::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
  event->accept();
  emit doubleClicked();
}

QPoint WaveSurface::onSurface(QPointF at) const {
  return QPoint(std::clamp(qRound(at.x()), 0, std::max(width() - 1, 0)),
                std::clamp(qRound(at.y()), 0, std::max(height() - 1, 0)));
}

void WaveSurface::mousePressEvent(QMouseEvent* event) {
  const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
  const bool left = event->button() == Qt::LeftButton;
  if (drag_ != Drag::None || width() < 2 || height() < 2 ||
      !(left || event->button() == Qt::MiddleButton)) {
    return QWidget::mousePressEvent(event);
  }
  event->accept();
  pressedAt_ = onSurface(event->position());
  dragButton_ = event->button();
  if (left && !shift) {
    drag_ = Drag::Band;
    if (!band_) band_ = new QRubberBand(QRubberBand::Rectangle, this);
    band_->setGeometry(QRect(pressedAt_, QSize()));
    band_->show();
  } else {
    drag_ = Drag::Pan;
    emit panStarted();
  }
}

void WaveSurface::mouseMoveEvent(QMouseEvent* event) {
  if (drag_ == Drag::None) return QWidget::mouseMoveEvent(event);
  event->accept();
  const QPoint at = onSurface(event->position());
  if (drag_ == Drag::Band) {
    band_->setGeometry(QRect(pressedAt_, at).normalized());
    return;
  }
  const QPoint moved = at - pressedAt_;
  emit panDragged(-moved.x() / double(width() - 1), moved.y() / double(height() - 1));
}

void WaveSurface::mouseReleaseEvent(QMouseEvent* event) {
  if (drag_ == Drag::None || event->button() != dragButton_) {
    return QWidget::mouseReleaseEvent(event);
  }
  event->accept();
  const Drag ended = std::exchange(drag_, Drag::None);
  if (ended == Drag::Pan) return;
  band_->hide();
  const QPoint at = onSurface(event->position());
  const double w = width() - 1, h = height() - 1;
  if (std::abs(at.x() - pressedAt_.x()) < kLeastBand) {
    emit clicked(QPointF(at.x() / w, at.y() / h), event->modifiers());
    return;
  }
  const QRect band = QRect(pressedAt_, at).normalized();
  const bool flat = std::abs(at.y() - pressedAt_.y()) < kLeastBand;
  emit bandDrawn(QRectF(QPointF(band.left() / w, flat ? 0.0 : band.top() / h),
                        QPointF(band.right() / w, flat ? 1.0 : band.bottom() / h)));
}

namespace {

// A fraction of a pixel extent as a pixel position; far-off fractions stay far off without
// overflowing the widget coordinates.
int PixelAt(double fraction, int extent) {
  if (!std::isfinite(fraction)) return 0;
  const double pixel = std::round(std::clamp(fraction, -4.0, 5.0) * (extent - 1));
  return static_cast<int>(pixel);
}

}  // namespace

void WaveSurface::placeCursors() {
  cLine_->placeVertical(PixelAt(cursorX_, width()), 0, height(), 1);
  cLineY_->placeHorizontal(0, width(), PixelAt(cursorY_, height()), 1);
}

void WaveSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const Graticule& grid = scene_ ? scene_->graticule : Graticule{};
  painter.fillRect(rect(), ToQColor(grid.background));
  if (!scene_) return;
  // Pixel centres of the first and last column and row, so that the edges stay visible.
  PaintPlot(painter, QRectF(0, 0, width() - 1, height() - 1), *scene_,
            {.devicePixel = 1.0 / devicePixelRatioF()}, points_);
}

}  // namespace sondrix
