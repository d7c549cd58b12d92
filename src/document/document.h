#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "csv/export_record.h"
#include "document/view_history.h"
#include "load/load_file.h"
#include "load/spare_samples.h"
#include "model/ui_sink.h"
#include "model/view_state.h"
#include "model/wave_record.h"
#include "view/cursors.h"
#include "view/drag_zoom.h"
#include "view/measurement_table.h"
#include "view/point_readouts.h"
#include "view/readouts.h"
#include "view/scene.h"
#include "view/smoothed_window.h"
#include "view/smoothing_choice.h"
#include "view/wheel_zoom.h"
#include "view/zoom.h"

namespace sondrix {

// The capture on screen and every operation on it: the one waveform record, which part of it is
// shown, the scene drawn from them, the smoothing controls' state with its cache, the cursors,
// and the folder the continuous run stores into. The window turns its controls into these calls
// and shows what they return; texts to the operator go through the UiSink a call is given.
class Document {
 public:
  Document();

  const WaveRecord& record() const { return record_; }
  const ViewState& view() const { return view_; }
  const Scene& scene() const { return scene_; }
  const SmoothingChoice& smoothing() const { return smoothing_; }

  // Reads a WFM capture or a CSV/TXT file into the record. One that cannot be read leaves the
  // waveform, its view and a later store those of the previous file. Draws nothing.
  LoadResult load(FileKind kind, const std::filesystem::path& path, UiSink& ui);
  // The file the record was last read from; empty before the first.
  const std::filesystem::path& source() const { return source_; }
  // What follows a load that succeeded: the whole record at unit zoom, marked loaded, drawn. The
  // history of views starts again from it.
  void showWhole();

  // The smoothing controls as the operator left them; taken before every draw and store. The
  // draw may rewrite the width text (smoothing().widthText) to the width it applied.
  void takeSmoothing(SmoothingMode mode, std::string widthText);
  // The smoothing change: the window on screen drawn again with the controls taken.
  void redraw();

  // The zoom button with the four boxes' texts, which it may rewrite; true when it drew.
  bool expand(ZoomBoxes& boxes);
  // The zoom reset; true when it drew.
  bool resetZoom();
  // What the wheel writes into the boxes before it presses the zoom button; none when there is
  // nothing to zoom. Fractions are of the surface from the left and from the top.
  std::optional<ZoomBoxes> wheelBoxes(const ZoomBoxes& boxes, WheelAxis axis, int steps,
                                      double pointerX, double pointerY) const;
  // The rubber band: the zoom button pressed with the boxes that show the band (which it
  // rewrites), the window then laid on the band; true when it drew.
  bool zoomToBand(ZoomBoxes& boxes, const Band& band);
  // A drag that pans: each step moves the view from where it stood when the drag started, by
  // `across` of the window's width (positive: later samples) and `up` of its height (positive:
  // higher levels), so it follows the pointer; the whole drag is one step of the history.
  void startPan();
  bool panTo(double across, double up);
  // A pan that is a step of its own, as an arrow key's.
  bool pan(double across, double up);

  // Every change of the view above is a step of the history; these show the step before or
  // after the current one as it was drawn, with the boxes it was zoomed with. None at either end.
  std::optional<ShownView> back();
  std::optional<ShownView> forward();

  // The cursor commands: where each line goes and the text its position box shows. The read-out
  // line follows the last of them.
  CursorPlacement moveTimeSlider(int value);
  CursorPlacement enterTimePosition(std::string_view expPosText);
  CursorPlacement moveLevelSlider(int value);
  // The pointer over the surface at a fraction of its width from the left, or none once it left.
  void pointAt(std::optional<double> fraction);
  // The reference mark: the sample under a fraction of the surface width, until cleared or the
  // next load. Where its line goes across the surface; none while there is no mark.
  void setMark(double fraction);
  void clearMark() { mark_.reset(); }
  std::optional<double> markFraction() const;
  // The cursors' read-outs, then the mark's and, unless left out (a picture has no pointer),
  // the pointer's while there are those.
  std::vector<ReadoutPiece> readouts(bool withPointer = true) const;
  // The measurement table of the window on screen; none before the first draw.
  std::optional<MeasurementTable> measurements() const;

  // Stores the displayed waveform: the displayed channels in volts, smoothed over the whole
  // record at the width last applied when the display shows a smoothed trace. A channel whose
  // volts do not fit a float is stored as zeros. `beforeWrite` runs once the volts are ready.
  ExportResult store(const std::filesystem::path& path, int skip, UiSink& ui,
                     std::function<void()> beforeWrite = {});

  // The folder the continuous run stores its CSV files in: the data folder from the start and
  // after every single-file command (play, store, picture), the browser's folder after the
  // browser opened one. Texts in UTF-8.
  void startIn(std::string dataFolder);
  const std::string& dataFolder() const { return dataFolder_; }
  void folderOpened(std::string folder) { runFolder_ = std::move(folder); }
  void commandEnded() { runFolder_ = dataFolder_; }
  const std::string& runFolder() const { return runFolder_; }

 private:
  void draw(std::int32_t start, std::int32_t end, double timeDiv);
  void drawRecorded(const DrawRequest& request, bool sameStep = false);
  std::optional<ShownView> restore(std::optional<ShownView> shown);

  WaveRecord record_;
  SourceArrays spare_;  // what a WFM load reads into, so that a failed one keeps the shown samples
  std::filesystem::path source_;
  ViewState view_;
  Scene scene_;
  SmoothingChoice smoothing_;
  SmoothedWindow smoothed_;  // the smoothing step's cache of the window drawn
  ViewHistory history_;
  std::optional<ZoomBoxes> boxes_;  // as the last zoom left them, for the steps that keep them
  ViewState panFrom_;               // the view when the drag that pans started
  bool panRecorded_ = false;        // that drag already has its step
  double timeCursor_ = 0.5;         // of the surface width from the left
  double levelCursor_ = 0.5;  // of the surface height from the top, where the read-out takes it
  std::optional<double> pointer_;     // of the surface width from the left
  std::optional<std::int64_t> mark_;  // the reference mark's sample
  bool drawnSmoothed_ = false;        // the last draw showed the smoothed trace
  std::string dataFolder_;
  std::string runFolder_;
};

}  // namespace sondrix
