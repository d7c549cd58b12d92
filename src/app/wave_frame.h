#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QFrame>
#include <QLabel>
#include <QSlider>

#include "app/line_mark.h"
#include "app/readout_line.h"
#include "app/wave_surface.h"
#include "view/measurement_table.h"
#include "view/readouts.h"
#include "view/scene.h"

namespace sondrix {

// The display group: the surface at 10 : 8, as large as the frame allows, with the level slider
// beside it and the time slider under it, the V/div captions above, the time captions and the
// cursors' read-out line below, and the reference-level and trigger marks just outside its left
// and bottom edges.
class WaveFrame final : public QFrame {
 public:
  explicit WaveFrame(QWidget* parent);

  // Shows the captions and marks of the scene and repaints the surface with it. The scene must
  // outlive the frame or be replaced.
  void showScene(const Scene* scene);

  // The cursors' read-out line; no pieces hide it.
  void showReadouts(std::vector<ReadoutPiece> pieces);
  // The measurement table over the surface; none hides it.
  void showMeasurements(std::optional<MeasurementTable> table);

  WaveSurface* surface() const { return surface_; }
  ReadoutLine* readouts() const { return readouts_; }
  QSlider* sliderX() const { return sliderX_; }
  QSlider* sliderY() const { return sliderY_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  // The height at which a frame this wide has no room to spare below the read-outs.
  int heightForWidth(int width) const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The room the captions, marks and sliders take around the surface, in pixels.
  struct Margins {
    int text;         // one line of caption
    int slider;       // a slider's thickness
    int mark;         // the level and trigger marks
    int rightColumn;  // the level slider and the time per division
  };
  Margins margins(int areaWidth) const;
  void layOut();
  void placeMarks();

  const Scene* scene_ = nullptr;
  WaveSurface* surface_;
  QSlider* sliderX_;
  QSlider* sliderY_;
  std::array<QLabel*, kChannelCount> vdivLabels_{};
  QLabel* tdivLabel_;
  QLabel* xsLabel_;
  QLabel* xcLabel_;
  QLabel* xeLabel_;
  std::array<LineMark*, kChannelCount> vrefLines_{};
  LineMark* delayMark_;
  LineMark* tlLine_;
  ReadoutLine* readouts_;
};

}  // namespace sondrix
