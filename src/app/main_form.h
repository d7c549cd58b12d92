#pragma once

#include <array>
#include <memory>

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "app/platform_services.h"
#include "app/resume_file.h"
#include "document/document.h"

class QLabel;
class QProgressBar;

namespace sondrix {

class FileBrowser;
class OperationPanel;
class WaveFrame;
class WaveformPanel;
class WindowSink;

// The program's one window: the document (the capture on screen) and the frames that show it and
// turn the operator's controls into its calls: the waveform panel, the file browser and the
// operation frame. Construction is the start-up: data folder, title, settings from the resume
// file, cursors. Closing it is the shut-down: the settings are written back.
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
  const QString& CsvPath() const;
  const QString& CsvFolder() const;

  const WaveRecord& record() const { return document_.record(); }
  const ViewState& view() const { return document_.view(); }
  const Scene& scene() const { return document_.scene(); }
  // The folder the continuous run stores its CSV files in.
  QString runFolder() const;
  FileBrowser& browser() const { return *browser_; }
  OperationPanel& operation() const { return *operation_; }
  WaveFrame& waveFrame() const;
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
  QWidget* buildFolderFrame();
  void orderTabs();
  // Double-click or Enter on a listed capture, and the keys to the next or previous one.
  void connectCaptureGestures();
  // A key for every command, shown in its tooltip or menu entry; F1 lists them.
  void connectKeys();
  void playListed(const QString& name);
  // A capture was loaded and drawn: the title names it, and its folder is the most recent.
  void showPlayed(const QString& path);
  QString recentFoldersPath() const;
  void startUp();
  // The 18 lines of the settings file, in the file's order, each tied to its control.
  std::array<ResumeLine, kResumeLineCount> resumeLines();

  PlatformServices& services_;
  Document document_;
  QString dataFolder_;
  QString productTitle_;  // the window title before a capture is shown
  QStringList recentFolders_;
  bool closing_ = false;  // the window is closing: a run in progress ends at once

  QLabel* StatusPanel1 = nullptr;
  QLabel* StatusPanel2 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  std::unique_ptr<WindowSink> sink_;
  WaveformPanel* waveform_ = nullptr;
  FileBrowser* browser_ = nullptr;
  OperationPanel* operation_ = nullptr;
};

}  // namespace sondrix
