#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/scale.h"
#include "model/wave_header.h"

namespace sondrix {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kCursorRed{255, 0, 0};
// The reference mark's line: apart from the red cursors and every channel's colour.
inline constexpr Rgb kReferenceMark{255, 160, 0};
// Channel 1 to 4: yellow, magenta, cyan, green; the back colours of the V/div captions.
inline constexpr std::array<Rgb, kChannelCount> kChannelColours{Rgb{255, 255, 0}, Rgb{255, 0, 255},
                                                                Rgb{0, 255, 255}, Rgb{0, 255, 0}};

// The grid in division units, x from 0 (left) to 10, y from 0 (bottom) to 8: a solid outline
// whose right and bottom sides lie just inside the edge so that they are not clipped, then the
// dotted inner lines.
struct Graticule {
  bool drawn = false;
  Rgb background = kBlack;
  Rgb outlineColour = kBlack;
  double outlineLeft = 0.0, outlineTop = kDivisionsY;
  double outlineRight = kDivisionsX - 0.027, outlineBottom = 0.017;
  Rgb gridColour = kWhite;
  int xDivisions = kDivisionsX;  // vertical lines at x = 1 .. xDivisions - 1
  int yDivisions = kDivisionsY;  // horizontal lines at y = 1 .. yDivisions - 1
};

// One point of a trace: sample index and raw count.
struct TracePoint {
  std::int32_t index = 0;
  std::int16_t value = 0;
  friend bool operator==(const TracePoint&, const TracePoint&) = default;
};

// How trace coordinates map onto the surface: index `left` at the left edge, `right` at the
// right edge, raw count `top` at the top edge and `bottom` at the bottom edge.
struct TraceScale {
  std::int32_t left = 0;
  std::int32_t right = 0;
  std::int16_t top = 0;
  std::int16_t bottom = 0;
  friend bool operator==(const TraceScale&, const TraceScale&) = default;

  // Fractions of the surface's width and height. A scale of zero extent puts everything at
  // the left edge or the middle instead of dividing by zero.
  double xFraction(double index) const;
  double yFraction(double value) const;
};

enum class TraceStyle { Line, Dots };

// One plotted trace: a joined line through its points in order, or separate points.
struct Trace {
  int channel = 0;        // 0..3
  bool smoothed = false;  // drawn from the smoothed samples
  Rgb colour;
  int penWidth = 2;  // pixels
  TraceStyle style = TraceStyle::Line;
  TraceScale scale;
  std::vector<TracePoint> points;
};

// A caption of the window beside or under the surface.
struct Caption {
  std::string text;
  bool visible = true;
  Rgb backColour = kBlack;  // meaningful for the V/div captions only
};

// A channel's reference level: a short horizontal line left of the surface, from 1/50 of the
// surface width left of its left edge up to the edge, at `y` (fraction of the surface height
// below its top edge; not clamped, so it may lie above or below the surface).
struct LevelMark {
  bool visible = true;
  Rgb colour = kWhite;
  float y = 0.5f;
};
inline constexpr double kLevelMarkLength = 1.0 / 50.0;  // of the surface width

// The trigger tick: a short vertical line from the bottom edge of the surface down 1/64 of its
// height, at `x` (fraction of the surface width right of its left edge; may lie outside 0..1).
struct DelayTick {
  bool visible = true;
  Rgb colour = kWhite;
  double x = 0.5;
};
inline constexpr double kDelayTickLength = 1.0 / 64.0;  // of the surface height

// One drawing of the surface and the state of the captions and marks around it. A draw
// replaces the graticule and the traces; the captions and marks keep what the last draw that
// touched them left, as the window's labels do.
struct Scene {
  Graticule graticule;
  std::vector<Trace> traces;  // in drawing order: later traces lie over earlier ones
  std::array<LevelMark, kChannelCount> vrefLines;
  std::array<Caption, kChannelCount> vdivLabels;
  Caption tdivLabel;
  DelayTick delayMark;
  Caption xsLabel;  // time of the window's first sample
  Caption xcLabel;  // time of the window's centre
  Caption xeLabel;  // time of the window's end
};

// The surface and captions as the window shows them before the first draw.
Scene InitialScene();

}  // namespace sondrix
