#include "document/document.h"

#include <span>
#include <utility>

#include "view/measurements.h"
#include "view/renderer.h"

namespace sondrix {

Document::Document() : scene_(InitialScene()) {}

LoadResult Document::load(FileKind kind, const std::filesystem::path& path, UiSink& ui) {
  LoadResult loaded =
      kind == FileKind::Csv ? LoadCsvFile(path, record_, ui) : LoadWfmFile(path, record_, ui);
  if (loaded.ok) source_ = path;
  return loaded;
}

void Document::showWhole() {
  ResetView(view_, record_.header.Points);
  view_.WaveLoaded = true;
  draw(view_.StartIndex, view_.EndIndex, record_.header.TimeDiv);
  boxes_.reset();
  panRecorded_ = false;
  history_.restart({view_, boxes_});
}

void Document::takeSmoothing(SmoothingMode mode, std::string widthText) {
  smoothing_.mode = mode;
  smoothing_.widthText = std::move(widthText);
}

void Document::redraw() { draw(view_.StartIndex, view_.EndIndex, view_.ShownTimeDiv); }

void Document::draw(std::int32_t start, std::int32_t end, double timeDiv) {
  DrawWaveform(record_, view_, smoothing_, smoothed_, scene_, start, end, timeDiv);
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

std::vector<ReadoutPiece> Document::readouts() const {
  return CursorReadouts(record_, view_, timeCursor_, levelCursor_);
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
