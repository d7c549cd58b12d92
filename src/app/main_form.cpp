#include "app/main_form.h"

#include <exception>

#include <QCloseEvent>
#include <QDir>

#include "app/continuous_run.h"
#include "app/file_browser.h"
#include "app/messages.h"
#include "app/qt_text.h"
#include "app/split_path.h"
#include "app/wave_frame.h"
#include "app/window_sink.h"

namespace sondrix {

namespace {

// A command that fails in a way nothing else handles (the memory for a huge record cannot be
// had) ends there; the window and the program stay.
template <typename Command>
auto Guarded(Command command) {
  return [command](auto&&...) {
    try {
      command();
    } catch (const std::exception&) {
    }
  };
}

}  // namespace

MainForm::MainForm(PlatformServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), scene_(InitialScene()) {
  setObjectName(QStringLiteral("MainForm"));
  buildControls();
  sink_ = std::make_unique<WindowSink>(StatusPanel1, StatusPanel2, ProgressBar1, services_);
  waveFrame_->showScene(&scene_);
  buildRun();
  connectControls();
  startUp();
}

MainForm::~MainForm() = default;

void MainForm::connectControls() {
  connect(BinToCsvConvert, &QPushButton::clicked, this,
          Guarded([this] { BinToCsvConvert_Click(); }));
  for (int i = 0; i < 3; ++i) {
    connect(smOption[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
            [this, i](bool checked) {
              if (checked) Guarded([this, i] { smOption_Click(i); })();
            });
  }
  connect(InputDsTypeCsvFile, &QPushButton::clicked, this,
          Guarded([this] { InputDsTypeCsvFile_Click(); }));
  connect(SelResultFileFolder, &QPushButton::clicked, this,
          Guarded([this] { SelResultFileFolder_Click(); }));
  connect(Start, &QPushButton::clicked, this, Guarded([this] { Start_Click(); }));
  connect(Stop, &QPushButton::clicked, this, Guarded([this] { Stop_Click(); }));
  connect(SmPoints, &QLineEdit::returnPressed, this, Guarded([this] { SmPoints_KeyPress(); }));
  connect(Expand, &QPushButton::clicked, this, Guarded([this] { Expand_Click(); }));
  connect(XReset, &QPushButton::clicked, this, Guarded([this] { XReset_Click(); }));
  connect(ResetCursor, &QPushButton::clicked, this, Guarded([this] { ResetCursor_Click(); }));
  connect(waveFrame_->sliderX(), &QSlider::valueChanged, this,
          [this](int value) { Guarded([this, value] { SliderX_Change(value); })(); });
  connect(waveFrame_->sliderY(), &QSlider::valueChanged, this,
          [this](int value) { Guarded([this, value] { SliderY_Change(value); })(); });
  connect(ExpPos, &QLineEdit::returnPressed, this, Guarded([this] { ExpPos_KeyPress(); }));
  connect(CdCheck, &QCheckBox::stateChanged, this, Guarded([this] { CdCheck_Click(); }));
  // A grey box read from the settings file stays grey until the operator clicks it; from then
  // on clicks only check and clear it.
  for (QCheckBox* box : {CdCheck, ConfirmMess, AllSaveCheck}) {
    connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
  }
  connect(browser_, &FileBrowser::filesCounted, this,
          [this](int count) { MaxRepeatTimes->setText(QString::number(count)); });
}

void MainForm::startUp() {
  setWindowTitle(U(messages::kTitle));
  SelResultFileFolder->setText(U(messages::kSelResultFileFolder));
  LimitLevelF->hide();
  ChSelCombo->hide();
  setWindowTitle(windowTitle() + U(messages::kVersion));

  // Each folder step is skipped when it fails; the program runs on without its settings file.
  dataFolder_ = services_.dataFolder();
  const QString parentFolder = QFileInfo(dataFolder_).absolutePath();
  QDir().mkpath(parentFolder);
  QDir().mkpath(dataFolder_);
  QDir::setCurrent(dataFolder_);
  // Made by its full path, so a data folder that could not be entered leaves no stray Output
  // folder in the folder the program was started in.
  QDir(dataFolder_).mkdir(U(messages::kOutputFolder));

  LoadResumeParam(resumePath());
  if (csvPath_.isEmpty()) {
    csvPath_ =
        JoinPath(JoinPath(dataFolder_, U(messages::kOutputFolder)), U(messages::kDefaultCsvName));
  }
  QString name;
  SplitPath(csvPath_, csvFolder_, name);

  SliderX_Change(waveFrame_->sliderX()->value());
  SliderY_Change(waveFrame_->sliderY()->value());
}

void MainForm::closeEvent(QCloseEvent* event) {
  // A close during a run's pause, question or write arrives in a nested event loop: the settings
  // are written once, the pause ends, and the run stops when control returns to it. The window
  // closes whatever happens to the settings file.
  if (!closing_) {
    closing_ = true;
    Guarded([this] { SaveResumeParam(resumePath()); })();
  }
  services_.endWait();
  event->accept();
}

QString MainForm::resumePath() const {
  return JoinPath(dataFolder_,
                  U(messages::kResumeStem) + U(messages::kVersion) + U(messages::kResumeExtension));
}

QString MainForm::statusText(int panel) const {
  return panel == 1 ? StatusPanel1->text() : StatusPanel2->text();
}

}  // namespace sondrix
