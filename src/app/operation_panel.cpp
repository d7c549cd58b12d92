// The operation frame's controls with their names, captions and design-time texts, their layout,
// the wiring of their signals to the commands, and the continuous run wired to the window.
#include "app/operation_panel.h"

#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/command_guard.h"
#include "app/continuous_run.h"
#include "app/control_factory.h"
#include "app/file_browser.h"
#include "app/folder_follower.h"
#include "app/messages.h"
#include "document/document.h"

namespace sondrix {

using namespace messages;

OperationPanel::OperationPanel(OperationLinks links, QWidget* parent)
    : QGroupBox(U(captions::kOperationF), parent), links_(std::move(links)) {
  setObjectName(QStringLiteral("OperationF"));
  buildControls();
  buildRun();
  buildFollower();
  connectControls();
}

OperationPanel::~OperationPanel() = default;

void OperationPanel::buildControls() {
  AllSaveCheck = Named(new QCheckBox(U(captions::kAllSaveCheck), this), "AllSaveCheck");
  BinToCsvConvert = Named(new QPushButton(U(captions::kBinToCsvConvert), this), "BinToCsvConvert");
  SelResultFileFolder =
      Named(new QPushButton(U(captions::kSelResultFileFolderDesign), this), "SelResultFileFolder");
  QGroupBox* skipFrame =
      BoxFrame("DataSkipFrame", captions::kDataSkipFrame, DataSkip, "DataSkip", "0", this);
  InputDsTypeCsvFile =
      Named(new QPushButton(U(captions::kInputDsTypeCsvFile), this), "InputDsTypeCsvFile");
  ChSelCombo = Named(new QComboBox(this), "ChSelCombo");
  ChSelCombo->addItems({"CH1", "CH2", "CH3", "CH4"});
  ConfirmMess = Named(new QCheckBox(U(captions::kConfirmMess), this), "ConfirmMess");
  LimitLevelF =
      BoxFrame("LimitLevelF", captions::kLimitLevelF, LimitLevel, "LimitLevel", "13", this);
  QGroupBox* intervalFrame = BoxFrame("MIntF", captions::kMIntF, MInt, "MInt", "1", this);
  QGroupBox* countFrame = BoxFrame("MaxRepeatTimesF", captions::kMaxRepeatTimesF, MaxRepeatTimes,
                                   "MaxRepeatTimes", "10000", this);
  Stop = Named(new QPushButton(U(captions::kStop), this), "Stop");
  Start = Named(new QPushButton(U(captions::kStart), this), "Start");
  // Beside the pattern it follows: the operation frame has no row to spare at the least size.
  FollowNew = Named(new QCheckBox(U(captions::kFollowNew), this), "FollowNew");
  links_.browser.addBesidePattern(FollowNew);

  auto* grid = Packed(new QGridLayout(this));
  grid->addWidget(BinToCsvConvert, 0, 0);
  grid->addWidget(InputDsTypeCsvFile, 0, 1);
  grid->addWidget(SelResultFileFolder, 1, 0);
  grid->addWidget(skipFrame, 1, 1);
  grid->addWidget(intervalFrame, 2, 0);
  grid->addWidget(countFrame, 2, 1);
  grid->addWidget(ConfirmMess, 3, 0);
  grid->addWidget(AllSaveCheck, 3, 1);
  grid->addWidget(Start, 4, 0);
  grid->addWidget(Stop, 4, 1);
  grid->addWidget(LimitLevelF, 5, 0);
  grid->addWidget(ChSelCombo, 5, 1);
}

void OperationPanel::connectControls() {
  const auto guarded = [this](auto command) {
    return Guarded(links_.status.step, std::move(command));
  };
  connect(BinToCsvConvert, &QPushButton::clicked, this,
          guarded([this] { BinToCsvConvert_Click(); }));
  connect(InputDsTypeCsvFile, &QPushButton::clicked, this,
          guarded([this] { InputDsTypeCsvFile_Click(); }));
  connect(SelResultFileFolder, &QPushButton::clicked, this,
          guarded([this] { SelResultFileFolder_Click(); }));
  connect(Start, &QPushButton::clicked, this, guarded([this] { Start_Click(); }));
  connect(Stop, &QPushButton::clicked, this, guarded([this] { Stop_Click(); }));
  // A grey box read from the settings file stays grey until the operator clicks it; from then
  // on clicks only check and clear it.
  for (QCheckBox* box : {ConfirmMess, AllSaveCheck}) {
    connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
  }
  connect(&links_.browser, &FileBrowser::filesCounted, this,
          [this](int count) { MaxRepeatTimes->setText(QString::number(count)); });
  connect(FollowNew, &QCheckBox::toggled, this, [this](bool on) {
    if (on) {
      follower_->start(links_.browser.path());
    } else {
      follower_->stop();
    }
  });
  // Following ends when the browser opens another folder.
  connect(&links_.browser, &FileBrowser::folderOpened, this, [this](const QString& folder) {
    if (follower_->following() && folder != follower_->folder()) FollowNew->setChecked(false);
  });
}

void OperationPanel::startUp() {
  SelResultFileFolder->setText(U(messages::kSelResultFileFolder));
  LimitLevelF->hide();
  ChSelCombo->hide();
}

void OperationPanel::buildRun() {
  FileBrowser& browser = links_.browser;
  RunParts parts;
  parts.listFiles = [&browser] {
    browser.selectFilter(0);
    browser.refresh();
    return browser.fileCount();
  };
  parts.fileAt = [&browser](std::int32_t i) { return browser.fileAt(i); };
  parts.folder = [&browser] { return browser.path(); };
  parts.storeFolder = [this] { return U(links_.document.runFolder()); };
  parts.settings = [this] {
    return RunSettings{LimitLevel->text(), MaxRepeatTimes->text(), MInt->text(),
                       ConfirmMess->checkState(), AllSaveCheck->checkState()};
  };
  parts.showSettings = [this](const RunSettings& checked) {
    LimitLevel->setText(checked.LimitLevel);
    MaxRepeatTimes->setText(checked.MaxRepeatTimes);
    MInt->setText(checked.MInt);
  };
  parts.play = [this](const QString& path) { return play(FileKind::Wfm, path).ok; };
  parts.csvNamed = [this](const QString& csvName) { csvPath_ = csvName; };
  parts.store = [this](const QString& path, const QString& shownName) {
    storeDisplayed(path, shownName);
  };
  parts.closing = [this] { return links_.closing; };
  parts.holdStart = [this](bool held) {
    Start->setEnabled(!held);
    links_.browser.holdList(held);
  };
  parts.message = [this](const QString& text) { links_.status.step->setText(text); };
  parts.detail = [this](const QString& text) { links_.status.detail->setText(text); };
  parts.progressMax = [this](std::int32_t count) { links_.progressBar->setMaximum(count); };
  parts.progress = [this](std::int32_t done) { links_.progressBar->setValue(done); };
  run_ = std::make_unique<ContinuousRun>(std::move(parts), links_.services);
}

void OperationPanel::buildFollower() {
  FollowLinks follow;
  follow.busy = [this] {
    return !BinToCsvConvert->isEnabled() || !InputDsTypeCsvFile->isEnabled() ||
           !SelResultFileFolder->isEnabled() || !Start->isEnabled();
  };
  follow.wanted = [this](const QString& name) { return links_.browser.lists(name); };
  follow.play = [this](const QString& path) { return playArrived(path); };
  follow.storing = [this] { return AllSaveCheck->checkState() == Qt::Checked; };
  follow.store = [this](const QString& name) { storeArrived(name); };
  follow.unreadable = [this](const QString& name, const QString& reason) {
    links_.status.step->setText(reason);
    links_.status.detail->setText(name);
  };
  follower_ = new FolderFollower(std::move(follow), this);
}

void OperationPanel::Start_Click() { run_->Start(); }

void OperationPanel::Stop_Click() { run_->Stop(); }

QString OperationPanel::press(FileKind kind) {
  playFailure_.clear();
  (kind == FileKind::Csv ? InputDsTypeCsvFile : BinToCsvConvert)->click();
  return playFailure_;
}

}  // namespace sondrix
