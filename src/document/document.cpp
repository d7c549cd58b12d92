#include "document/document.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <utility>

#include "view/measurements.h"
#include "view/renderer.h"

namespace sondrix {

Document::Document() : scene_(InitialScene()) {}

LoadResult Document::load(FileKind kind, const std::filesystem::path& path, UiSink& ui) {
  LoadResult loaded = kind == FileKind::Csv
                          ? LoadCsvFile(path, record_, ui)
                          : LoadBesideShown(record_, spare_, [&](WaveRecord& record) {
                              return LoadWfmFile(path, record, ui);
                            });
  if (loaded.ok) source_ = path;
  return loaded;
}

void Document::showWhole() {
  ResetView(view_, record_.header.Points);
  view_.WaveLoaded = true;
  draw(view_.StartIndex, view_.EndIndex, record_.header.TimeDiv);
  boxes_.reset();
  mark_.reset();
  panRecorded_ = false;
  history_.restart({view_, boxes_});
}

void Document::takeSmoothing(SmoothingMode mode, std::string widthText) {
  smoothing_.mode = mode;
  smoothing_.widthText = std::move(widthText);
}

void Document::redraw() { draw(view_.StartIndex, view_.EndIndex, view_.ShownTimeDiv); }

void Document::draw(std::int32_t start, std::int32_t end, double timeDiv) {
  if (DrawWaveform(record_, view_, smoothing_, smoothed_, scene_, start, end, timeDiv)) {
    drawnSmoothed_ = smoothing_.mode != SmoothingMode::SourceOnly;
  }
}

void Document::drawRecorded(const DrawRequest& request, bool sameStep) {
  draw(request.start, request.end, request.timeDiv);
  history_.record({view_, boxes_}, sameStep);
  panRecorded_ = sameStep;
}

bool Document::expand(ZoomBoxes& boxes) {
  const std::optional<DrawRequest> request = Expand(record_.header, view_, boxes);
  if (!request) return false;
  boxes_ = boxes;
  drawRecorded(*request);
  return true;
}

bool Document::resetZoom() {
  const std::optional<DrawRequest> request = XReset(record_.header, view_);
  if (!request) return false;
  drawRecorded(*request);
  return true;
}

bool Document::zoomToBand(ZoomBoxes& boxes, const Band& band) {
  const std::optional<DrawRequest> request = ZoomToBand(record_.header, view_, boxes, band);
  if (!request) return false;
  boxes_ = boxes;
  drawRecorded(*request);
  return true;
}

void Document::startPan() {
  panFrom_ = view_;
  panRecorded_ = false;
}

bool Document::panTo(double across, double up) {
  ViewState next = panFrom_;
  const std::optional<DrawRequest> request = Pan(record_.header, next, across, up);
  // A step that moves nothing by a whole sample or at all is not drawn again.
  if (!request || (request->start == view_.StartIndex && request->end == view_.EndIndex &&
                   next.YTop == view_.YTop && next.YBottom == view_.YBottom)) {
    return false;
  }
  view_.YTop = next.YTop;
  view_.YBottom = next.YBottom;
  drawRecorded(*request, panRecorded_);
  panRecorded_ = true;
  return true;
}

bool Document::pan(double across, double up) {
  startPan();
  const bool drawn = panTo(across, up);
  panRecorded_ = false;
  return drawn;
}

std::optional<ShownView> Document::restore(std::optional<ShownView> shown) {
  panRecorded_ = false;
  if (!shown) return std::nullopt;
  view_ = shown->view;
  boxes_ = shown->boxes;
  draw(view_.StartIndex, view_.EndIndex, view_.ShownTimeDiv);
  return shown;
}

std::optional<ShownView> Document::back() { return restore(history_.back()); }

std::optional<ShownView> Document::forward() { return restore(history_.forward()); }

std::optional<ZoomBoxes> Document::wheelBoxes(const ZoomBoxes& boxes, WheelAxis axis, int steps,
                                              double pointerX, double pointerY) const {
  return WheelZoomBoxes(record_.header, view_, boxes, axis, steps, pointerX, pointerY);
}

CursorPlacement Document::moveTimeSlider(int value) {
  CursorPlacement placement = SliderXChanged(value);
  timeCursor_ = placement.fraction;
  return placement;
}

CursorPlacement Document::enterTimePosition(std::string_view expPosText) {
  CursorPlacement placement = ExpPosEntered(expPosText);
  timeCursor_ = placement.fraction;
  return placement;
}

CursorPlacement Document::moveLevelSlider(int value) {
  // The line goes where the slider puts it; the read-out takes its level where the zoom does.
  levelCursor_ = LevelCursorFraction(value);
  return SliderYChanged(value);
}

void Document::pointAt(std::optional<double> fraction) {
  // On the surface, so within the window whose smoothed samples the draw left.
  pointer_ = fraction ? std::optional(std::clamp(*fraction, 0.0, 1.0)) : std::nullopt;
}

void Document::setMark(double fraction) {
  if (view_.WaveLoaded) mark_ = SampleAtCursor(view_, fraction);
}

std::optional<double> Document::markFraction() const {
  if (!mark_) return std::nullopt;
  return SampleFraction(view_, static_cast<double>(*mark_));
}

std::vector<ReadoutPiece> Document::readouts(bool withPointer) const {
  std::vector<ReadoutPiece> pieces = CursorReadouts(record_, view_, timeCursor_, levelCursor_);
  const auto append = [&pieces](std::vector<ReadoutPiece> more) {
    pieces.insert(pieces.end(), std::make_move_iterator(more.begin()),
                  std::make_move_iterator(more.end()));
  };
  if (mark_) append(MarkReadouts(record_, view_, *mark_, timeCursor_));
  if (pointer_ && withPointer) {
    // The value the operator sees under the pointer: the smoothed trace's where one is drawn
    // (alone or as the dots over the source), which the draw left for the window on screen.
    ShownSamples shown;
    for (std::size_t c = 0; c < kChannelCount; ++c) {
      shown[c] = drawnSmoothed_ ? std::span<const std::int16_t>(smoothed_.samples[c])
                                : std::span<const std::int16_t>(record_.buffers.SrcData[c]);
    }
    append(PointerReadouts(record_, view_, shown, *pointer_));
  }
  return pieces;
}

std::optional<MeasurementTable> Document::measurements() const {
  if (!view_.WaveDrawn) return std::nullopt;
  return TabulateMeasurements(record_.header,
                              MeasureShownChannels(record_, view_.StartIndex, view_.EndIndex));
}

ExportResult Document::store(const std::filesystem::path& path, int skip, UiSink& ui,
                             std::function<void()> beforeWrite) {
  std::vector<std::int16_t> smoothed;
  CountsOfChannel counts;
  if (smoothing_.mode != SmoothingMode::SourceOnly) {
    counts = [this, &smoothed](int ch) {
      SmoothWholeRecord(record_, ch, smoothing_.lastValidWidth, smoothed);
      return std::span<const std::int16_t>(smoothed);
    };
  }
  return ExportRecord(record_, counts, path, skip, ui, {.beforeWrite = std::move(beforeWrite)});
}

void Document::startIn(std::string dataFolder) {
  dataFolder_ = std::move(dataFolder);
  runFolder_ = dataFolder_;
}

}  // namespace sondrix
