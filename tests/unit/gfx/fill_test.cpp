#include <gtest/gtest.h>

#include "pixels.h"
#include "platform/gfx/graphics.h"
#include "wine.h"

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
  // Wine's GDI+ takes a pixel's colour at its left edge, not its centre: the
  // mirrored pixels then differ by one step of the gradient (255 / 20).
  const int mirror_tolerance = testing::UnderWine() ? 13 : 2;
  for (int k : {1, 5, 9})
    EXPECT_NEAR(RedOf(b.GetPixel(19 + k, 5)), RedOf(b.GetPixel(20 - k, 5)), mirror_tolerance) << k;
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
  // Wine's GDI+ blends a path gradient over the triangles of the flattened
  // ellipse, which leaves its middle pixel a few levels short of the centre.
  EXPECT_GT(Alpha(b, 20, 20), testing::UnderWine() ? 235u : 245u);
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

// A source rectangle reaching beyond the image is trimmed to it, and the
// destination shrinks with it at the same scale: nothing is stretched or
// padded where the source has no pixels.
TEST(Fill, ASourceBeyondTheImageIsTrimmedAndTheDestinationWithIt) {
  Bitmap src(4, 2);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 2; ++y) src.SetPixel(x, y, x < 2 ? 0xFFFF0000 : 0xFF0000FF);
  Bitmap b(20, 20);
  Graphics g(b);
  // Source x 2..6 at twice the size: only x 2..4 exists, drawn into 10..14.
  g.DrawImage(src, RectF{10, 10, 8, 4}, RectF{2, 0, 4, 2});
  EXPECT_EQ(b.GetPixel(10, 10), 0xFF0000FFu);
  EXPECT_EQ(b.GetPixel(13, 13), 0xFF0000FFu);
  EXPECT_EQ(Alpha(b, 14, 10), 0u);
  EXPECT_EQ(testing::CountPainted(b), 16);
  // A source entirely off the image draws nothing.
  g.Clear(0);
  g.DrawImage(src, RectF{0, 0, 4, 2}, RectF{4, 0, 4, 2});
  EXPECT_EQ(testing::CountPainted(b), 0);
}

// The constant-opacity path blends straight into the pixels: it must give what
// source-over with the opacity gives, stay inside the clip, and handle rows
// whose width is not a multiple of its eight-pixel steps.
TEST(Fill, ImagesWithOpacityBlendLikeSourceOverInsideTheClip) {
  Bitmap src(37, 23), dst(60, 40);
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x)
      src.SetPixel(x, y, MakeArgb((x * 7 + y * 3) % 256, (x * 13) % 256, (y * 11) % 256, (x * y) % 256));
  for (int y = 0; y < dst.Height(); ++y)
    for (int x = 0; x < dst.Width(); ++x) dst.SetPixel(x, y, MakeArgb(200, (x * 5) % 256, 90, (y * 9) % 256));
  Bitmap before = dst.Clone();
  {
    Graphics g(dst);
    g.SetClip(RectF{5, 4, 30, 20});
    g.DrawImage(src, RectF{3, 2, 37, 23}, RectF{0, 0, 37, 23}, 100 / 255.0f);
  }
  auto premultiplied = [](Argb c, int shift) { return ((c >> shift) & 255) * AlphaOf(c) / 255.0; };
  for (int y = 0; y < dst.Height(); ++y)
    for (int x = 0; x < dst.Width(); ++x) {
      bool inside = x >= 5 && x < 35 && y >= 4 && y < 24;
      if (!inside) {
        ASSERT_EQ(dst.GetPixel(x, y), before.GetPixel(x, y)) << x << "," << y;
        continue;
      }
      Argb s = src.GetPixel(x - 3, y - 2), d = before.GetPixel(x, y);
      double sa = AlphaOf(s) * 100 / 255.0 / 255.0;
      double alpha = sa * 255 + AlphaOf(d) * (1 - sa);
      ASSERT_NEAR(AlphaOf(dst.GetPixel(x, y)), alpha, 2) << x << "," << y;
      // Wine's GDI+ blends straight (not premultiplied) colours in 8 bits,
      // one more level of rounding.
      const double tolerance = testing::UnderWine() ? 4 : 3;
      for (int shift : {0, 8, 16}) {
        double channel = premultiplied(s, shift) * 100 / 255.0 + premultiplied(d, shift) * (1 - sa);
        double got = premultiplied(dst.GetPixel(x, y), shift);
        ASSERT_NEAR(got, channel, tolerance) << x << "," << y << " shift " << shift;
      }
    }
}

}  // namespace
}  // namespace gfx
