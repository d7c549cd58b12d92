// The display controls: smoothing choice and width, zoom (with the mouse too), cursors and their
// read-outs, the measurement table.
#include "app/main_form.h"
#include "app/qt_text.h"
#include "app/wave_frame.h"

namespace sondrix {

namespace {

// Writes a box only when its text changes, so the operator's caret is not disturbed.
void SetBoxText(QLineEdit* box, const std::string& text) {
  const QString shown = U(text);
  if (box->text() != shown) box->setText(shown);
}

}  // namespace

void MainForm::takeSmoothingControls() {
  const int checked = smOptionGroup->checkedId();
  document_.takeSmoothing(static_cast<SmoothingMode>(checked < 0 ? 0 : checked),
                          Std(SmPoints->text()));
}

void MainForm::showDrawn() {
  SetBoxText(SmPoints, document_.smoothing().widthText);
  showScene();
}

void MainForm::showScene() {
  waveFrame_->showScene(&document_.scene());
  showReadouts();
  showMeasurements();
}

void MainForm::showReadouts() {
  const bool shown = CdCheck->checkState() == Qt::Unchecked;
  waveFrame_->showReadouts(shown ? document_.readouts() : std::vector<ReadoutPiece>{});
}

void MainForm::showMeasurements() {
  waveFrame_->showMeasurements(Measure->isChecked() ? document_.measurements() : std::nullopt);
}

void MainForm::Measure_Click() { showMeasurements(); }

void MainForm::smOption_Click(int) {
  takeSmoothingControls();
  document_.redraw();
  showDrawn();
}

void MainForm::SmPoints_KeyPress() {
  takeSmoothingControls();
  document_.redraw();
  showDrawn();
}

ZoomBoxes MainForm::zoomBoxes() const {
  return {Std(ZoomRate->text()), Std(YZoomRate->text()), Std(ExpPos->text()), Std(YExpPos->text())};
}

void MainForm::showZoomBoxes(const ZoomBoxes& boxes) {
  SetBoxText(ZoomRate, boxes.ZoomRate);
  SetBoxText(YZoomRate, boxes.YZoomRate);
  SetBoxText(ExpPos, boxes.ExpPos);
  SetBoxText(YExpPos, boxes.YExpPos);
}

void MainForm::Expand_Click() {
  ZoomBoxes boxes = zoomBoxes();
  takeSmoothingControls();
  const bool drawn = document_.expand(boxes);
  showZoomBoxes(boxes);
  if (drawn) showDrawn();
}

void MainForm::SurfaceWheel(int notches, bool level, QPointF pointer) {
  const auto next = document_.wheelBoxes(zoomBoxes(), level ? WheelAxis::Level : WheelAxis::Time,
                                         notches, pointer.x(), pointer.y());
  if (!next) return;
  showZoomBoxes(*next);
  Expand_Click();
}

void MainForm::XReset_Click() {
  takeSmoothingControls();
  if (document_.resetZoom()) showDrawn();
}

void MainForm::ResetCursor_Click() {
  // A slider whose value changes runs its own change handler.
  const SliderValues centre = CentredSliders();
  waveFrame_->sliderX()->setValue(centre.x);
  waveFrame_->sliderY()->setValue(centre.y);
}

void MainForm::SliderX_Change(int value) {
  const CursorPlacement placement = document_.moveTimeSlider(value);
  SetBoxText(ExpPos, placement.boxText);
  waveFrame_->surface()->setCursorX(placement.fraction);
  showReadouts();
}

void MainForm::SliderY_Change(int value) {
  const CursorPlacement placement = document_.moveLevelSlider(value);
  SetBoxText(YExpPos, placement.boxText);
  waveFrame_->surface()->setCursorY(placement.fraction);
  showReadouts();
}

void MainForm::ExpPos_KeyPress() {
  const CursorPlacement placement = document_.enterTimePosition(Std(ExpPos->text()));
  SetBoxText(ExpPos, placement.boxText);
  waveFrame_->surface()->setCursorX(placement.fraction);
  showReadouts();
}

void MainForm::CdCheck_Click() {
  waveFrame_->surface()->setCursorsVisible(CdCheck->checkState() == Qt::Unchecked);
  showReadouts();
}

}  // namespace sondrix
