#include "app/main_form.h"

#include <exception>

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLayout>

#include "app/file_browser.h"
#include "app/messages.h"
#include "app/operation_panel.h"
#include "app/qt_text.h"
#include "app/recent_folders.h"
#include "app/split_path.h"
#include "app/waveform_panel.h"
#include "app/window_sink.h"

namespace sondrix {

MainForm::MainForm(PlatformServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
  setObjectName(QStringLiteral("MainForm"));
  setAcceptDrops(true);  // a file or folder dropped on the window is opened (main_form_open.cpp)
  buildControls();
  connect(browser_, &FileBrowser::folderOpened, this,
          [this](const QString& folder) { document_.folderOpened(Std(folder)); });
  startUp();
  productTitle_ = windowTitle();
  connectCaptureGestures();
  connectKeys();
  // The start-up hid controls of the operation frame. The layouts from there up to the window's
  // content are taken again without them before the window's size is chosen; else its minimum
  // would keep their room until the window is on screen.
  for (QWidget* widget = operation_; widget != this; widget = widget->parentWidget()) {
    if (widget->layout()) widget->layout()->activate();
    widget->updateGeometry();
  }
}

MainForm::~MainForm() = default;

void MainForm::startUp() {
  setWindowTitle(U(messages::kTitle));
  operation_->startUp();
  setWindowTitle(windowTitle() + U(messages::kVersion));

  // Each folder step is skipped when it fails; the program runs on without its settings file.
  dataFolder_ = services_.dataFolder();
  const QString parentFolder = QFileInfo(dataFolder_).absolutePath();
  QDir().mkpath(parentFolder);
  QDir().mkpath(dataFolder_);
  document_.startIn(Std(dataFolder_));
  QDir(dataFolder_).mkdir(U(messages::kOutputFolder));

  LoadResumeParam(resumePath());
  recentFolders_ = ReadRecentFolders(recentFoldersPath());
  browser_->setRecentFolders(recentFolders_);
  QString& csvPath = operation_->csvPath();
  if (csvPath.isEmpty()) {
    csvPath =
        JoinPath(JoinPath(dataFolder_, U(messages::kOutputFolder)), U(messages::kDefaultCsvName));
  }
  QString name;
  SplitPath(csvPath, operation_->csvFolder(), name);

  waveform_->placeCursors();
  waveform_->offerPicturePath(JoinPath(JoinPath(dataFolder_, U(messages::kOutputFolder)),
                                       U(messages::kDefaultPictureName)));
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

QString MainForm::recentFoldersPath() const {
  return JoinPath(dataFolder_, U(messages::kRecentFoldersFile));
}

const QString& MainForm::CsvPath() const { return std::as_const(*operation_).csvPath(); }
const QString& MainForm::CsvFolder() const { return std::as_const(*operation_).csvFolder(); }

QString MainForm::runFolder() const { return U(document_.runFolder()); }

WaveFrame& MainForm::waveFrame() const { return waveform_->waveFrame(); }

QString MainForm::statusText(int panel) const {
  return panel == 1 ? StatusPanel1->text() : StatusPanel2->text();
}

}  // namespace sondrix
