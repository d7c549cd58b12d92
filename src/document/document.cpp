#include "document/document.h"

#include <span>
#include <utility>

#include "view/measurements.h"
#include "view/renderer.h"

namespace sondrix {

Document::Document() : scene_(InitialScene()) {}

LoadResult Document::load(FileKind kind, const std::filesystem::path& path, UiSink& ui) {
  return kind == FileKind::Csv ? LoadCsvFile(path, record_, ui) : LoadWfmFile(path, record_, ui);
}

void Document::showWhole() {
  ResetView(view_, record_.header.Points);
  view_.WaveLoaded = true;
  draw(view_.StartIndex, view_.EndIndex, record_.header.TimeDiv);
}

void Document::takeSmoothing(SmoothingMode mode, std::string widthText) {
  smoothing_.mode = mode;
  smoothing_.widthText = std::move(widthText);
}

void Document::redraw() { draw(view_.StartIndex, view_.EndIndex, view_.ShownTimeDiv); }

void Document::draw(std::int32_t start, std::int32_t end, double timeDiv) {
  DrawWaveform(record_, view_, smoothing_, smoothed_, scene_, start, end, timeDiv);
}

bool Document::expand(ZoomBoxes& boxes) {
  const std::optional<DrawRequest> request = Expand(record_.header, view_, boxes);
  if (!request) return false;
  draw(request->start, request->end, request->timeDiv);
  return true;
}

bool Document::resetZoom() {
  const std::optional<DrawRequest> request = XReset(record_.header, view_);
  if (!request) return false;
  draw(request->start, request->end, request->timeDiv);
  return true;
}

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
