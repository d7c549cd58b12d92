// The settings file: written at shut-down, read into the controls at start-up, both through the
// one table of its 18 lines.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "app/main_form.h"
#include "app/operation_panel.h"

namespace sondrix {

namespace {

// The window's controls carry the names of their settings-file lines, but for the options.
template <typename Widget>
Widget* Control(const QObject& form, const char* name) {
  auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
  Q_ASSERT(widget);
  return widget;
}

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
  const QObject& form = *this;
  const auto text = [&form](const char* name) {
    return TextLine(name, Control<QLineEdit>(form, name));
  };
  const auto check = [&form](const char* name) {
    return CheckLine(name, Control<QCheckBox>(form, name));
  };
  const auto slider = [&form](const char* name) {
    return SliderLine(name, Control<QSlider>(form, name));
  };
  const auto option = [&form](const char* line, const char* name) {
    return OptionLine(line, Control<QRadioButton>(form, name));
  };
  return {{
      text("ZoomRate"),
      text("YZoomRate"),
      slider("SliderX"),
      slider("SliderY"),
      check("CdCheck"),
      ChannelLine("ChSelCombo", Control<QComboBox>(form, "ChSelCombo")),
      check("ConfirmMess"),
      text("LimitLevel"),
      text("MaxRepeatTimes"),
      text("MInt"),
      ValueLine("CsvFolder", operation_->csvFolder()),
      ValueLine("CsvPath", operation_->csvPath()),
      text("DataSkip"),
      text("SmPoints"),
      option("smOption(0)", "smOption0"),
      option("smOption(1)", "smOption1"),
      option("smOption(2)", "smOption2"),
      check("AllSaveCheck"),
  }};
}

int MainForm::SaveResumeParam(const QString& filename) {
  return WriteResumeFile(filename, resumeLines());
}

int MainForm::LoadResumeParam(const QString& filename) {
  return ReadResumeFile(filename, resumeLines());
}

}  // namespace sondrix
