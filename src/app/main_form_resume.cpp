// The settings file: written at shut-down, read into the controls at start-up.
#include <functional>

#include "app/main_form.h"
#include "app/resume_file.h"
#include "app/wave_frame.h"

namespace sondrix {

namespace {

// Check boxes keep the classic values: 0 clear, 1 checked, 2 grey.
std::int32_t CheckValue(const QCheckBox* box) {
  switch (box->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

// Setting the value acts as the operator's click: the box's change handler runs.
bool SetCheckValue(QCheckBox* box, const QString& line) {
  const auto value = ResumeInt16(line);
  if (!value || *value < 0 || *value > 2) return false;
  box->setCheckState(*value == 0 ? Qt::Unchecked
                                 : (*value == 1 ? Qt::Checked : Qt::PartiallyChecked));
  return true;
}

bool SetSliderValue(QSlider* slider, const QString& line) {
  const auto value = ResumeInt32(line);
  if (!value || *value < slider->minimum() || *value > slider->maximum()) return false;
  slider->setValue(*value);
  return true;
}

}  // namespace

int MainForm::SaveResumeParam(const QString& filename) {
  const QStringList lines{
      ZoomRate->text(),
      YZoomRate->text(),
      ResumeNumber(waveFrame_->sliderX()->value()),
      ResumeNumber(waveFrame_->sliderY()->value()),
      ResumeNumber(CheckValue(CdCheck)),
      ResumeNumber(ChSelCombo->currentIndex()),
      ResumeNumber(CheckValue(ConfirmMess)),
      LimitLevel->text(),
      MaxRepeatTimes->text(),
      MInt->text(),
      csvFolder_,
      csvPath_,
      DataSkip->text(),
      SmPoints->text(),
      ResumeBool(smOption[0]->isChecked()),
      ResumeBool(smOption[1]->isChecked()),
      ResumeBool(smOption[2]->isChecked()),
      ResumeNumber(CheckValue(AllSaveCheck)),
  };
  return WriteResumeLines(filename, lines);
}

int MainForm::LoadResumeParam(const QString& filename) {
  const auto setText = [](QLineEdit* box) {
    return [box](const QString& line) {
      box->setText(line);
      return true;
    };
  };
  const auto setOption = [this](std::size_t index) {
    return [this, index](const QString& line) {
      const auto selected = ResumeBoolValue(line);
      if (!selected) return false;
      // One of the three is always selected: a "False" line only confirms the others.
      if (*selected) smOption[index]->setChecked(true);
      return true;
    };
  };
  // Applied in the file's order, each before the next line is looked at, so a damaged line
  // keeps the settings before it and leaves the rest at their defaults.
  const std::array<std::function<bool(const QString&)>, kResumeLineCount> apply{
      setText(ZoomRate),
      setText(YZoomRate),
      [this](const QString& line) { return SetSliderValue(waveFrame_->sliderX(), line); },
      [this](const QString& line) { return SetSliderValue(waveFrame_->sliderY(), line); },
      [this](const QString& line) { return SetCheckValue(CdCheck, line); },
      [this](const QString& line) {
        const auto index = ResumeInt16(line);
        if (!index || *index < -1 || *index >= ChSelCombo->count()) return false;
        ChSelCombo->setCurrentIndex(*index < 0 ? 0 : *index);
        return true;
      },
      [this](const QString& line) { return SetCheckValue(ConfirmMess, line); },
      setText(LimitLevel),
      setText(MaxRepeatTimes),
      setText(MInt),
      [this](const QString& line) {
        csvFolder_ = line;
        return true;
      },
      [this](const QString& line) {
        csvPath_ = line;
        return true;
      },
      setText(DataSkip),
      setText(SmPoints),
      setOption(0),
      setOption(1),
      setOption(2),
      [this](const QString& line) { return SetCheckValue(AllSaveCheck, line); },
  };

  const auto lines = ReadResumeLines(filename);
  if (!lines) return -1;
  for (qsizetype i = 0; i < lines->size(); ++i) {
    if (!apply[static_cast<std::size_t>(i)]((*lines)[i])) return -1;
  }
  return lines->size() == kResumeLineCount ? 0 : -1;
}

}  // namespace sondrix
