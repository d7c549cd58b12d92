#pragma once

#include <functional>
#include <memory>

#include <QGroupBox>
#include <QString>

#include "app/status_panels.h"
#include "load/load_file.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace sondrix {

class ContinuousRun;
class Document;
class FileBrowser;
class FolderFollower;
class PlatformServices;
class WaveformPanel;
class WindowSink;

// What the operation frame needs of the rest of the window.
struct OperationLinks {
  Document& document;
  PlatformServices& services;
  WindowSink& sink;
  StatusPanels status;
  WaveformPanel& waveform;
  FileBrowser& browser;
  QProgressBar* progressBar;
  const bool& closing;  // the window is closing: a run in progress ends at once
  std::function<void(const QString& path)> played;  // a capture was loaded and drawn
};

// The operation frame: the two play buttons, the store command with its decimation box, and the
// continuous run with its settings. It turns the buttons into document calls and the run.
class OperationPanel final : public QGroupBox {
 public:
  OperationPanel(OperationLinks links, QWidget* parent);
  ~OperationPanel() override;

  // What the start-up shows differently from the design: the store caption, and no run limit.
  void startUp();
  // The store command's file and folder, kept in the settings file.
  QString& csvPath() { return csvPath_; }
  QString& csvFolder() { return csvFolder_; }
  const QString& csvPath() const { return csvPath_; }
  const QString& csvFolder() const { return csvFolder_; }

  // Presses the WFM or the CSV play button; why it left the waveform as it was, or empty when
  // it played.
  QString press(FileKind kind);
  // Plays each capture that appears in the browser's folder while "follow" is checked.
  FolderFollower& follower() { return *follower_; }

 private:
  void buildControls();
  void connectControls();
  void buildRun();
  void buildFollower();

  // Commands.
  void BinToCsvConvert_Click();
  void InputDsTypeCsvFile_Click();
  void SelResultFileFolder_Click();
  void Start_Click();
  void Stop_Click();

  // Loads one file into the document, shows its point count and, loaded, draws the whole of it.
  LoadResult play(FileKind kind, const QString& path);
  // Converts the displayed channels to volts and writes them to `path`, showing `shownName` and
  // the steps in the status bar. False when the file could not be written.
  bool storeDisplayed(const QString& path, const QString& shownName);
  // Plays a capture that arrived in the followed folder; empty when it was read and drawn, else
  // the reader's reason (the status bar then stays as it was: the capture is tried again).
  QString playArrived(const QString& path);
  // Stores a WFM capture just played by following as the continuous run stores it.
  void storeArrived(const QString& name);

  OperationLinks links_;
  std::unique_ptr<ContinuousRun> run_;
  FolderFollower* follower_ = nullptr;
  QString csvPath_;
  QString csvFolder_;
  // Why the last press of a play button left the waveform as it was; empty when it played.
  QString playFailure_;

  // Controls, by the names the operator's manual and the settings file use.
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
  QCheckBox* FollowNew = nullptr;
};

}  // namespace sondrix
