#include <gtest/gtest.h>

#include "platform/gfx/graphics.h"
#include "pixels.h"

namespace gfx {
namespace {

using testing::Alpha;

TEST(Fill, RectangleCoversExactlyItsPixels) {
  Bitmap b(12, 12);
  Graphics g(b);
  g.SetSmoothing(SmoothingMode::AntiAlias);
  g.FillRectangle(Argb{0xFF102030}, {2, 3, 5, 4});
  EXPECT_EQ(b.GetPixel(2, 3), 0xFF102030u);
  EXPECT_EQ(b.GetPixel(6, 6), 0xFF102030u);
  EXPECT_EQ(Alpha(b, 7, 6), 0u);
  EXPECT_EQ(Alpha(b, 6, 7), 0u);
  EXPECT_EQ(Alpha(b, 1, 3), 0u);
  EXPECT_EQ(testing::CountPainted(b), 20);
}

TEST(Fill, TranslucentFillBlendsOverWhatIsThere) {
  Bitmap b(4, 4);
  Graphics g(b);
  g.Clear(0xFF0000FF);
  g.FillRectangle(Argb{0x80FF0000}, {0, 0, 4, 4});
  const Argb p = b.GetPixel(1, 1);
  EXPECT_EQ(AlphaOf(p), 255u);
  EXPECT_NEAR(RedOf(p), 128, 2);
  EXPECT_NEAR(BlueOf(p), 127, 2);
}

TEST(Fill, LinearGradientRunsAlongItsModeAndMirrorsBeyond) {
  Bitmap b(40, 10);
  Graphics g(b);
  LinearGradient grad{{0, 0, 20, 10}, 0xFF000000, 0xFFFFFFFF, GradientMode::Horizontal};
  g.FillRectangle(grad, {0, 0, 40, 10});
  EXPECT_LT(RedOf(b.GetPixel(0, 5)), 10u);
  EXPECT_GT(RedOf(b.GetPixel(19, 5)), 240u);
  EXPECT_LT(RedOf(b.GetPixel(5, 5)), RedOf(b.GetPixel(10, 5)));
  // Tile-flip: the colour comes back down after the rectangle's far edge.
  for (int k : {1, 5, 9}) EXPECT_NEAR(RedOf(b.GetPixel(19 + k, 5)), RedOf(b.GetPixel(20 - k, 5)), 2) << k;
  EXPECT_EQ(RedOf(b.GetPixel(0, 0)), RedOf(b.GetPixel(0, 9)));  // horizontal: constant down a column

  Bitmap v(10, 20);
  Graphics gv(v);
  gv.FillRectangle(LinearGradient{{0, 0, 10, 20}, 0xFFFFFFFF, 0x00FFFFFF, GradientMode::Vertical}, {0, 0, 10, 20});
  EXPECT_GT(Alpha(v, 5, 0), 240u);
  EXPECT_LT(Alpha(v, 5, 19), 16u);
  EXPECT_EQ(RedOf(v.GetPixel(5, 15)), 255u);  // fading keeps the colour, only alpha drops
}

TEST(Fill, DiagonalGradientsRunCornerToCorner) {
  Bitmap b(20, 20);
  Graphics g(b);
  g.FillRectangle(LinearGradient{{0, 0, 20, 20}, 0xFF000000, 0xFFFFFFFF, GradientMode::ForwardDiagonal},
                  {0, 0, 20, 20});
  EXPECT_LT(RedOf(b.GetPixel(0, 0)), 20u);
  EXPECT_GT(RedOf(b.GetPixel(19, 19)), 235u);
  EXPECT_NEAR(RedOf(b.GetPixel(19, 0)), RedOf(b.GetPixel(0, 19)), 2);
  g.FillRectangle(LinearGradient{{0, 0, 20, 20}, 0xFF000000, 0xFFFFFFFF, GradientMode::BackwardDiagonal},
                  {0, 0, 20, 20});
  EXPECT_LT(RedOf(b.GetPixel(19, 0)), 20u);
  EXPECT_GT(RedOf(b.GetPixel(0, 19)), 235u);
}

TEST(Fill, EllipseGradientIsOpaqueInTheMiddleFaintAtTheRimAndEmptyOutside) {
  Bitmap b(40, 40);
  Graphics g(b);
  g.SetSmoothing(SmoothingMode::AntiAlias);
  EllipseGradient glow{{2, 2, 36, 36}, 0xFFFFFFFF, 0x32FFFFFF};
  g.FillRectangle(glow, {2, 2, 36, 36});
  EXPECT_GT(Alpha(b, 20, 20), 245u);
  EXPECT_LT(Alpha(b, 3, 20), 90u);
  EXPECT_GT(Alpha(b, 3, 20), 20u);
  EXPECT_EQ(Alpha(b, 3, 3), 0u);  // corner of the square, outside the ellipse
}

TEST(Fill, PathFillRespectsFillMode) {
  auto ring = [](FillMode mode) {
    Path p(mode);
    p.AddRectangle({0, 0, 20, 20});
    p.AddRectangle({5, 5, 10, 10});
    Bitmap b(20, 20);
    Graphics g(b);
    g.FillPath(Argb{0xFF000000}, p);
    return Alpha(b, 10, 10);
  };
  EXPECT_EQ(ring(FillMode::Alternate), 0u);
  EXPECT_EQ(ring(FillMode::Winding), 255u);
}

TEST(Fill, ImagesDrawAtNaturalSizeStretchedFromASourceRectAndWithOpacity) {
  Bitmap src(4, 2);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 2; ++y) src.SetPixel(x, y, x < 2 ? 0xFFFF0000 : 0xFF0000FF);

  Bitmap b(20, 20);
  Graphics g(b);
  g.DrawImage(src, 3, 4);
  EXPECT_EQ(b.GetPixel(3, 4), 0xFFFF0000u);
  EXPECT_EQ(b.GetPixel(6, 5), 0xFF0000FFu);
  EXPECT_EQ(Alpha(b, 7, 5), 0u);
  EXPECT_EQ(testing::CountPainted(b), 8);

  g.Clear(0);
  g.DrawImage(src, RectF{0, 0, 8, 8});
  EXPECT_EQ(b.GetPixel(0, 7), 0xFFFF0000u);
  EXPECT_EQ(b.GetPixel(7, 0), 0xFF0000FFu);
  EXPECT_EQ(testing::CountPainted(b), 64);

  g.Clear(0);
  g.DrawImage(src, RectF{10, 10, 6, 6}, RectF{2, 0, 2, 2});  // only the blue half, enlarged
  EXPECT_EQ(b.GetPixel(10, 10), 0xFF0000FFu);
  EXPECT_EQ(b.GetPixel(15, 15), 0xFF0000FFu);
  EXPECT_EQ(testing::CountPainted(b), 36);

  g.Clear(0);
  g.DrawImage(src, RectF{0, 0, 4, 2}, RectF{0, 0, 4, 2}, 128 / 255.0f);
  EXPECT_NEAR(Alpha(b, 0, 0), 128, 1);
  EXPECT_NEAR(RedOf(b.GetPixel(0, 0)), 255, 2);
}

}  // namespace
}  // namespace gfx
