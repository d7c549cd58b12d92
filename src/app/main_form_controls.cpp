// The window's controls with their names, captions and design-time texts, and their layout.
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/file_browser.h"
#include "app/fitted_label.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "load/messages.h"

namespace sondrix {

using namespace messages;

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// Frames packed closer than the style's spacing, so that the window fits a screen of 800 x 500.
template <typename Layout>
Layout* Packed(Layout* layout, int margin = 6) {
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(4);
  return layout;
}

QLineEdit* TextBox(const char* name, const char* text, QWidget* parent) {
  auto* box = Named(new QLineEdit(U(text), parent), name);
  box->setMinimumWidth(40);  // five digits
  box->setMaximumWidth(160);
  return box;
}

QGroupBox* Frame(const char* name, const char* caption, QWidget* parent) {
  return Named(new QGroupBox(U(caption), parent), name);
}

// A frame holding a single text box, as the operation frame's settings are shown.
QGroupBox* BoxFrame(const char* name, const char* caption, QLineEdit*& box, const char* boxName,
                    const char* text, QWidget* parent) {
  QGroupBox* frame = Frame(name, caption, parent);
  box = TextBox(boxName, text, frame);
  auto* layout = Packed(new QVBoxLayout(frame), 4);
  layout->setContentsMargins(4, 0, 4, 4);  // the caption above is margin enough
  layout->addWidget(box);
  return frame;
}

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
  auto* area = new ContentArea(this);
  auto* central = new QWidget(area);
  auto* columns = Packed(new QHBoxLayout(central), 4);

  auto* left = Packed(new QVBoxLayout, 0);
  waveFrame_ = new WaveFrame(central);
  left->addWidget(waveFrame_, 1);
  AcqDataSize = Named(new QLabel(U(load_messages::kAcqDataSize), central), "AcqDataSize");
  left->addWidget(AcqDataSize);
  auto* lower = Packed(new QHBoxLayout, 0);
  lower->addWidget(buildExpandFrame(), 3);
  lower->addWidget(buildSmoothingFrame(), 2);
  left->addLayout(lower);
  columns->addLayout(left, 3);

  auto* right = Packed(new QVBoxLayout, 0);
  right->addWidget(buildFolderFrame(), 1);
  right->addWidget(buildOperationFrame());
  columns->addLayout(right, 1);
  area->setWidget(central);
  setCentralWidget(area);

  // A long file name is cut short with an ellipsis instead of widening the window.
  auto* status = Named(new QStatusBar(this), "StatusBar1");
  StatusPanel1 = Named(new FittedLabel(1.0, status), "StatusPanel1");
  StatusPanel2 = Named(new FittedLabel(1.0, status), "StatusPanel2");
  status->addWidget(StatusPanel1, 3);
  status->addWidget(StatusPanel2, 2);
  setStatusBar(status);
  buildSurfaceMenu();
  orderTabs();
}

void MainForm::buildSurfaceMenu() {
  WaveSurface* surface = waveFrame_->surface();
  SavePicture = Named(new QAction(U(kSavePicture), surface), "SavePicture");
  CopyPicture = Named(new QAction(U(kCopyPicture), surface), "CopyPicture");
  Measure = Named(new QAction(U(kMeasure), surface), "Measure");
  Measure->setCheckable(true);
  surface->addActions({SavePicture, CopyPicture, Measure});
}

void MainForm::orderTabs() {
  // As the operator reads the window: the left column, then the right one; within each frame
  // from top to bottom, and left to right along a row.
  const auto named = [this](const char* name) {
    return browser_->findChild<QWidget*>(QString::fromLatin1(name));
  };
  QWidget* previous = nullptr;
  const auto frame = [&previous](std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets) {
      if (previous) setTabOrder(previous, widget);
      previous = widget;
    }
  };
  frame({waveFrame_->sliderY(), waveFrame_->sliderX()});
  frame({ZoomRate, ExpPos, Expand, YZoomRate, YExpPos, XReset, ResetCursor, CdCheck});
  frame({smOption[0], smOption[1], SmPoints, smOption[2]});
  frame({named("DriveList"), named("DirList"), named("FileFilter"), named("FileList")});
  frame({BinToCsvConvert, InputDsTypeCsvFile, SelResultFileFolder, DataSkip, MInt, MaxRepeatTimes,
         ConfirmMess, AllSaveCheck, Start, Stop});
}

