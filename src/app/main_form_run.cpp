// The continuous run: every WFM file of the browser's folder in turn, each drawn, optionally
// stored as CSV, then followed by a pause or a question.
#include <exception>

#include <QDir>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/numeric_text.h"
#include "app/split_path.h"
#include "app/window_sink.h"
#include "csv/csv_name.h"
#include "numtext/rounding.h"

namespace sondrix {

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

QString Progress(std::int32_t done, std::int32_t count, const char* what) {
  return QString::number(done) + u'/' + QString::number(count) + U(what);
}

// Start is enabled again however the run ends, an escaping failure included.
class ReenableOnExit {
 public:
  explicit ReenableOnExit(QWidget* button) : button_(button) {}
  ~ReenableOnExit() { button_->setEnabled(true); }
  ReenableOnExit(const ReenableOnExit&) = delete;
  ReenableOnExit& operator=(const ReenableOnExit&) = delete;

 private:
  QWidget* button_;
};

}  // namespace

void MainForm::Stop_Click() { RunStopRequested = true; }

void MainForm::WaitSeconds(float seconds) {
  if (!(seconds >= 0.000001f)) {
    services_.pumpEvents();
    return;
  }
  services_.waitSeconds(seconds);
}

void MainForm::Start_Click() {
  browser_->selectFilter(0);
  browser_->refresh();
  const std::int32_t count = browser_->fileCount();
  if (count == 0) {
    services_.showMessage(U(messages::kNoFiles), U(messages::kWfmCheckTitle), MessageButtons::Ok);
    return;
  }
  Start->setEnabled(false);
  ReenableOnExit reenable(Start);

  LimitLevel->setText(CheckNumericText(LimitLevel->text(), U(messages::kLimitLevelDefault)));
  MaxRepeatTimes->setText(
      CheckNumericText(MaxRepeatTimes->text(), U(messages::kMaxRepeatTimesDefault)));
  MInt->setText(CheckNumericText(MInt->text(), U(messages::kMIntDefault)));

  ProgressBar1->setMaximum(count);
  RunStopRequested = false;

  std::int32_t k = count;
  for (std::int32_t i = 0; i < count; ++i) {
    // Entry and folder are read afresh for every file; a list the operator changed during a
    // pause may have no entry i any more, which then counts as a file that is not WFM.
    const QString name = browser_->fileAt(i);
    const QString path = JoinPath(browser_->path(), name);
    StatusPanel1->setText(Progress(i + 1, count, messages::kProcessing));
    StatusPanel2->setText(name);

    if (name.right(4).toUpper() == U(messages::kWfmExtension)) {
      bool loaded = false;
      try {
        loaded = playWfm(path);
      } catch (const std::exception&) {
        // No memory for this file: it counts as one that could not be read, and the run goes on.
      }
      const QString csvName = QString::fromStdString(CsvNameForWfm(name.toStdString()));
      csvPath_ = csvName;
      // A file that could not be read would store the previous waveform under its name.
      if (AllSaveCheck->checkState() == Qt::Checked && loaded) {
        // Resolved now: a command run during the write may change the current directory.
        storeDisplayed(QDir::current().absoluteFilePath(csvName), csvName);
      }
      if (closing_) {
        k = i;
        break;
      }
    }

    if (ConfirmMess->checkState() != Qt::Unchecked) {
      const MessageAnswer answer = services_.showMessage(
          U(messages::kContinue), U(messages::kOperationTitle), MessageButtons::YesNo);
      if (answer == MessageAnswer::No || closing_) {
        k = i;
        break;
      }
    } else {
      // Read before every pause, so a change during the run applies from the next one.
      WaitSeconds(ClampToFloat(BoxNumber(MInt->text())));
      if (RunStopRequested || closing_) {
        k = i;
        break;
      }
    }
    ProgressBar1->setValue(i + 1);
    // Read at every file: a new value, or a folder change that writes its count, applies.
    if (i + 1 >= BoxNumber(MaxRepeatTimes->text())) {
      k = i + 1;
      break;
    }
  }
  StatusPanel1->setText(Progress(k, count, messages::kProcessed));
}

}  // namespace sondrix
