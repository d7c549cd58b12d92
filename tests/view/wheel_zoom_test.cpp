#include "view/wheel_zoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

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
  // The sample and the level under a pointer, by the traces' scales.
  double SampleAt(double x) const {
    return view.StartIndex + x * (static_cast<double>(view.EndIndex) - view.StartIndex);
  }
  double LevelAt(double y) const { return view.YTop - y * (double{view.YTop} - view.YBottom); }
  double XOf(double sample) const {
    return (sample - view.StartIndex) / (static_cast<double>(view.EndIndex) - view.StartIndex);
  }
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

TEST(WheelZoomTest, TheTimeUnderThePointerStaysAndTheLevelsKeepTheirRange) {
  Scope s;
  ASSERT_TRUE(s.Wheel(WheelAxis::Level, 2, 0.5, 0.3));  // some vertical zoom to keep
  const float top = s.view.YTop, bottom = s.view.YBottom;
  for (const double x : {0.73, 0.1, 0.95, 0.5, 0.02, 0.61}) {
    const double sample = s.SampleAt(x);
    const float zoom = s.view.XZoom;
    ASSERT_TRUE(s.Wheel(WheelAxis::Time, 1, x, 0.5)) << x;
    EXPECT_EQ(s.boxes.ZoomRate, "2");
    EXPECT_EQ(s.boxes.YZoomRate, "1");
    EXPECT_EQ(s.view.XZoom, zoom * 2);
    // Within the whole division the zoom rounds its centre to.
    EXPECT_NEAR(s.XOf(sample), x, 0.1) << x;
    EXPECT_NEAR(s.view.YTop, top, 1.0);
    EXPECT_NEAR(s.view.YBottom, bottom, 1.0);
  }
  ASSERT_TRUE(s.Wheel(WheelAxis::Time, -3, 0.4, 0.5));
  EXPECT_EQ(s.boxes.ZoomRate, "0.125");
  EXPECT_EQ(s.view.XZoom, 8.0f);
}

TEST(WheelZoomTest, TheLevelUnderThePointerStaysAndTheTimeKeepsItsWindow) {
  Scope s;
  ASSERT_TRUE(s.Wheel(WheelAxis::Time, 3, 0.4, 0.5));
  const double span = static_cast<double>(s.view.EndIndex) - s.view.StartIndex;
  const std::int32_t start = s.view.StartIndex;
  for (const double y : {0.2, 0.9, 0.5, 0.05, 0.7}) {
    const double level = s.LevelAt(y);
    ASSERT_TRUE(s.Wheel(WheelAxis::Level, 1, 0.5, y)) << y;
    EXPECT_EQ(s.boxes.ZoomRate, "1");
    EXPECT_NEAR(s.YOf(level), y, 1e-3) << y;
    // The time position is a whole division: the window moves by half of one at most.
    EXPECT_NEAR(s.view.StartIndex, start, span / 20) << y;
    EXPECT_NEAR(static_cast<double>(s.view.EndIndex) - s.view.StartIndex, span, 2.0);
  }
}

TEST(WheelZoomTest, NothingToDoLeavesTheBoxesAlone) {
  Scope s;
  EXPECT_FALSE(WheelZoomBoxes(s.header, s.view, s.boxes, WheelAxis::Time, -1, 0.5, 0.5))
      << "not magnified";
  EXPECT_FALSE(WheelZoomBoxes(s.header, s.view, s.boxes, WheelAxis::Level, 0, 0.5, 0.5));
  ASSERT_TRUE(s.Wheel(WheelAxis::Time, 1, 0.5, 0.5));
  EXPECT_FALSE(WheelZoomBoxes(s.header, s.view, s.boxes, WheelAxis::Level, -1, 0.5, 0.5));
  // Out to the whole record: the position is the pointer's, and the level boxes stay.
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
