#include <gtest/gtest.h>

#include "pixels.h"
#include "platform/gfx/graphics.h"

namespace gfx {
namespace {

using testing::Alpha;

TEST(Clip, IntersectNarrowsAndReplaceStartsAgain) {
  Bitmap b(20, 20);
  Graphics g(b);
  g.SetClip(RectF{0, 0, 10, 10});
  g.SetClip(RectF{5, 5, 10, 10}, CombineMode::Intersect);
  g.FillRectangle(Argb{0xFF000000}, {0, 0, 20, 20});
  EXPECT_EQ(testing::CountPainted(b), 25);
  EXPECT_EQ(Alpha(b, 5, 5), 255u);
  g.SetClip(RectF{15, 15, 2, 2}, CombineMode::Replace);
  g.FillRectangle(Argb{0xFF000000}, {0, 0, 20, 20});
  EXPECT_EQ(testing::CountPainted(b), 29);
}

TEST(Clip, ExcludeLeavesTheExcludedRectangleUntouched) {
  Bitmap b(20, 20);
  Graphics g(b);
  g.Clear(0xFF0000FF);
  g.SetClip(Region(RectI{4, 4, 6, 5}), CombineMode::Exclude);
  g.FillRectangle(Argb{0xFFFF0000}, {0, 0, 20, 20});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 4 && x < 10 && y >= 4 && y < 9;
      ASSERT_EQ(b.GetPixel(x, y), inside ? 0xFF0000FFu : 0xFFFF0000u) << x << "," << y;
    }
}

TEST(Clip, RegionRingLeavesOnlyTheRing) {
  // The skin button's light: clip to a rounded region, exclude the one inside it.
  Bitmap b(30, 20);
  Graphics g(b);
  g.SetClip(Region::RoundRect(0, 0, 30, 20, 5, 5), CombineMode::Replace);
  g.SetClip(Region::RoundRect(1, 1, 29, 19, 5, 5), CombineMode::Exclude);
  g.FillRectangle(Argb{0xFFFFFFFF}, {0, 0, 30, 20});
  EXPECT_EQ(Alpha(b, 0, 10), 255u);
  EXPECT_EQ(Alpha(b, 1, 10), 0u);
  EXPECT_EQ(Alpha(b, 15, 0), 255u);
  EXPECT_EQ(Alpha(b, 15, 10), 0u);
  EXPECT_EQ(Alpha(b, 0, 0), 0u);
}

TEST(Clip, PathClipAndVisibleBounds) {
  Bitmap b(40, 30);
  Graphics g(b);
  EXPECT_FLOAT_EQ(g.VisibleClipBounds().width, 40);
  Path circle;
  circle.AddEllipse({10, 5, 20, 20});
  g.SetClip(circle);
  const RectF bounds = g.VisibleClipBounds();
  EXPECT_NEAR(bounds.x, 10, 1);
  EXPECT_NEAR(bounds.width, 20, 1);
  g.FillRectangle(Argb{0xFF000000}, {0, 0, 40, 30});
  EXPECT_EQ(Alpha(b, 20, 15), 255u);
  EXPECT_EQ(Alpha(b, 11, 6), 0u);
  g.SetClip(RectF{-10, -10, 5, 5}, CombineMode::Intersect);
  EXPECT_TRUE(g.VisibleClipBounds().IsEmpty());
  g.ResetClip();
  EXPECT_FLOAT_EQ(g.VisibleClipBounds().height, 30);
}

}  // namespace
}  // namespace gfx
