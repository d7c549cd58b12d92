// The left column's controls with their names, captions and design-time texts, their layout,
// and the wiring of their signals to the commands.
#include "app/waveform_panel.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "app/command_guard.h"
#include "app/control_factory.h"
#include "app/messages.h"
#include "app/wave_frame.h"
#include "document/document.h"
#include "load/messages.h"

namespace sondrix {

using namespace messages;

WaveformPanel::WaveformPanel(Document& document, PlatformServices& services, StatusPanels status,
                             QWidget* parent)
    : QWidget(parent), document_(document), services_(services), status_(status) {
  setObjectName(QStringLiteral("WaveformPanel"));
  auto* column = Packed(new QVBoxLayout(this), 0);
  waveFrame_ = new WaveFrame(this);
  waveFrame_->showScene(&document_.scene());
  column->addWidget(waveFrame_, 1);
  AcqDataSize = Named(new QLabel(U(load_messages::kAcqDataSize), this), "AcqDataSize");
  column->addWidget(AcqDataSize);
  auto* lower = Packed(new QHBoxLayout, 0);
  lower->addWidget(buildExpandFrame(), 3);
  lower->addWidget(buildSmoothingFrame(), 2);
  column->addLayout(lower);
  buildSurfaceMenu();
  connectControls();
}

QWidget* WaveformPanel::buildExpandFrame() {
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

QWidget* WaveformPanel::buildSmoothingFrame() {
  QGroupBox* frame = Frame("SmoothingSelF", captions::kSmoothingSelF, this);
  smOptionGroup = new QButtonGroup(frame);
  const std::array<const char*, 3> captions{captions::kSmOption0, captions::kSmOption1,
                                            captions::kSmOption2};
  auto* grid = Packed(new QGridLayout(frame));
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(U(captions[static_cast<std::size_t>(i)]), frame);
    option->setObjectName(QStringLiteral("smOption%1").arg(i));
    option->setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 192); color: black;"));
    smOptionGroup->addButton(option, i);
    smOption[static_cast<std::size_t>(i)] = option;
    grid->addWidget(option, i, 0);
  }
  smOption[0]->setChecked(true);
  SmPoints = TextBox("SmPoints", "11", frame);
  grid->addWidget(Named(new QLabel(U(captions::kLabel3), frame), "Label3"), 0, 1);
  grid->addWidget(SmPoints, 1, 1);
  grid->addWidget(Named(new QLabel(U(captions::kLabel4), frame), "Label4"), 2, 1);
  return frame;
}

void WaveformPanel::buildSurfaceMenu() {
  WaveSurface* surface = waveFrame_->surface();
  SavePicture = Named(new QAction(U(kSavePicture), surface), "SavePicture");
  CopyPicture = Named(new QAction(U(kCopyPicture), surface), "CopyPicture");
  Measure = Named(new QAction(U(kMeasure), surface), "Measure");
  Measure->setCheckable(true);
  surface->addActions({SavePicture, CopyPicture, Measure});
}

void WaveformPanel::connectControls() {
  const auto guarded = [this](auto command) { return Guarded(status_.step, std::move(command)); };
  for (int i = 0; i < 3; ++i) {
    connect(smOption[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
            [this, guarded, i](bool checked) {
              if (checked) guarded([this, i] { smOption_Click(i); })();
            });
  }
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
  connect(surface, &WaveSurface::bandDrawn, this,
          [this, guarded](QRectF band) { guarded([this, band] { SurfaceBand(band); })(); });
  connect(surface, &WaveSurface::panStarted, this, [this] { document_.startPan(); });
  connect(surface, &WaveSurface::panDragged, this, [this, guarded](double across, double up) {
    guarded([this, across, up] { SurfacePan(across, up); })();
  });
  // A grey box read from the settings file stays grey until the operator clicks it.
  connect(CdCheck, &QCheckBox::clicked, CdCheck, [this] { CdCheck->setTristate(false); });
}

}  // namespace sondrix
