#pragma once

namespace sondrix {

// The modifier keys held at a click on the surface.
struct ClickKeys {
  bool shift = false;
  bool control = false;
  bool alt = false;
  bool meta = false;
};

// What a click on the surface does: a plain click moves the time cursor there, Ctrl + click the
// level cursor, Shift + click sets the reference mark. Any other combination of keys does
// nothing, so that a slip of the hand moves nothing the operator did not mean to move.
enum class ClickAction { None, TimeCursor, LevelCursor, ReferenceMark };

struct ClickOutcome {
  ClickAction action = ClickAction::None;
  // For the cursors: the slider value that puts the line nearest to the click, so the click goes
  // through the slider (its box, the read-out and the settings file follow as for a drag of it).
  int sliderValue = 0;
};

// A click at fractions of the surface's width from the left and of its height from the top;
// the fractions are taken within the surface.
ClickOutcome ClickOnSurface(double x, double y, ClickKeys keys);

}  // namespace sondrix
