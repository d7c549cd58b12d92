#include "view/wheel_zoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <tuple>

namespace sondrix {
namespace {

constexpr std::int32_t kPoints = 1'000'000;

struct Scope {
  WaveHeader header;
  ViewState view;
  ZoomBoxes boxes;

  Scope() {
    header.Points = kPoints;
    header.TimeDiv = 1e-3;
    ResetView(view, kPoints);
    view.WaveLoaded = view.WaveDrawn = true;
  }
  // The sample and the level under a pointer, by the traces' scales, and back.
  double SampleAt(double x) const { return view.StartIndex + x * Span(); }
  double XOf(double sample) const { return (sample - view.StartIndex) / Span(); }
  double Span() const { return static_cast<double>(view.EndIndex) - view.StartIndex; }
  double LevelAt(double y) const { return view.YTop - y * (double{view.YTop} - view.YBottom); }
  double YOf(double level) const {
    return (view.YTop - level) / (double{view.YTop} - view.YBottom);
  }

  // The wheel as the window turns it: the boxes, then the zoom button, then the draw.
  bool Wheel(WheelAxis axis, int steps, double x, double y) {
    const auto next = WheelZoomBoxes(header, view, boxes, axis, steps, x, y);
    if (!next) return false;
    boxes = *next;
    const auto window = Expand(header, view, boxes);
    if (!window) return false;
    view.StartIndex = window->start;
    view.EndIndex = window->end;
    view.YTop = std::min(view.YTop, kFullScaleTop);
    view.YBottom = std::max(view.YBottom, kFullScaleBottom);
    return true;
  }
};

// The wheeled axis is magnified by 2^steps about the point under the pointer (in time to the
// whole division the zoom rounds its centre to); the other axis keeps its window.
TEST(WheelZoomTest, ThePointUnderThePointerStaysAndTheOtherAxisKeepsItsWindow) {
  using enum WheelAxis;
  const std::tuple<WheelAxis, int, double, double> turns[] = {
      {Level, 2, 0.5, 0.3}, {Time, 1, 0.73, 0.5}, {Time, 1, 0.1, 0.5},  {Level, 1, 0.5, 0.2},
      {Time, 1, 0.95, 0.5}, {Level, 1, 0.5, 0.9}, {Time, 1, 0.02, 0.5}, {Level, 1, 0.5, 0.05},
      {Time, 2, 0.61, 0.5}, {Level, 1, 0.5, 0.7}, {Time, -3, 0.4, 0.5}};
  Scope s;
  for (const auto& [axis, steps, x, y] : turns) {
    const ViewState before = s.view;
    const double span = s.Span(), sample = s.SampleAt(x), level = s.LevelAt(y);
    ASSERT_TRUE(s.Wheel(axis, steps, x, y));
    SCOPED_TRACE(testing::Message()
                 << (axis == Time ? "time " : "level ") << steps << " at " << x << ", " << y);
    const float factor = std::ldexp(1.0f, steps);
    EXPECT_EQ(s.view.XZoom, before.XZoom * (axis == Time ? factor : 1.0f));
    EXPECT_EQ(s.view.YZoom, before.YZoom * (axis == Time ? 1.0f : factor));
    if (axis == Time) {
      EXPECT_NEAR(s.XOf(sample), x, 0.1);
      EXPECT_NEAR(s.view.YTop, before.YTop, 1.0);
      EXPECT_NEAR(s.view.YBottom, before.YBottom, 1.0);
    } else {
      EXPECT_NEAR(s.YOf(level), y, 1e-3);
      EXPECT_NEAR(s.view.StartIndex, before.StartIndex, span / 20);  // half a division at most
      EXPECT_NEAR(s.Span(), span, 2.0);
    }
  }
}

TEST(WheelZoomTest, NothingToDoLeavesTheBoxesAlone) {
  Scope s;
  EXPECT_FALSE(WheelZoomBoxes(s.header, s.view, s.boxes, WheelAxis::Time, -1, 0.5, 0.5))
      << "not magnified";
  EXPECT_FALSE(WheelZoomBoxes(s.header, s.view, s.boxes, WheelAxis::Level, 0, 0.5, 0.5));
  ASSERT_TRUE(s.Wheel(WheelAxis::Time, 1, 0.5, 0.5));
  EXPECT_FALSE(WheelZoomBoxes(s.header, s.view, s.boxes, WheelAxis::Level, -1, 0.5, 0.5));
  // Out to the whole extent: the position is the pointer's, and the other axis's box stays.
  s.boxes.YExpPos = "3.5";
  const auto out = WheelZoomBoxes(s.header, s.view, s.boxes, WheelAxis::Time, -1, 0.26, 0.5);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->ExpPos, "3");
  EXPECT_EQ(out->YExpPos, "3.5");
  s.view.YZoom = 2.0f;
  const auto down = WheelZoomBoxes(s.header, s.view, s.boxes, WheelAxis::Level, -1, 0.5, 0.75);
  ASSERT_TRUE(down);
  EXPECT_EQ(down->YExpPos, "2") << "the pointer's divisions up";
  s.view.WaveDrawn = false;
  EXPECT_FALSE(WheelZoomBoxes(s.header, s.view, s.boxes, WheelAxis::Time, 1, 0.5, 0.5));
  Scope two;
  two.header.Points = 2;
  ResetView(two.view, 2);
  EXPECT_TRUE(WheelZoomBoxes(two.header, two.view, two.boxes, WheelAxis::Time, 1, 0.5, 0.5))
      << "two samples are enough to zoom";
}

}  // namespace
}  // namespace sondrix
