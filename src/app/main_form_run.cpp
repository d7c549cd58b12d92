// The continuous run wired to the window: the browser's list, the operation frame's boxes, the
// status bar, the progress bar and the Start button.
#include "app/continuous_run.h"
#include "app/file_browser.h"
#include "app/main_form.h"

namespace sondrix {

void MainForm::buildRun() {
  RunParts parts;
  parts.listFiles = [this] {
    browser_->selectFilter(0);
    browser_->refresh();
    return browser_->fileCount();
  };
  parts.fileAt = [this](std::int32_t i) { return browser_->fileAt(i); };
  parts.folder = [this] { return browser_->path(); };
  parts.storeFolder = [this] { return runFolder(); };
  parts.settings = [this] {
    return RunSettings{LimitLevel->text(), MaxRepeatTimes->text(), MInt->text(),
                       ConfirmMess->checkState(), AllSaveCheck->checkState()};
  };
  parts.showSettings = [this](const RunSettings& checked) {
    LimitLevel->setText(checked.LimitLevel);
    MaxRepeatTimes->setText(checked.MaxRepeatTimes);
    MInt->setText(checked.MInt);
  };
  parts.play = [this](const QString& path) { return playWfm(path).ok; };
  parts.csvNamed = [this](const QString& csvName) { csvPath_ = csvName; };
  parts.store = [this](const QString& path, const QString& shownName) {
    storeDisplayed(path, shownName);
  };
  parts.closing = [this] { return closing_; };
  parts.holdStart = [this](bool held) { Start->setEnabled(!held); };
  parts.message = [this](const QString& text) { StatusPanel1->setText(text); };
  parts.detail = [this](const QString& text) { StatusPanel2->setText(text); };
  parts.progressMax = [this](std::int32_t count) { ProgressBar1->setMaximum(count); };
  parts.progress = [this](std::int32_t done) { ProgressBar1->setValue(done); };
  run_ = std::make_unique<ContinuousRun>(std::move(parts), services_);
}

void MainForm::Start_Click() { run_->Start(); }

void MainForm::Stop_Click() { run_->Stop(); }

}  // namespace sondrix
