// The window's frames in their columns, the status bar, and the order the Tab key takes.
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include <QProgressBar>

#include "app/control_factory.h"
#include "app/file_browser.h"
#include "app/fitted_label.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/operation_panel.h"
#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "app/waveform_panel.h"
#include "app/window_sink.h"

namespace sondrix {

using namespace messages;

namespace {

// The smallest screen the window is made for, 800 x 500, less a title bar and the status bar: the
// window's content never asks for more, and scrolls when it needs more.
constexpr QSize kSmallestRoom(800, 440);

// The window's content, scrolled only when the window is smaller than the content's own minimum:
// the waveform gives way first, and no control is ever out of reach.
class ContentArea final : public QScrollArea {
 public:
  explicit ContentArea(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("ContentArea"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The Tab key moves through the controls; the area follows the focus by itself.
    setFocusPolicy(Qt::NoFocus);
  }
  // The content's own sizes; QScrollArea would cap the size at a few dozen lines of text.
  QSize sizeHint() const override { return widget()->sizeHint(); }
  QSize minimumSizeHint() const override {
    return widget()->minimumSizeHint().boundedTo(kSmallestRoom);
  }

 protected:
  // The content's sizes change once its style is applied; the window's minimum follows them.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
    return QScrollArea::eventFilter(watched, event);
  }
};

}  // namespace

void MainForm::buildControls() {
  setWindowTitle(U(messages::kDesignTitle));
  // A long file name is cut short with an ellipsis instead of widening the window.
  auto* status = Named(new QStatusBar(this), "StatusBar1");
  StatusPanel1 = Named(new FittedLabel(1.0, status), "StatusPanel1");
  StatusPanel2 = Named(new FittedLabel(1.0, status), "StatusPanel2");
  status->addWidget(StatusPanel1, 3);
  status->addWidget(StatusPanel2, 2);
  const StatusPanels panels{StatusPanel1, StatusPanel2};

  auto* area = new ContentArea(this);
  auto* central = new QWidget(area);
  auto* columns = Packed(new QHBoxLayout(central), 4);
  waveform_ = new WaveformPanel(document_, services_, panels, central);
  columns->addWidget(waveform_, 3);
  auto* right = Packed(new QVBoxLayout, 0);
  right->addWidget(buildFolderFrame(), 1);
  sink_ = std::make_unique<WindowSink>(StatusPanel1, StatusPanel2, ProgressBar1, services_);
  operation_ =
      new OperationPanel({document_, services_, *sink_, panels, *waveform_, *browser_, ProgressBar1,
                          closing_, [this](const QString& path) { showPlayed(path); }},
                         central);
  right->addWidget(operation_);
  columns->addLayout(right, 1);
  area->setWidget(central);
  setCentralWidget(area);
  setStatusBar(status);
  orderTabs();
}

QWidget* MainForm::buildFolderFrame() {
  QGroupBox* frame = Frame("FolderSelectFrame", captions::kFolderSelectFrame, this);
  browser_ = new FileBrowser(services_, frame);
  ProgressBar1 = Named(new QProgressBar(frame), "ProgressBar1");
  ProgressBar1->setTextVisible(false);
  auto* column = Packed(new QVBoxLayout(frame));
  column->addWidget(browser_, 1);
  column->addWidget(ProgressBar1);
  return frame;
}

void MainForm::orderTabs() {
  // As the operator reads the window: the left column, then the right one; within each frame
  // from top to bottom, and left to right along a row.
  const auto named = [this](const char* name) {
    return findChild<QWidget*>(QString::fromLatin1(name));
  };
  QWidget* previous = nullptr;
  const auto frame = [&previous, &named](std::initializer_list<const char*> names) {
    for (const char* name : names) {
      QWidget* widget = named(name);
      if (previous) setTabOrder(previous, widget);
      previous = widget;
    }
  };
  frame({"SliderY", "SliderX"});
  frame(
      {"ZoomRate", "ExpPos", "Expand", "YZoomRate", "YExpPos", "XReset", "ResetCursor", "CdCheck"});
  frame({"smOption0", "smOption1", "SmPoints", "smOption2"});
  frame({"DriveList", "PathBox", "DirList", "FileFilter", "FollowNew", "FileList"});
  frame({"BinToCsvConvert", "InputDsTypeCsvFile", "SelResultFileFolder", "DataSkip", "MInt",
         "MaxRepeatTimes", "ConfirmMess", "AllSaveCheck", "Start", "Stop"});
}

}  // namespace sondrix
