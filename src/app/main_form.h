#pragma once

#include <array>
#include <memory>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "app/platform_services.h"
#include "app/resume_file.h"
#include "document/document.h"
#include "load/load_file.h"

namespace sondrix {

class ContinuousRun;
class FileBrowser;
class WaveFrame;
class WindowSink;

// The program's one window. It owns the document (the capture on screen), shows the operator's
// settings in its controls, and turns each control into the document call behind it.
// Construction is the start-up: data folder, title, settings from the resume file, cursors.
// Closing it is the shut-down: the settings are written back.
class MainForm final : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainForm(PlatformServices& services, QWidget* parent = nullptr);
  ~MainForm() override;

  // The settings file: 0 when all 18 lines were written or read and applied, -1 otherwise.
  int SaveResumeParam(const QString& filename);
  int LoadResumeParam(const QString& filename);

  QString resumePath() const;
  const QString& DataFolder() const { return dataFolder_; }
  const QString& CsvPath() const { return csvPath_; }
  const QString& CsvFolder() const { return csvFolder_; }

  const WaveRecord& record() const { return document_.record(); }
  const ViewState& view() const { return document_.view(); }
  const Scene& scene() const { return document_.scene(); }
  // The folder the continuous run stores its CSV files in.
  QString runFolder() const;
  FileBrowser& browser() const { return *browser_; }
  WaveFrame& waveFrame() const { return *waveFrame_; }
  QString statusText(int panel) const;

  // Opens what the operator points at with a path on the command line or a drop: a folder in
  // the file browser; a WFM, CSV or TXT file by selecting it there and pressing the button that
  // plays it. Anything else gets a message naming it, and nothing changes.
  void openPath(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildControls();
  QWidget* buildOperationFrame();
  QWidget* buildFolderFrame();
  QWidget* buildExpandFrame();
  QWidget* buildSmoothingFrame();
  void buildSurfaceMenu();
  void orderTabs();
  void connectControls();
  void buildRun();
  void startUp();
  // The 18 lines of the settings file, in the file's order, each tied to its control.
  std::array<ResumeLine, kResumeLineCount> resumeLines();

  // Commands.
  void BinToCsvConvert_Click();
  void InputDsTypeCsvFile_Click();
  void SelResultFileFolder_Click();
  void Start_Click();
  void Stop_Click();
  void smOption_Click(int index);
  void SmPoints_KeyPress();
  void Expand_Click();
  void XReset_Click();
  void ResetCursor_Click();
  void SliderX_Change(int value);
  void SliderY_Change(int value);
  void ExpPos_KeyPress();
  void CdCheck_Click();
  // The surface's context menu and mouse.
  void SavePicture_Click();
  void CopyPicture_Click();
  void Measure_Click();
  // The wheel writes the zoom boxes and presses the zoom button; a double-click the zoom reset.
  void SurfaceWheel(int notches, bool level, QPointF pointer);

  // The smoothing controls into the document, before each draw and store.
  void takeSmoothingControls();
  // What a draw changed: the width box the draw may have rewritten, the scene, the read-outs.
  void showDrawn();
  void showScene();
  // The four zoom boxes: read, and written where their text changed.
  ZoomBoxes zoomBoxes() const;
  void showZoomBoxes(const ZoomBoxes& boxes);
  // The cursors' read-out line (hidden with the cursors) and the measurement table (when asked
  // for), of the record and the window on screen.
  void showReadouts();
  void showMeasurements();

  // Loads and draws one WFM file; a file that could not be read leaves the old waveform.
  LoadResult playWfm(const QString& path);
  // Loads one file into the document, shows its point count and, loaded, draws the whole of it.
  LoadResult play(FileKind kind, const QString& path);
  // The file dialog of the store command: the confirmed path, or an empty text on a cancel.
  QString ShowFileDialog(const QString& initialName, const QString& title, const QString& folder,
                         const QString& filter, FileDialogMode mode);
  // Converts the displayed channels to volts and writes them to `path`, showing `shownName` and
  // the steps in the status bar. False when the file could not be written.
  bool storeDisplayed(const QString& path, const QString& shownName);

  PlatformServices& services_;
  std::unique_ptr<WindowSink> sink_;

  Document document_;

  QString dataFolder_;
  QString csvPath_;
  QString csvFolder_;
  QString picturePath_;  // offered by the next picture save; not kept between runs
  // Why the last press of a play button left the waveform as it was; empty when it played, so
  // that opening a path can tell the operator.
  QString playFailure_;

  std::unique_ptr<ContinuousRun> run_;
  bool closing_ = false;  // the window is closing: a run in progress ends at once

  // Controls, by the names the operator's manual and the settings file use.
  QGroupBox* SmoothingSelF = nullptr;
  std::array<QRadioButton*, 3> smOption{};
  QButtonGroup* smOptionGroup = nullptr;
  QLineEdit* SmPoints = nullptr;
  QLabel* StatusPanel1 = nullptr;
  QLabel* StatusPanel2 = nullptr;
  QGroupBox* OperationF = nullptr;
  QCheckBox* AllSaveCheck = nullptr;
  QPushButton* BinToCsvConvert = nullptr;
  QPushButton* SelResultFileFolder = nullptr;
  QLineEdit* DataSkip = nullptr;
  QPushButton* InputDsTypeCsvFile = nullptr;
  QComboBox* ChSelCombo = nullptr;
  QCheckBox* ConfirmMess = nullptr;
  QGroupBox* LimitLevelF = nullptr;
  QLineEdit* LimitLevel = nullptr;
  QLineEdit* MInt = nullptr;
  QLineEdit* MaxRepeatTimes = nullptr;
  QPushButton* Stop = nullptr;
  QPushButton* Start = nullptr;
  FileBrowser* browser_ = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QCheckBox* CdCheck = nullptr;
  QLineEdit* ZoomRate = nullptr;
  QLineEdit* YZoomRate = nullptr;
  QLineEdit* ExpPos = nullptr;
  QLineEdit* YExpPos = nullptr;
  QPushButton* Expand = nullptr;
  QPushButton* XReset = nullptr;
  QPushButton* ResetCursor = nullptr;
  WaveFrame* waveFrame_ = nullptr;
  QLabel* AcqDataSize = nullptr;
  QAction* SavePicture = nullptr;
  QAction* CopyPicture = nullptr;
  QAction* Measure = nullptr;
};

}  // namespace sondrix
