#pragma once

#include <array>
#include <optional>

#include <QString>
#include <QWidget>

#include "app/status_panels.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPointF;
class QPushButton;
class QRadioButton;
class QRectF;
class QSize;

namespace sondrix {

class Document;
class PlatformServices;
class WaveFrame;
struct ReportContent;
struct ShownView;
struct ZoomBoxes;

// The window's left column: the waveform frame, the point count under it, the zoom and cursor
// frame, the smoothing frame and the surface's context menu. It turns their signals into calls of
// the document and shows what the document then holds.
class WaveformPanel final : public QWidget {
 public:
  WaveformPanel(Document& document, PlatformServices& services, StatusPanels status,
                QWidget* parent);

  WaveFrame& waveFrame() const { return *waveFrame_; }

  // The smoothing controls into the document, before each draw and store.
  void takeSmoothingControls();
  // What follows a load that succeeded: the whole record drawn with the controls' smoothing.
  void showWhole();
  // The record's point count under the frame.
  void showPointCount(const QString& text);
  // The cursors where the sliders stand, as the start-up places them once the settings are read.
  void placeCursors();
  // The arrow keys on the waveform: the view moved by whole divisions (positive: later samples,
  // higher levels).
  void panDivisions(int across, int up);
  // Back to the view before the current one, or forward again; the boxes show how it was zoomed.
  void goBack();
  void goForward();
  // Where the next picture save offers to write; not kept between runs.
  void offerPicturePath(const QString& path) { picturePath_ = path; }

 private:
  QWidget* buildExpandFrame();
  QWidget* buildSmoothingFrame();
  void buildSurfaceMenu();
  void connectControls();

  // Commands.
  void smOption_Click(int index);
  void SmPoints_KeyPress();
  void Expand_Click();
  void XReset_Click();
  void ResetCursor_Click();
  void SliderX_Change(int value);
  void SliderY_Change(int value);
  void ExpPos_KeyPress();
  void CdCheck_Click();
  void SavePicture_Click();
  void CopyPicture_Click();
  void Measure_Click();
  // The wheel writes the zoom boxes and presses the zoom button; a double-click the zoom reset.
  void SurfaceWheel(int notches, bool level, QPointF pointer);
  // A band drawn with the mouse is zoomed to through the boxes; a drag with the middle button or
  // Shift pans.
  void SurfaceBand(QRectF band);
  void SurfacePan(double across, double up);
  void showRestored(const std::optional<ShownView>& shown);

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
  // The waveform as a picture for a report shows it, cursors and table as on screen.
  ReportContent reportContent() const;
  QSize pictureSize() const;
  // The capture's name with the last picture's extension, in the last picture's folder or, before
  // the first, the capture's; the offered path before any capture.
  QString suggestedPicturePath() const;

  Document& document_;
  PlatformServices& services_;
  StatusPanels status_;
  QString picturePath_;
  bool pictureSaved_ = false;  // picturePath_ is a picture saved, not the first offer

  // Controls, by the names the operator's manual and the settings file use.
  WaveFrame* waveFrame_ = nullptr;
  QLabel* AcqDataSize = nullptr;
  QLineEdit* ZoomRate = nullptr;
  QLineEdit* YZoomRate = nullptr;
  QLineEdit* ExpPos = nullptr;
  QLineEdit* YExpPos = nullptr;
  QPushButton* Expand = nullptr;
  QPushButton* XReset = nullptr;
  QPushButton* ResetCursor = nullptr;
  QCheckBox* CdCheck = nullptr;
  std::array<QRadioButton*, 3> smOption{};
  QButtonGroup* smOptionGroup = nullptr;
  QLineEdit* SmPoints = nullptr;
  QAction* SavePicture = nullptr;
  QAction* CopyPicture = nullptr;
  QAction* Measure = nullptr;
};

}  // namespace sondrix
