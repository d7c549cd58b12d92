#include "view/drag_zoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

namespace sondrix {
namespace {

WaveHeader Record(std::int32_t points) {
  WaveHeader header;
  std::tie(header.Points, header.TimeDiv) = std::tuple(points, 1e-3);
  return header;
}

// As loaded, or after a default first press of the zoom button.
ViewState Loaded(bool zoomed) {
  ViewState v;
  ResetView(v, 10000);
  v.WaveLoaded = v.WaveDrawn = true;
  if (zoomed) {
    std::tie(v.StartIndex, v.EndIndex, v.XZoom, v.YZoom) = std::tuple(2499, 7500, 2.0f, 2.0f);
    std::tie(v.YTop, v.YBottom) = std::tuple(16383.25f, -16384.25f);
  }
  return v;
}

std::string Texts(const ZoomBoxes& b) {
  return b.ZoomRate + "|" + b.YZoomRate + "|" + b.ExpPos + "|" + b.YExpPos;
}

// The window and the range end on the band, the boxes say how the zoom got there, and the boxes
// pressed again from the view before give the same magnifications.
TEST(ZoomToBandTest, ShowsTheBandThroughTheZoomBoxes) {
  const std::tuple<const char*, bool, Band, const char*> cases[] = {
      {"a quarter of the middle", false, {0.25, 0.25, 0.5, 0.75}, "4.0008|2|3|4"},
      {"time only", false, {0.25, 0.0, 0.75, 1.0}, "2.0004|1|5|4"},
      {"zoomed, left edge", true, {0.0, 0.0, 0.1, 0.1}, "9.999|10|0|7.7895"},
      {"zoomed, right edge", true, {0.9, 0.9, 1.0, 1.0}, "9.999|10|10|0.2105"},
      {"narrower than a sample", false, {0.5, 0.5, 0.50001, 0.6}, "10001|10|5|3.5556"},
      {"band off the surface", false, {-0.5, -1.0, 0.5, 0.5}, "2.0004|2|0|8"},
  };
  for (const auto& [name, zoomed, band, texts] : cases) {
    SCOPED_TRACE(name);
    ViewState view = Loaded(zoomed);
    const ViewState before = view;
    ZoomBoxes boxes;
    const auto r = ZoomToBand(Record(10000), view, boxes, band);
    ASSERT_TRUE(r);
    EXPECT_EQ(Texts(boxes), texts);
    const double span = before.EndIndex - before.StartIndex;
    const double height = double{before.YTop} - before.YBottom;
    const auto sample = [&](double x) {
      return before.StartIndex + std::clamp(x, 0.0, 1.0) * span;
    };
    const auto level = [&](double y) { return before.YTop - std::clamp(y, 0.0, 1.0) * height; };
    EXPECT_NEAR(r->start, sample(band.left), 0.5);
    EXPECT_NEAR(r->end, std::max(sample(band.right), sample(band.left) + 1), 1.0);
    EXPECT_NEAR(view.YTop, level(band.top), 0.01);
    EXPECT_NEAR(view.YBottom, level(band.bottom), 0.01);
    EXPECT_DOUBLE_EQ(r->timeDiv, 1e-3 / double{view.XZoom});
    ViewState pressed = before;
    ASSERT_TRUE(Expand(Record(10000), pressed, boxes));
    EXPECT_EQ(std::tuple(pressed.XZoom, pressed.YZoom), std::tuple(view.XZoom, view.YZoom));
  }

  // Nothing to zoom: no draw yet, a band without width or height.
  const std::tuple<bool, Band> refused[] = {
      {false, {0.2, 0.2, 0.4, 0.4}}, {true, {0.4, 0.2, 0.4, 0.4}}, {true, {0.2, 0.4, 0.4, 0.4}}};
  for (const auto& [drawn, band] : refused) {
    ViewState view = Loaded(false);
    view.WaveDrawn = drawn;
    ZoomBoxes boxes;
    EXPECT_FALSE(ZoomToBand(Record(10000), view, boxes, band));
    EXPECT_EQ(std::tuple(view.XZoom, Texts(boxes)), std::tuple(1.0f, "2|2|5|4"));
  }
}

// The window moves by a fraction of its width and the range by a fraction of its height, up to
// the record's ends and the full scale.
TEST(PanTest, MovesWithinTheRecordAndTheFullScale) {
  const std::tuple<bool, double, double, std::int32_t, float, float> cases[] = {
      {true, 0.1, 0, 2999, 16383.25f, -16384.25f},
      {true, -1, 0, 0, 16383.25f, -16384.25f},
      {true, 1, 0, 4998, 16383.25f, -16384.25f},
      {true, 0, 0.5, 2499, 32767, -0.5f},
      {true, 0, -0.25, 2499, 8191.375f, -24576.125f},
      {true, 0, -9, 2499, -0.5f, -32768},
      {false, 0.3, 0.5, 0, 32767, -32768},
  };
  for (const auto& [zoomed, across, up, start, top, bottom] : cases) {
    ViewState view = Loaded(zoomed);
    const std::int32_t width = view.EndIndex - view.StartIndex;
    const auto r = Pan(Record(10000), view, across, up);
    ASSERT_TRUE(r) << across << up;
    EXPECT_EQ(std::tuple(r->start, r->end, view.YTop, view.YBottom),
              std::tuple(start, start + width, top, bottom))
        << across << ", " << up;
  }
  ViewState view = Loaded(true);
  view.WaveDrawn = false;
  EXPECT_FALSE(Pan(Record(10000), view, 0.1, 0));
  EXPECT_FALSE(Pan(Record(10000), view = Loaded(true), NAN, 0));
}

}  // namespace
}  // namespace sondrix
