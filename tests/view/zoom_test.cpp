#include "view/zoom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

#include "view/drag_zoom.h"
#include "view/wheel_zoom.h"

namespace sondrix {
namespace {

constexpr double kTimeDiv = 1e-3;

WaveHeader Record(std::int32_t points) {
  WaveHeader header;
  std::tie(header.Points, header.TimeDiv) = std::tuple(points, kTimeDiv);
  return header;
}

// The view before the press: as loaded, after a default first press, or near over/underflow.
enum class Before { Reset, Zoomed, XNearMax, YTiny };

ViewState Loaded(std::int32_t points, Before before = Before::Reset) {
  ViewState v;
  ResetView(v, points);
  v.WaveLoaded = v.WaveDrawn = true;
  if (before == Before::Zoomed) {
    std::tie(v.StartIndex, v.EndIndex, v.XZoom, v.YZoom) = std::tuple(2499, 7500, 2.0f, 2.0f);
    std::tie(v.YTop, v.YBottom) = std::tuple(16383.25f, -16384.25f);
  }
  if (before == Before::XNearMax) v.XZoom = 2e38f;
  if (before == Before::YTiny) v.YZoom = 1e-30f;
  return v;
}

// What the renderer keeps of a draw: the window, and the range pulled into 16 bits.
void Draw(ViewState& v, const DrawRequest& r) {
  std::tie(v.StartIndex, v.EndIndex, v.YTop, v.YBottom) = std::tuple(
      r.start, r.end, std::min(v.YTop, kFullScaleTop), std::max(v.YBottom, kFullScaleBottom));
}

// ZoomRate|YZoomRate|ExpPos|YExpPos
ZoomBoxes Boxes(const std::string& t) {
  const auto a = t.find('|'), b = t.find('|', a + 1), c = t.find('|', b + 1);
  return {t.substr(0, a), t.substr(a + 1, b - a - 1), t.substr(b + 1, c - b - 1), t.substr(c + 1)};
}
std::string Texts(const ZoomBoxes& b) {
  return b.ZoomRate + "|" + b.YZoomRate + "|" + b.ExpPos + "|" + b.YExpPos;
}

auto Fields(const ViewState& v) {
  return std::tuple(v.StartIndex, v.EndIndex, v.XZoom, v.YZoom, v.YTop, v.YBottom);
}

TEST(ExpandTest, WindowFactorsBoxesAndVerticalRange) {
  // before the press, boxes in -> window, magnifications, boxes out
  using enum Before;
  const std::tuple<const char*, Before, const char*, std::int32_t, std::int32_t, float, float,
                   const char*>
      cases[] = {
          {"first press: end 7499.5 to even", Reset, "2|2|5|4", 2499, 7500, 2, 2, "2|2|5|4"},
          {"second press: a quarter", Zoomed, "2|2|5|4", 3749, 6249, 4, 4, "2|2|5|4"},
          {"ExpPos 0: start -1 clamped", Reset, "2|2|0|4", 0, 5000, 2, 2, "2|2|0|4"},
          {"ExpPos 10: the sample after the last", Reset, "2|2|10|4", 2499, 7500, 2, 2, "2|2|5|4"},
          {"ExpPos 12 in the record", Zoomed, "2|2|12|4", 6375, 8875, 4, 4, "2|2|12|4"},
          {"ExpPos -1 before the record", Reset, "2|2|-1|4", 2499, 7500, 2, 2, "2|2|5|4"},
          {"X factor 1e99", Reset, "1e99|2|5|4", 0, 9999, 1, 1, "1|1|5|4"},
          {"Y factor 1e99 after X", Reset, "2|1e99|5|4", 2499, 7500, 2, 1, "1|1|5|4"},
          {"X factor 0", Reset, "0|2|5|4", 0, 9999, 1, 1, "1|1|5|4"},
          {"X factor negative", Reset, "-2|2|5|4", 0, 9999, 1, 1, "1|1|5|4"},
          {"X product overflows", XNearMax, "2|2|5|4", 4999, 5000, 2e38f, 1, "1|1|5|4"},
          {"Y product underflows", YTiny, "2|1e-20|5|4", 2499, 7500, 2, 1e-30f, "1|1|5|4"},
          {"huge factor: two samples", Reset, "1e30|2|5|4", 4999, 5000, 1e30f, 2, "1e30|2|5|4"},
          {"huge factor at sample 0", Reset, "1e30|2|0|4", 0, 1, 1e30f, 2, "1e30|2|0|4"},
          {"tiny factor: whole record", Reset, "1e-30|2|5|4", 0, 9999, 1e-30f, 2, "1e-30|2|5|4"},
          {"ExpPos overflows 32 bits", Reset, "2|2|1e9|6", 2499, 7500, 2, 2, "2|2|5|4"},
          {"ExpPos overflows 64 bits", Reset, "2|2|1e400|6", 2499, 7500, 2, 2, "2|2|5|4"},
          {"YExpPos beyond a float", Reset, "2|2|0|1e39", 2499, 7500, 2, 2, "2|2|5|4"},
          {"level beyond a float", Reset, "2|2|0|1e38", 2499, 7500, 2, 2, "2|2|5|4"},
      };
  for (const auto& [name, before, in, start, end, xZoom, yZoom, out] : cases) {
    ViewState view = Loaded(10000, before);
    ZoomBoxes boxes = Boxes(in);
    const auto request = Expand(Record(10000), view, boxes);
    EXPECT_EQ(request, (DrawRequest{start, end, kTimeDiv / double{xZoom}})) << name;
    EXPECT_EQ(std::tuple(view.XZoom, view.YZoom), std::tuple(xZoom, yZoom)) << name;
    EXPECT_EQ(Texts(boxes), out) << name;
  }

  // The vertical range about the level: before the press, boxes in -> top, bottom.
  const std::tuple<const char*, Before, const char*, float, float> ranges[] = {
      {"level -0.5 in the middle", Reset, "2|2|5|4", 16383.25f, -16384.25f},
      {"top edge", Reset, "2|2|5|8", 32767, -0.5f},
      {"bottom edge", Reset, "2|2|5|0", -0.5f, -32768},
      {"in 32-bit floats", Reset, "2|2|5|2.7", 11058.5302734375f, -21708.96875f},
      {"second press: same fraction", Zoomed, "2|2|5|4", 8191.375f, -8192.375f},
  };
  for (const auto& [name, before, in, top, bottom] : ranges) {
    ViewState view = Loaded(10000, before);
    ZoomBoxes boxes = Boxes(in);
    ASSERT_TRUE(Expand(Record(10000), view, boxes)) << name;
    EXPECT_EQ(std::tuple(view.YTop, view.YBottom), std::tuple(top, bottom)) << name;
  }
}

// Nothing without a drawn record of two samples; when even the middle positions overflow (32-bit
// 5 * (EndIndex + 1), or no float range that small), the boxes fall back and the view stays.
TEST(ExpandTest, NothingHappensWithoutSomethingToZoom) {
  // points, loaded, drawn, XZoom (0: a view no load has reset), YZoom, whether the boxes fall back
  const std::tuple<std::int32_t, bool, bool, float, float, bool> cases[] = {
      {10000, false, true, 1, 1, false},   {10000, true, false, 1, 1, false},
      {1, true, true, 1, 1, false},        {10000, true, true, 0, 1, false},
      {INT32_MAX, true, true, 1, 1, true}, {10000, true, true, 1, 1e-45f, true}};
  for (const auto& [points, loaded, drawn, xZoom, yZoom, fallsBack] : cases) {
    ViewState view = Loaded(points);
    std::tie(view.WaveLoaded, view.WaveDrawn, view.XZoom, view.YZoom) =
        std::tuple(loaded, drawn, xZoom, yZoom);
    const ViewState before = view;
    ZoomBoxes boxes = Boxes("1|1|3|3");
    EXPECT_FALSE(Expand(Record(points), view, boxes)) << points << loaded << drawn << xZoom;
    EXPECT_EQ(Fields(view), Fields(before)) << points;
    EXPECT_EQ(Texts(boxes), fallsBack ? "1|1|5|4" : "1|1|3|3") << points;
  }
}

// Whatever the boxes hold, every press draws two or more samples inside the record.
TEST(ExpandTest, WindowAlwaysInsideTheRecord) {
  for (std::int32_t points : {2, 3, 10, 10000, 5000011}) {
    for (const char* pos : {"-5", "0", "2.5", "5", "9.9", "10", "12", "1e9"}) {
      for (const char* rate : {"1e-30", "0.5", "1", "3", "1e30"}) {
        ViewState view = Loaded(points);
        ZoomBoxes boxes{rate, rate, pos, "8"};
        for (int press = 0; press < 3; ++press) {
          const auto r = Expand(Record(points), view, boxes);
          ASSERT_TRUE(r && r->start >= 0 && r->start < r->end && r->end < points)
              << points << " points, ExpPos " << pos << ", factor " << rate;
          ASSERT_TRUE(std::isfinite(r->timeDiv) && r->timeDiv > 0);
          if (rate == std::string("1e30")) {
            ASSERT_EQ(r->end - r->start, 1) << "the least window";
          }
          Draw(view, *r);
        }
      }
    }
  }
}

TEST(XResetTest, WholeRecordOnceLoaded) {
  ViewState view = Loaded(10000, Before::Zoomed);
  view.WaveLoaded = false;
  const ViewState before = view;
  EXPECT_FALSE(XReset(Record(10000), view));
  EXPECT_EQ(Fields(view), Fields(before));
  std::tie(view.WaveLoaded, view.WaveDrawn) = std::tuple(true, false);  // drawn or not
  EXPECT_EQ(XReset(Record(10000), view), (DrawRequest{0, 9999, kTimeDiv}));
  EXPECT_EQ(std::tuple(view.XZoom, view.YZoom, view.YTop, view.YBottom),
            std::tuple(1.0f, 1.0f, 32767.0f, -32768.0f));
  EXPECT_EQ(XReset(Record(0), view), (DrawRequest{0, -1, kTimeDiv})) << "an empty record";
}

// The wheel as the window turns it: the boxes, then the zoom button, then the draw.
bool Wheel(const WaveHeader& header, ViewState& view, ZoomBoxes& boxes, WheelAxis axis, int steps,
           double x, double y) {
  const auto next = WheelZoomBoxes(header, view, boxes, axis, steps, x, y);
  if (!next) return false;
  boxes = *next;
  const auto window = Expand(header, view, boxes);
  if (window) Draw(view, *window);
  return window.has_value();
}

// The wheeled axis is magnified 2^steps about the point under the pointer (in time, to the whole
// division the zoom rounds to); the other keeps its window. A turn with nothing to do is refused.
TEST(WheelZoomTest, MagnifiesAboutThePointerOrRefusesATurnWithNothingToDo) {
  using enum WheelAxis;
  const std::tuple<WheelAxis, int, double, double> turns[] = {
      {Level, 2, 0.5, 0.3}, {Time, 1, 0.73, 0.5}, {Time, 1, 0.1, 0.5},  {Level, 1, 0.5, 0.2},
      {Time, 1, 0.95, 0.5}, {Level, 1, 0.5, 0.9}, {Time, 1, 0.02, 0.5}, {Level, 1, 0.5, 0.05},
      {Time, 2, 0.61, 0.5}, {Level, 1, 0.5, 0.7}, {Time, -3, 0.4, 0.5}};
  const WaveHeader header = Record(1'000'000);
  ViewState view = Loaded(1'000'000);
  ZoomBoxes boxes;
  const auto span = [&] { return static_cast<double>(view.EndIndex) - view.StartIndex; };
  const auto height = [&] { return double{view.YTop} - view.YBottom; };
  for (const auto& [axis, steps, x, y] : turns) {
    const ViewState before = view;
    const double width = span(), sample = view.StartIndex + x * width;
    const double level = view.YTop - y * height();
    ASSERT_TRUE(Wheel(header, view, boxes, axis, steps, x, y));
    SCOPED_TRACE(testing::Message()
                 << (axis == Time ? "time " : "level ") << steps << " at " << x << ", " << y);
    const float factor = std::ldexp(1.0f, steps);
    EXPECT_EQ(view.XZoom, before.XZoom * (axis == Time ? factor : 1.0f));
    EXPECT_EQ(view.YZoom, before.YZoom * (axis == Time ? 1.0f : factor));
    if (axis == Time) {
      EXPECT_NEAR((sample - view.StartIndex) / span(), x, 0.1);
      EXPECT_NEAR(view.YTop, before.YTop, 1.0);
      EXPECT_NEAR(view.YBottom, before.YBottom, 1.0);
    } else {
      EXPECT_NEAR((view.YTop - level) / height(), y, 1e-3);
      EXPECT_NEAR(view.StartIndex, before.StartIndex, width / 20);  // half a division at most
      EXPECT_NEAR(span(), width, 2.0);
    }
  }

  view = Loaded(1'000'000);
  boxes = {};
  const auto turn = [&](WheelAxis axis, int steps, double x, double y) {
    return WheelZoomBoxes(header, view, boxes, axis, steps, x, y);
  };
  EXPECT_FALSE(turn(Time, -1, 0.5, 0.5)) << "not magnified";
  EXPECT_FALSE(turn(Level, 0, 0.5, 0.5));
  ASSERT_TRUE(Wheel(header, view, boxes, Time, 1, 0.5, 0.5));
  EXPECT_FALSE(turn(Level, -1, 0.5, 0.5));
  // Out to the whole extent: the position is the pointer's, and the other axis's box stays.
  boxes.YExpPos = "3.5";
  const ZoomBoxes out = turn(Time, -1, 0.26, 0.5).value();
  EXPECT_EQ(std::tuple(out.ExpPos, out.YExpPos), std::tuple("3", "3.5"));
  view.YZoom = 2.0f;
  EXPECT_EQ(turn(Level, -1, 0.5, 0.75).value().YExpPos, "2") << "the pointer's divisions up";
  view.WaveDrawn = false;
  EXPECT_FALSE(turn(Time, 1, 0.5, 0.5));
  view = Loaded(2);
  EXPECT_TRUE(WheelZoomBoxes(Record(2), view, boxes, Time, 1, 0.5, 0.5)) << "two samples do";
}

// A band ends as the window and the range through the zoom boxes: pressed again from the view
// before, they give the same magnifications. A band without width or height, or no draw, is
// refused.
TEST(ZoomToBandTest, ShowsTheBandThroughTheZoomBoxes) {
  using enum Before;
  const std::tuple<Before, Band, const char*> cases[] = {
      {Zoomed, {0.25, 0.25, 0.6, 0.75}, "2.85686|2|4|4"},
      {Reset, {0.25, 0.0, 0.75, 1.0}, "2.0004|1|5|4"},
      {Zoomed, {0.0, 0.0, 0.1, 0.1}, "9.999|10|0|7.7895"},
      {Zoomed, {0.9, 0.9, 1.0, 1.0}, "9.999|10|10|0.2105"},
      {Reset, {0.5, 0.5, 0.50001, 0.6}, "10001|10|5|3.5556"},  // less than a sample: two
      {Reset, {-0.5, -1.0, 0.5, 0.5}, "2.0004|2|0|8"},         // clamped to the surface
      {Reset, {0.4, 0.2, 0.4, 0.6}, "2|2|5|4"},
      {YTiny, {0.2, 0.4, 0.6, 0.4}, "2|2|5|4"}};
  for (const auto& [before, band, texts] : cases) {
    ViewState view = Loaded(10000, before), pressed = view;
    ZoomBoxes boxes;
    const auto r = ZoomToBand(Record(10000), view, boxes, band);
    EXPECT_EQ(Texts(boxes), texts);
    if (!r) continue;
    const double span = pressed.EndIndex - pressed.StartIndex,
                 height = pressed.YTop - pressed.YBottom;
    const auto x = [&](double f) { return pressed.StartIndex + std::clamp(f, 0.0, 1.0) * span; };
    const auto y = [&](double f) { return pressed.YTop - std::clamp(f, 0.0, 1.0) * height; };
    EXPECT_NEAR(r->start, x(band.left), 0.5) << texts;
    EXPECT_NEAR(r->end, std::max(x(band.right), x(band.left) + 1), 1.0) << texts;
    EXPECT_NEAR(view.YTop, y(band.top), 0.01) << texts;
    EXPECT_NEAR(view.YBottom, y(band.bottom), 0.01) << texts;
    ASSERT_TRUE(Expand(Record(10000), pressed, boxes));
    EXPECT_EQ(std::tuple(pressed.XZoom, pressed.YZoom), std::tuple(view.XZoom, view.YZoom));
  }
  ViewState view = Loaded(10000, Before::Zoomed);
  view.WaveDrawn = false;
  ZoomBoxes boxes;
  EXPECT_FALSE(ZoomToBand(Record(10000), view, boxes, {}));
  EXPECT_EQ(Texts(boxes), "2|2|5|4") << "not drawn: the boxes stay";
}

// A pan moves the window by a fraction of its width and the range by one of its height, up to the
// record's ends and the full scale.
TEST(PanTest, MovesWithinTheRecordAndTheFullScale) {
  using enum Before;
  const std::tuple<Before, double, double, std::int32_t, float, float> cases[] = {
      {Zoomed, 0.1, 0, 2999, 16383.25f, -16384.25f},
      {Zoomed, -1, 0, 0, 16383.25f, -16384.25f},
      {Zoomed, 1, 0, 4998, 16383.25f, -16384.25f},
      {Zoomed, 0, 0.5, 2499, 32767, -0.5f},
      {Zoomed, 0, -0.25, 2499, 8191.375f, -24576.125f},
      {Zoomed, 0, -9, 2499, -0.5f, -32768},
      {Reset, 0.3, 0.5, 0, 32767, -32768}};
  for (const auto& [before, across, up, start, top, bottom] : cases) {
    ViewState view = Loaded(10000, before);
    const std::int32_t width = view.EndIndex - view.StartIndex;
    const auto r = Pan(Record(10000), view, across, up).value();
    EXPECT_EQ(std::tuple(r.start, r.end, view.YTop, view.YBottom),
              std::tuple(start, start + width, top, bottom))
        << across << ", " << up;
  }
  ViewState view = Loaded(10000, Before::Zoomed);
  EXPECT_FALSE(Pan(Record(10000), view, NAN, 0));
}

}  // namespace
}  // namespace sondrix
