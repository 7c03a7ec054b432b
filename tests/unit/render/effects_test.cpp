#include <gtest/gtest.h>

#include "gfx/pixels.h"
#include "razezazo/drawing/effects.h"

namespace razezazo {
namespace {

using gfx::testing::Alpha;

TEST(GlowSpot, OpaqueAtTheCentreFaintAtTheRimNothingBeyond) {
  gfx::Bitmap b(60, 60);
  gfx::Graphics g(b);
  g.SetSmoothing(gfx::SmoothingMode::AntiAlias);
  GlowSpot(g, {30, 30});
  EXPECT_GT(Alpha(b, 30, 30), 245u);
  EXPECT_GT(Alpha(b, 30, 30), Alpha(b, 40, 30));
  EXPECT_GT(Alpha(b, 40, 30), Alpha(b, 46, 30));
  EXPECT_LT(Alpha(b, 46, 30), 80u);  // 16 px out, near the rim
  EXPECT_GT(Alpha(b, 46, 30), 30u);
  EXPECT_EQ(Alpha(b, 49, 30), 0u);  // beyond radius 18
  EXPECT_EQ(Alpha(b, 16, 16), 0u);  // corner of the box
  EXPECT_EQ(b.GetPixel(30, 30) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(GlossOverlay, BandsSitOnTheirEdgesWithTheFarOnesDisplaced) {
  // rect (10, 10, 40, 30), band limit 6, offset 6, colour red (RGB 0x0000FF).
  auto bands = [](GlossEdges edges) {
    gfx::Bitmap b(80, 60);
    gfx::Graphics g(b);
    GlossOverlay(g, {10, 10, 40, 30}, 0x0000FF, 6, edges, 6);
    return b;
  };
  const gfx::Bitmap top = bands({true, false, false, false});
  EXPECT_GT(Alpha(top, 30, 10), 200u);  // opaque at the edge
  EXPECT_LT(Alpha(top, 30, 14), Alpha(top, 30, 11));
  EXPECT_EQ(Alpha(top, 30, 16), 0u);  // band is 6 high
  EXPECT_EQ(top.GetPixel(30, 10) & 0xFFFFFF, 0xFF0000u);

  const gfx::Bitmap bottom = bands({false, false, true, false});
  // (x + o, y + o + h - bh, w, bh + 1) = (16, 40, 40, 7): transparent at top, opaque at bottom.
  EXPECT_EQ(Alpha(bottom, 14, 45), 0u);
  EXPECT_GT(Alpha(bottom, 16, 45), 100u);
  EXPECT_GT(Alpha(bottom, 54, 45), 100u);
  EXPECT_EQ(Alpha(bottom, 55, 45), 0u);
  EXPECT_LT(Alpha(bottom, 30, 40), Alpha(bottom, 30, 45));
  EXPECT_EQ(Alpha(bottom, 30, 39), 0u);
  EXPECT_EQ(Alpha(bottom, 30, 46), 0u);  // the last row of the fill stays unpainted

  const gfx::Bitmap right = bands({false, false, false, true});
  // (x + o + w - bw, y + o, bw + 1, h) = (50, 16, 7, 30)
  EXPECT_GT(Alpha(right, 55, 20), Alpha(right, 51, 20));
  EXPECT_EQ(Alpha(right, 49, 20), 0u);
  EXPECT_EQ(Alpha(right, 55, 15), 0u);
  EXPECT_GT(Alpha(right, 55, 16), 100u);

  const gfx::Bitmap left = bands({false, true, false, false});
  EXPECT_GT(Alpha(left, 10, 10), 200u);
  EXPECT_EQ(Alpha(left, 16, 20), 0u);
}

TEST(GlossOverlay, NarrowRectsGetHalfWidthBands) {
  gfx::Bitmap b(40, 40);
  gfx::Graphics g(b);
  GlossOverlay(g, {0, 0, 8, 30}, 0xFFFFFF, 100, {false, true, false, false}, 6);
  EXPECT_GT(Alpha(b, 0, 10), 200u);
  EXPECT_EQ(Alpha(b, 4, 10), 0u);  // band width 8 / 2
}

}  // namespace
}  // namespace razezazo
