// The settings file: written at shut-down, read into the controls at start-up, both through the
// one table of its 18 lines.
#include "app/main_form.h"
#include "app/wave_frame.h"

namespace sondrix {

namespace {

ResumeLine TextLine(const char* name, QLineEdit* box) {
  return {name,
          [box](const QString& line) {
            box->setText(line);
            return true;
          },
          [box] { return box->text(); }};
}

ResumeLine ValueLine(const char* name, QString& value) {
  return {name,
          [&value](const QString& line) {
            value = line;
            return true;
          },
          [&value] { return value; }};
}

ResumeLine SliderLine(const char* name, QSlider* slider) {
  return {name,
          [slider](const QString& line) {
            const auto value = ResumeInt32(line);
            if (!value || *value < slider->minimum() || *value > slider->maximum()) return false;
            slider->setValue(*value);
            return true;
          },
          [slider] { return ResumeNumber(slider->value()); }};
}

// Check boxes keep the classic values: 0 clear, 1 checked, 2 grey. Setting the value acts as the
// operator's click: the box's change handler runs.
ResumeLine CheckLine(const char* name, QCheckBox* box) {
  return {name,
          [box](const QString& line) {
            const auto value = ResumeInt16(line);
            if (!value || *value < 0 || *value > 2) return false;
            box->setCheckState(*value == 0 ? Qt::Unchecked
                                           : (*value == 1 ? Qt::Checked : Qt::PartiallyChecked));
            return true;
          },
          [box] {
            const Qt::CheckState state = box->checkState();
            return ResumeNumber(state == Qt::Checked ? 1 : (state == Qt::PartiallyChecked ? 2 : 0));
          }};
}

ResumeLine ChannelLine(const char* name, QComboBox* combo) {
  return {name,
          [combo](const QString& line) {
            const auto index = ResumeInt16(line);
            if (!index || *index < -1 || *index >= combo->count()) return false;
            combo->setCurrentIndex(*index < 0 ? 0 : *index);
            return true;
          },
          [combo] { return ResumeNumber(combo->currentIndex()); }};
}

// One of the three options is always selected: a "False" line only confirms the others.
ResumeLine OptionLine(const char* name, QRadioButton* option) {
  return {name,
          [option](const QString& line) {
            const auto selected = ResumeBoolValue(line);
            if (!selected) return false;
            if (*selected) option->setChecked(true);
            return true;
          },
          [option] { return ResumeBool(option->isChecked()); }};
}

}  // namespace

std::array<ResumeLine, kResumeLineCount> MainForm::resumeLines() {
  return {{
      TextLine("ZoomRate", ZoomRate),
      TextLine("YZoomRate", YZoomRate),
      SliderLine("SliderX", waveFrame_->sliderX()),
      SliderLine("SliderY", waveFrame_->sliderY()),
      CheckLine("CdCheck", CdCheck),
      ChannelLine("ChSelCombo", ChSelCombo),
      CheckLine("ConfirmMess", ConfirmMess),
      TextLine("LimitLevel", LimitLevel),
      TextLine("MaxRepeatTimes", MaxRepeatTimes),
      TextLine("MInt", MInt),
      ValueLine("CsvFolder", csvFolder_),
      ValueLine("CsvPath", csvPath_),
      TextLine("DataSkip", DataSkip),
      TextLine("SmPoints", SmPoints),
      OptionLine("smOption(0)", smOption[0]),
      OptionLine("smOption(1)", smOption[1]),
      OptionLine("smOption(2)", smOption[2]),
      CheckLine("AllSaveCheck", AllSaveCheck),
  }};
}

int MainForm::SaveResumeParam(const QString& filename) {
  return WriteResumeFile(filename, resumeLines());
}

int MainForm::LoadResumeParam(const QString& filename) {
  return ReadResumeFile(filename, resumeLines());
}

}  // namespace sondrix