QWidget* MainForm::buildOperationFrame() {
  OperationF = Frame("OperationF", captions::kOperationF, this);
  AllSaveCheck = Named(new QCheckBox(U(captions::kAllSaveCheck), OperationF), "AllSaveCheck");
  BinToCsvConvert =
      Named(new QPushButton(U(captions::kBinToCsvConvert), OperationF), "BinToCsvConvert");
  SelResultFileFolder = Named(new QPushButton(U(captions::kSelResultFileFolderDesign), OperationF),
                              "SelResultFileFolder");
  QGroupBox* skipFrame =
      BoxFrame("DataSkipFrame", captions::kDataSkipFrame, DataSkip, "DataSkip", "0", OperationF);
  InputDsTypeCsvFile =
      Named(new QPushButton(U(captions::kInputDsTypeCsvFile), OperationF), "InputDsTypeCsvFile");
  ChSelCombo = Named(new QComboBox(OperationF), "ChSelCombo");
  ChSelCombo->addItems({"CH1", "CH2", "CH3", "CH4"});
  ConfirmMess = Named(new QCheckBox(U(captions::kConfirmMess), OperationF), "ConfirmMess");
  LimitLevelF =
      BoxFrame("LimitLevelF", captions::kLimitLevelF, LimitLevel, "LimitLevel", "13", OperationF);
  QGroupBox* intervalFrame = BoxFrame("MIntF", captions::kMIntF, MInt, "MInt", "1", OperationF);
  QGroupBox* countFrame = BoxFrame("MaxRepeatTimesF", captions::kMaxRepeatTimesF, MaxRepeatTimes,
                                   "MaxRepeatTimes", "10000", OperationF);
  Stop = Named(new QPushButton(U(captions::kStop), OperationF), "Stop");
  Start = Named(new QPushButton(U(captions::kStart), OperationF), "Start");

  auto* grid = Packed(new QGridLayout(OperationF));
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
  return OperationF;
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

QWidget* MainForm::buildExpandFrame() {
  QGroupBox* frame = Frame("ExpandFrame", captions::kExpandFrame, this);
  ZoomRate = TextBox("ZoomRate", "2", frame);
  YZoomRate = TextBox("YZoomRate", "2", frame);
  ExpPos = TextBox("ExpPos", "5", frame);
  YExpPos = TextBox("YExpPos", "4", frame);
  Expand = Named(new QPushButton(U(captions::kExpand), frame), "Expand");
  XReset = Named(new QPushButton(U(captions::kXReset), frame), "XReset");
  ResetCursor = Named(new QPushButton(U(captions::kResetCursor), frame), "ResetCursor");
  CdCheck = Named(new QCheckBox(U(captions::kCdCheck), frame), "CdCheck");

  auto* grid = Packed(new QGridLayout(frame));
  grid->addWidget(Named(new QLabel(U(captions::kLabel1), frame), "Label1"), 0, 1);
  grid->addWidget(Named(new QLabel(U(captions::kLabel2), frame), "Label2"), 0, 2);
  grid->addWidget(Named(new QLabel(U(captions::kExpRateLabel), frame), "ExpRateLabel"), 1, 0);
  grid->addWidget(ZoomRate, 1, 1);
  grid->addWidget(ExpPos, 1, 2);
  grid->addWidget(Named(new QLabel(U(captions::kExpYLabel), frame), "ExpYLabel"), 2, 0);
  grid->addWidget(YZoomRate, 2, 1);
  grid->addWidget(YExpPos, 2, 2);
  grid->addWidget(Expand, 1, 3);
  grid->addWidget(XReset, 2, 3);
  grid->addWidget(ResetCursor, 3, 1, 1, 2);
  grid->addWidget(CdCheck, 3, 3);
  return frame;
}

QWidget* MainForm::buildSmoothingFrame() {
  SmoothingSelF = Frame("SmoothingSelF", captions::kSmoothingSelF, this);
  smOptionGroup = new QButtonGroup(SmoothingSelF);
  const std::array<const char*, 3> captions{captions::kSmOption0, captions::kSmOption1,
                                            captions::kSmOption2};
  auto* grid = Packed(new QGridLayout(SmoothingSelF));
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(U(captions[static_cast<std::size_t>(i)]), SmoothingSelF);
    option->setObjectName(QStringLiteral("smOption%1").arg(i));
    option->setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 192); color: black;"));
    smOptionGroup->addButton(option, i);
    smOption[static_cast<std::size_t>(i)] = option;
    grid->addWidget(option, i, 0);
  }
  smOption[0]->setChecked(true);
  SmPoints = TextBox("SmPoints", "11", SmoothingSelF);
  grid->addWidget(Named(new QLabel(U(captions::kLabel3), SmoothingSelF), "Label3"), 0, 1);
  grid->addWidget(SmPoints, 1, 1);
  grid->addWidget(Named(new QLabel(U(captions::kLabel4), SmoothingSelF), "Label4"), 2, 1);
  return SmoothingSelF;
}

}  // namespace sondrix
