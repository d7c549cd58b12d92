// The display controls: smoothing choice and width, zoom, cursors.
#include "app/main_form.h"
#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "view/cursors.h"
#include "view/renderer.h"

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

void MainForm::showScene() { waveFrame_->showScene(&scene_); }

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
}

void MainForm::SliderY_Change(int value) {
  const CursorPlacement placement = SliderYChanged(value);
  SetBoxText(YExpPos, placement.boxText);
  waveFrame_->surface()->setCursorY(placement.fraction);
}

void MainForm::ExpPos_KeyPress() {
  const CursorPlacement placement = ExpPosEntered(Std(ExpPos->text()));
  SetBoxText(ExpPos, placement.boxText);
  waveFrame_->surface()->setCursorX(placement.fraction);
}

void MainForm::CdCheck_Click() {
  waveFrame_->surface()->setCursorsVisible(CdCheck->checkState() == Qt::Unchecked);
}

}  // namespace sondrix
