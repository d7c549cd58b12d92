// The display controls: smoothing choice and width, zoom (with the mouse too), cursors and their
// read-outs, the measurement table.
#include "app/main_form.h"
#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "view/cursors.h"
#include "view/measurement_table.h"
#include "view/measurements.h"
#include "view/readouts.h"
#include "view/renderer.h"
#include "view/wheel_zoom.h"

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
  smoothing_.mode = static_cast<SmoothingMode>(checked < 0 ? 0 : checked);
  smoothing_.widthText = Std(SmPoints->text());
}

void MainForm::showSmoothingControls() { SetBoxText(SmPoints, smoothing_.widthText); }

void MainForm::showScene() {
  waveFrame_->showScene(&scene_);
  showReadouts();
  showMeasurements();
}

void MainForm::showReadouts() {
  const WaveSurface& surface = *waveFrame_->surface();
  const bool shown = CdCheck->checkState() == Qt::Unchecked;
  const double level = LevelCursorFraction(waveFrame_->sliderY()->value());
  waveFrame_->showReadouts(shown ? CursorReadouts(record_, view_, surface.cursorX(), level)
                                 : std::vector<ReadoutPiece>{});
}

void MainForm::showMeasurements() {
  if (!Measure->isChecked() || !view_.WaveDrawn) {
    waveFrame_->showMeasurements(std::nullopt);
    return;
  }
  waveFrame_->showMeasurements(TabulateMeasurements(
      record_.header, MeasureShownChannels(record_, view_.StartIndex, view_.EndIndex)));
}

void MainForm::Measure_Click() { showMeasurements(); }

void MainForm::draw(std::int32_t start, std::int32_t end, double timeDiv) {
  takeSmoothingControls();
  DrawWaveform(record_, view_, smoothing_, smoothed_, scene_, start, end, timeDiv);
  showSmoothingControls();
  showScene();
}

void MainForm::smOption_Click(int) { draw(view_.StartIndex, view_.EndIndex, view_.ShownTimeDiv); }

void MainForm::SmPoints_KeyPress() { draw(view_.StartIndex, view_.EndIndex, view_.ShownTimeDiv); }

void MainForm::Expand_Click() {
  ZoomBoxes boxes{Std(ZoomRate->text()), Std(YZoomRate->text()), Std(ExpPos->text()),
                  Std(YExpPos->text())};
  const auto request = sondrix::Expand(record_.header, view_, boxes);
  SetBoxText(ZoomRate, boxes.ZoomRate);
  SetBoxText(YZoomRate, boxes.YZoomRate);
  SetBoxText(ExpPos, boxes.ExpPos);
  SetBoxText(YExpPos, boxes.YExpPos);
  if (request) draw(request->start, request->end, request->timeDiv);
}

void MainForm::SurfaceWheel(int notches, bool level, QPointF pointer) {
  const ZoomBoxes boxes{Std(ZoomRate->text()), Std(YZoomRate->text()), Std(ExpPos->text()),
                        Std(YExpPos->text())};
  const auto next =
      WheelZoomBoxes(record_.header, view_, boxes, level ? WheelAxis::Level : WheelAxis::Time,
                     notches, pointer.x(), pointer.y());
  if (!next) return;
  SetBoxText(ZoomRate, next->ZoomRate);
  SetBoxText(YZoomRate, next->YZoomRate);
  SetBoxText(ExpPos, next->ExpPos);
  SetBoxText(YExpPos, next->YExpPos);
  Expand_Click();
}

void MainForm::XReset_Click() {
  if (const auto request = sondrix::XReset(record_.header, view_)) {
    draw(request->start, request->end, request->timeDiv);
  }
}

void MainForm::ResetCursor_Click() {
  // A slider whose value changes runs its own change handler.
  const SliderValues centre = CentredSliders();
  waveFrame_->sliderX()->setValue(centre.x);
  waveFrame_->sliderY()->setValue(centre.y);
}

void MainForm::SliderX_Change(int value) {
  const CursorPlacement placement = SliderXChanged(value);
  SetBoxText(ExpPos, placement.boxText);
  waveFrame_->surface()->setCursorX(placement.fraction);
  showReadouts();
}

void MainForm::SliderY_Change(int value) {
  const CursorPlacement placement = SliderYChanged(value);
  SetBoxText(YExpPos, placement.boxText);
  waveFrame_->surface()->setCursorY(placement.fraction);
  showReadouts();
}

void MainForm::ExpPos_KeyPress() {
  const CursorPlacement placement = ExpPosEntered(Std(ExpPos->text()));
  SetBoxText(ExpPos, placement.boxText);
  waveFrame_->surface()->setCursorX(placement.fraction);
  showReadouts();
}

void MainForm::CdCheck_Click() {
  waveFrame_->surface()->setCursorsVisible(CdCheck->checkState() == Qt::Unchecked);
  showReadouts();
}

}  // namespace sondrix
