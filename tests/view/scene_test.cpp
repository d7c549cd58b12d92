#include "view/scene.h"

#include <gtest/gtest.h>

namespace sondrix {
namespace {

TEST(TraceScaleTest, FractionsOfTheSurfaceAndScalesOfNoExtent) {
  const TraceScale scale{100, 300, 1000, -1000};
  EXPECT_DOUBLE_EQ(scale.xFraction(150), 0.25);
  EXPECT_DOUBLE_EQ(scale.yFraction(500), 0.25);  // top down
  const TraceScale flat{7, 7, 5, 5};             // one sample, one level
  EXPECT_EQ(flat.xFraction(7), 0.0);             // the left edge
  EXPECT_EQ(flat.yFraction(5), 0.5);             // the middle
}

// Before the first draw the window shows every channel's caption and level mark, and the bare
// s/div caption.
TEST(SceneTest, BeforeTheFirstDraw) {
  const Scene scene = InitialScene();
  EXPECT_EQ(scene.vdivLabels[3].text, "Ch4:99.9 V/div");
  EXPECT_TRUE(scene.vdivLabels[3].visible && scene.vrefLines[3].visible);
  EXPECT_EQ(scene.tdivLabel.text, "s/div");
}

}  // namespace
}  // namespace sondrix
