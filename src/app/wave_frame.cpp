#include "app/wave_frame.h"

#include <algorithm>
#include <cmath>

#include "app/fitted_label.h"
#include "app/qt_text.h"

#include "model/scale.h"
#include "view/cursors.h"

namespace sondrix {

namespace {

// The captions may be drawn down to three quarters of their size before they are cut short.
constexpr double kSmallestCaption = 0.75;
constexpr int kGap = 4;
// The smallest surface: ten divisions of 20 pixels, enough to tell the traces apart.
constexpr int kSmallestSurfaceWidth = 200;

QLabel* CaptionLabel(const QString& name, QWidget* parent) {
  auto* label = new FittedLabel(kSmallestCaption, parent);
  label->setObjectName(name);
  return label;
}

void ShowCaption(QLabel* label, const Caption& caption, bool coloured) {
  label->setText(U(caption.text));
  label->setVisible(caption.visible);
  if (coloured) {
    label->setStyleSheet(QStringLiteral("background-color: %1; color: black;")
                             .arg(ToQColor(caption.backColour).name()));
  }
}

// A fraction of an extent in pixels from `origin`, kept within reach of the widget coordinates.
int At(int origin, double fraction, int extent) {
  if (!std::isfinite(fraction)) return origin;
  return origin + static_cast<int>(std::round(std::clamp(fraction, -4.0, 5.0) * (extent - 1)));
}

}  // namespace

WaveFrame::WaveFrame(QWidget* parent)
    : QFrame(parent),
      surface_(new WaveSurface(this)),
      sliderX_(new QSlider(Qt::Horizontal, this)),
      sliderY_(new QSlider(Qt::Vertical, this)),
      tdivLabel_(CaptionLabel(QStringLiteral("TdivLabel"), this)),
      xsLabel_(CaptionLabel(QStringLiteral("XSLabel"), this)),
      xcLabel_(CaptionLabel(QStringLiteral("XCLabel"), this)),
      xeLabel_(CaptionLabel(QStringLiteral("XELabel"), this)),
      delayMark_(new LineMark(QStringLiteral("DelayMark"), Qt::white, this)),
      tlLine_(new LineMark(QStringLiteral("Tlline"), Qt::white, this)),
      readouts_(new ReadoutLine(this)) {
  setObjectName(QStringLiteral("WaveFrame"));
  setFrameShape(QFrame::StyledPanel);
  // Dark like the instrument's screen, so that the white marks and captions read well.
  setAutoFillBackground(true);
  QPalette dark = palette();
  dark.setColor(QPalette::Window, QColor(0x20, 0x22, 0x26));
  dark.setColor(QPalette::WindowText, Qt::white);
  setPalette(dark);

  sliderX_->setObjectName(QStringLiteral("SliderX"));
  sliderX_->setRange(kSliderXMin, kSliderXMax);
  sliderX_->setValue(CentredSliders().x);
  sliderX_->setPageStep(100);  // one division
  sliderY_->setObjectName(QStringLiteral("SliderY"));
  sliderY_->setRange(kSliderYMin, kSliderYMax);
  sliderY_->setValue(CentredSliders().y);
  sliderY_->setPageStep(kCountsPerDivision);
  // The minimum lies at the top, like the surface's rows.
  sliderY_->setInvertedAppearance(true);
  sliderY_->setInvertedControls(true);

  for (std::size_t ch = 0; ch < kChannelCount; ++ch) {
    const auto number = QString::number(ch);
    vdivLabels_[ch] = CaptionLabel(QStringLiteral("VdivLabel") + number, this);
    // Margins rather than a style sheet's padding, so the label fits its text to what is left.
    vdivLabels_[ch]->setContentsMargins(4, 0, 4, 0);
    vrefLines_[ch] =
        new LineMark(QStringLiteral("VrefLine") + number, ToQColor(kChannelColours[ch]), this);
  }
  xcLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  xeLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Tlline is kept for its name only: nothing places it, so it stays hidden.
  tlLine_->hide();
  readouts_->hide();
}

void WaveFrame::showReadouts(std::vector<ReadoutPiece> pieces) {
  readouts_->setVisible(!pieces.empty());
  readouts_->setPieces(std::move(pieces));
}

void WaveFrame::showMeasurements(std::optional<MeasurementTable> table) {
  MeasurementOverlay* overlay = surface_->measurements();
  if (table) overlay->setTable(std::move(*table), surface_->size());
  overlay->setVisible(table.has_value());
}

void WaveFrame::showScene(const Scene* scene) {
  scene_ = scene;
  surface_->setScene(scene);
  if (!scene) return;
  for (std::size_t ch = 0; ch < kChannelCount; ++ch) {
    ShowCaption(vdivLabels_[ch], scene->vdivLabels[ch], true);
    vrefLines_[ch]->setColour(ToQColor(scene->vrefLines[ch].colour));
    vrefLines_[ch]->setVisible(scene->vrefLines[ch].visible);
  }
  ShowCaption(tdivLabel_, scene->tdivLabel, false);
  ShowCaption(xsLabel_, scene->xsLabel, false);
  ShowCaption(xcLabel_, scene->xcLabel, false);
  ShowCaption(xeLabel_, scene->xeLabel, false);
  delayMark_->setColour(ToQColor(scene->delayMark.colour));
  delayMark_->setVisible(scene->delayMark.visible);
  // The captions' room depends on their texts.
  layOut();
}

QSize WaveFrame::sizeHint() const { return {760, 680}; }

WaveFrame::Margins WaveFrame::margins(int areaWidth) const {
  Margins m;
  m.text = fontMetrics().height() + 4;
  m.slider = sliderY_->sizeHint().width();
  m.mark = std::max(8, areaWidth / 50 + 2);
  const int tdivWidth = fontMetrics().horizontalAdvance(QStringLiteral("999.99ms/div")) + 8;
  m.rightColumn = std::max(kGap + m.slider, tdivWidth);
  return m;
}

QSize WaveFrame::minimumSizeHint() const {
  const int height = kSmallestSurfaceWidth * kDivisionsY / kDivisionsX;
  const QMargins frame = contentsMargins();
  const Margins m = margins(0);  // the marks' least length, which a frame this small has
  return {frame.left() + frame.right() + 2 * kGap + m.mark + kSmallestSurfaceWidth + m.rightColumn,
          frame.top() + frame.bottom() + 2 * kGap + m.text + kGap + height + m.mark + m.slider +
              2 * m.text};
}

int WaveFrame::heightForWidth(int width) const {
  const QMargins frame = contentsMargins();
  const int areaWidth = width - frame.left() - frame.right() - 2 * kGap;
  const Margins m = margins(areaWidth);
  const int surfaceWidth = std::max(0, areaWidth - m.mark - m.rightColumn);
  const int surfaceHeight = (surfaceWidth * kDivisionsY + kDivisionsX - 1) / kDivisionsX;
  return frame.top() + frame.bottom() + 2 * kGap + m.text + kGap + surfaceHeight + m.mark +
         m.slider + 2 * m.text;
}

void WaveFrame::resizeEvent(QResizeEvent*) { layOut(); }

void WaveFrame::layOut() {
  const int gap = kGap;
  const QRect area = contentsRect().adjusted(gap, gap, -gap, -gap);
  // Room around the surface: captions above; the level marks left of it; the level slider and
  // the time per division right of it; the trigger mark, the time slider, the time captions and
  // the read-out line below.
  const auto [text, slider, mark, rightColumn] = margins(area.width());
  const int availableWidth = area.width() - mark - rightColumn;
  const int availableHeight = area.height() - text - gap - (mark + slider + 2 * text);
  const int width =
      std::max(40, std::min(availableWidth, availableHeight * kDivisionsX / kDivisionsY));
  const int height = width * kDivisionsY / kDivisionsX;
  const int left = area.left() + mark + (availableWidth - width) / 2;
  const int top = area.top() + text + gap;
  surface_->setGeometry(left, top, width, height);
  sliderY_->setGeometry(left + width + gap, top, slider, height);

  // The V/div captions share the surface's width; a surface made small by a low window lends
  // them the free room beside it, so that they keep their size.
  int needed = 0;
  for (const QLabel* label : vdivLabels_) {
    if (label->isHidden()) continue;
    const QMargins margins = label->contentsMargins();
    needed = std::max(needed, label->fontMetrics().horizontalAdvance(label->text()) +
                                  margins.left() + margins.right() + gap);
  }
  const int roomLeft = std::max(0, left - area.left());
  const int roomRight = std::max(0, area.left() + area.width() - rightColumn - (left + width));
  const int grow =
      std::clamp(static_cast<int>(kChannelCount) * needed - width, 0, roomLeft + roomRight);
  const int growLeft = std::min(roomLeft, grow - std::min(roomRight, grow / 2));
  const int growRight = grow - growLeft;
  const int captionsLeft = left - growLeft;
  const int quarter = (width + grow) / static_cast<int>(kChannelCount);
  for (std::size_t ch = 0; ch < kChannelCount; ++ch) {
    vdivLabels_[ch]->setGeometry(captionsLeft + static_cast<int>(ch) * quarter, area.top(),
                                 quarter - gap, text);
  }
  tdivLabel_->setGeometry(left + width + gap + growRight, area.top(), rightColumn - gap, text);
  const int sliderTop = top + height + mark;
  sliderX_->setGeometry(left, sliderTop, width, slider);
  const int captionTop = sliderTop + slider;
  xsLabel_->setGeometry(left, captionTop, width / 3, text);
  xcLabel_->setGeometry(left + width / 3, captionTop, width - 2 * (width / 3), text);
  xeLabel_->setGeometry(left + width - width / 3, captionTop, width / 3, text);
  // The read-out line may use the frame's whole width: with four channels it is long.
  readouts_->setGeometry(area.left(), captionTop + text, area.width(), text);
  placeMarks();
}

void WaveFrame::placeMarks() {
  const QRect s = surface_->geometry();
  if (!scene_) return;
  const int length = static_cast<int>(std::lround(s.width() * kLevelMarkLength));
  for (std::size_t ch = 0; ch < kChannelCount; ++ch) {
    vrefLines_[ch]->placeHorizontal(s.left() - length, s.left(),
                                    At(s.top(), scene_->vrefLines[ch].y, s.height()), 2);
  }
  const int tick = std::max(3, static_cast<int>(std::lround(s.height() * kDelayTickLength)));
  delayMark_->placeVertical(At(s.left(), scene_->delayMark.x, s.width()), s.bottom() + 1,
                            s.bottom() + 1 + tick, 2);
}

}  // namespace sondrix
