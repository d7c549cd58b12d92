// The display controls: smoothing choice and width, zoom (with the mouse too), cursors and their
// read-outs, the measurement table.
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QRectF>
#include <QSlider>

#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "app/waveform_panel.h"
#include "document/document.h"

namespace sondrix {

namespace {

// Writes a box only when its text changes, so the operator's caret is not disturbed.
void SetBoxText(QLineEdit* box, const std::string& text) {
  const QString shown = U(text);
  if (box->text() != shown) box->setText(shown);
}

}  // namespace

void WaveformPanel::takeSmoothingControls() {
  const int checked = smOptionGroup->checkedId();
  document_.takeSmoothing(static_cast<SmoothingMode>(checked < 0 ? 0 : checked),
                          Std(SmPoints->text()));
}

void WaveformPanel::showDrawn() {
  SetBoxText(SmPoints, document_.smoothing().widthText);
  showScene();
}

void WaveformPanel::showWhole() {
  takeSmoothingControls();
  document_.showWhole();
  showDrawn();
}

void WaveformPanel::showPointCount(const QString& text) { AcqDataSize->setText(text); }

void WaveformPanel::placeCursors() {
  SliderX_Change(waveFrame_->sliderX()->value());
  SliderY_Change(waveFrame_->sliderY()->value());
}

void WaveformPanel::showScene() {
  waveFrame_->showScene(&document_.scene());
  showReadouts();
  showMeasurements();
}

void WaveformPanel::showReadouts() {
  const bool shown = CdCheck->checkState() == Qt::Unchecked;
  waveFrame_->showReadouts(shown ? document_.readouts() : std::vector<ReadoutPiece>{});
}

void WaveformPanel::showMeasurements() {
  waveFrame_->showMeasurements(Measure->isChecked() ? document_.measurements() : std::nullopt);
}

void WaveformPanel::Measure_Click() { showMeasurements(); }

void WaveformPanel::smOption_Click(int) {
  takeSmoothingControls();
  document_.redraw();
  showDrawn();
}

void WaveformPanel::SmPoints_KeyPress() {
  takeSmoothingControls();
  document_.redraw();
  showDrawn();
}

ZoomBoxes WaveformPanel::zoomBoxes() const {
  return {Std(ZoomRate->text()), Std(YZoomRate->text()), Std(ExpPos->text()), Std(YExpPos->text())};
}

void WaveformPanel::showZoomBoxes(const ZoomBoxes& boxes) {
  SetBoxText(ZoomRate, boxes.ZoomRate);
  SetBoxText(YZoomRate, boxes.YZoomRate);
  SetBoxText(ExpPos, boxes.ExpPos);
  SetBoxText(YExpPos, boxes.YExpPos);
}

void WaveformPanel::Expand_Click() {
  ZoomBoxes boxes = zoomBoxes();
  takeSmoothingControls();
  const bool drawn = document_.expand(boxes);
  showZoomBoxes(boxes);
  if (drawn) showDrawn();
}

void WaveformPanel::SurfaceWheel(int notches, bool level, QPointF pointer) {
  const auto next = document_.wheelBoxes(zoomBoxes(), level ? WheelAxis::Level : WheelAxis::Time,
                                         notches, pointer.x(), pointer.y());
  if (!next) return;
  showZoomBoxes(*next);
  Expand_Click();
}

void WaveformPanel::SurfaceBand(QRectF band) {
  ZoomBoxes boxes = zoomBoxes();
  takeSmoothingControls();
  const bool drawn =
      document_.zoomToBand(boxes, {band.left(), band.top(), band.right(), band.bottom()});
  showZoomBoxes(boxes);
  if (drawn) showDrawn();
}

void WaveformPanel::SurfacePan(double across, double up) {
  takeSmoothingControls();
  if (document_.panTo(across, up)) showDrawn();
}

void WaveformPanel::panDivisions(int across, int up) {
  takeSmoothingControls();
  if (document_.pan(across / double{kDivisionsX}, up / double{kDivisionsY})) showDrawn();
}

void WaveformPanel::showRestored(const std::optional<ShownView>& shown) {
  if (!shown) return;
  if (shown->boxes) showZoomBoxes(*shown->boxes);
  showDrawn();
}

void WaveformPanel::goBack() {
  takeSmoothingControls();
  showRestored(document_.back());
}

void WaveformPanel::goForward() {
  takeSmoothingControls();
  showRestored(document_.forward());
}

void WaveformPanel::XReset_Click() {
  takeSmoothingControls();
  if (document_.resetZoom()) showDrawn();
}

void WaveformPanel::ResetCursor_Click() {
  // A slider whose value changes runs its own change handler.
  const SliderValues centre = CentredSliders();
  waveFrame_->sliderX()->setValue(centre.x);
  waveFrame_->sliderY()->setValue(centre.y);
}

void WaveformPanel::SliderX_Change(int value) {
  const CursorPlacement placement = document_.moveTimeSlider(value);
  SetBoxText(ExpPos, placement.boxText);
  waveFrame_->surface()->setCursorX(placement.fraction);
  showReadouts();
}

void WaveformPanel::SliderY_Change(int value) {
  const CursorPlacement placement = document_.moveLevelSlider(value);
  SetBoxText(YExpPos, placement.boxText);
  waveFrame_->surface()->setCursorY(placement.fraction);
  showReadouts();
}

void WaveformPanel::ExpPos_KeyPress() {
  const CursorPlacement placement = document_.enterTimePosition(Std(ExpPos->text()));
  SetBoxText(ExpPos, placement.boxText);
  waveFrame_->surface()->setCursorX(placement.fraction);
  showReadouts();
}

void WaveformPanel::CdCheck_Click() {
  waveFrame_->surface()->setCursorsVisible(CdCheck->checkState() == Qt::Unchecked);
  showReadouts();
}

}  // namespace sondrix
