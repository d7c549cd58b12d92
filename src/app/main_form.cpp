#include "app/main_form.h"

#include <exception>

#include <QCloseEvent>
#include <QDir>
#include <QLayout>

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
// had) ends there with a word in the status bar; the window and the program stay.
template <typename Command>
auto Guarded(QLabel* panel, Command command) {
  return [panel, command](auto&&...) {
    try {
      command();
    } catch (const std::exception&) {
      panel->setText(U(messages::kCommandFailed));
    }
  };
}

}  // namespace

MainForm::MainForm(PlatformServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
  setObjectName(QStringLiteral("MainForm"));
  setAcceptDrops(true);  // a file or folder dropped on the window is opened (main_form_open.cpp)
  buildControls();
  sink_ = std::make_unique<WindowSink>(StatusPanel1, StatusPanel2, ProgressBar1, services_);
  waveFrame_->showScene(&document_.scene());
  buildRun();
  connectControls();
  startUp();
  // The start-up hid controls of the operation frame. The layouts from there up to the window's
  // content are taken again without them before the window's size is chosen; else its minimum
  // would keep their room until the window is on screen.
  for (QWidget* widget = OperationF; widget != this; widget = widget->parentWidget()) {
    if (widget->layout()) widget->layout()->activate();
    widget->updateGeometry();
  }
}

MainForm::~MainForm() = default;

void MainForm::connectControls() {
  const auto guarded = [this](auto command) { return Guarded(StatusPanel1, std::move(command)); };
  connect(BinToCsvConvert, &QPushButton::clicked, this,
          guarded([this] { BinToCsvConvert_Click(); }));
  for (int i = 0; i < 3; ++i) {
    connect(smOption[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
            [this, guarded, i](bool checked) {
              if (checked) guarded([this, i] { smOption_Click(i); })();
            });
  }
  connect(InputDsTypeCsvFile, &QPushButton::clicked, this,
          guarded([this] { InputDsTypeCsvFile_Click(); }));
  connect(SelResultFileFolder, &QPushButton::clicked, this,
          guarded([this] { SelResultFileFolder_Click(); }));
  connect(Start, &QPushButton::clicked, this, guarded([this] { Start_Click(); }));
  connect(Stop, &QPushButton::clicked, this, guarded([this] { Stop_Click(); }));
  connect(SmPoints, &QLineEdit::returnPressed, this, guarded([this] { SmPoints_KeyPress(); }));
  connect(Expand, &QPushButton::clicked, this, guarded([this] { Expand_Click(); }));
  connect(XReset, &QPushButton::clicked, this, guarded([this] { XReset_Click(); }));
  connect(ResetCursor, &QPushButton::clicked, this, guarded([this] { ResetCursor_Click(); }));
  connect(waveFrame_->sliderX(), &QSlider::valueChanged, this,
          [this, guarded](int value) { guarded([this, value] { SliderX_Change(value); })(); });
  connect(waveFrame_->sliderY(), &QSlider::valueChanged, this,
          [this, guarded](int value) { guarded([this, value] { SliderY_Change(value); })(); });
  connect(ExpPos, &QLineEdit::returnPressed, this, guarded([this] { ExpPos_KeyPress(); }));
  connect(CdCheck, &QCheckBox::stateChanged, this, guarded([this] { CdCheck_Click(); }));
  connect(SavePicture, &QAction::triggered, this, guarded([this] { SavePicture_Click(); }));
  connect(CopyPicture, &QAction::triggered, this, guarded([this] { CopyPicture_Click(); }));
  connect(Measure, &QAction::toggled, this, guarded([this] { Measure_Click(); }));
  WaveSurface* surface = waveFrame_->surface();
  connect(surface, &WaveSurface::wheelTurned, this,
          [this, guarded](int notches, bool level, QPointF pointer) {
            guarded([this, notches, level, pointer] { SurfaceWheel(notches, level, pointer); })();
          });
  connect(surface, &WaveSurface::doubleClicked, this, guarded([this] { XReset_Click(); }));
  // A grey box read from the settings file stays grey until the operator clicks it; from then
  // on clicks only check and clear it.
  for (QCheckBox* box : {CdCheck, ConfirmMess, AllSaveCheck}) {
    connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
  }
  connect(browser_, &FileBrowser::filesCounted, this,
          [this](int count) { MaxRepeatTimes->setText(QString::number(count)); });
  connect(browser_, &FileBrowser::folderOpened, this,
          [this](const QString& folder) { document_.folderOpened(Std(folder)); });
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
  document_.startIn(Std(dataFolder_));
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
  picturePath_ =
      JoinPath(JoinPath(dataFolder_, U(messages::kOutputFolder)), U(messages::kDefaultPictureName));
}

void MainForm::closeEvent(QCloseEvent* event) {
  // A close during a run's pause, question or write arrives in a nested event loop: the settings
  // are written once, the pause ends, and the run stops when control returns to it. The window
  // closes whatever happens to the settings file.
  if (!closing_) {
    closing_ = true;
    try {
      SaveResumeParam(resumePath());
    } catch (const std::exception&) {
      // Nobody is left to read a status text; the settings stay as they were on disk.
    }
  }
  services_.endWait();
  event->accept();
}

QString MainForm::resumePath() const {
  return JoinPath(dataFolder_,
                  U(messages::kResumeStem) + U(messages::kVersion) + U(messages::kResumeExtension));
}

QString MainForm::runFolder() const { return U(document_.runFolder()); }

QString MainForm::statusText(int panel) const {
  return panel == 1 ? StatusPanel1->text() : StatusPanel2->text();
}

}  // namespace sondrix
