#include <gtest/gtest.h>

#include "gfx/pixels.h"
#include "razezazo/drawing/border.h"
#include "razezazo/drawing/clip.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/shapes.h"

namespace razezazo {
namespace {

using gfx::testing::Alpha;

// Cairo's premultiplied store may round a channel of a translucent colour by one.
void ExpectColor(gfx::Argb actual, gfx::Argb expected) {
  EXPECT_EQ(gfx::AlphaOf(actual), gfx::AlphaOf(expected));
  EXPECT_NEAR(gfx::RedOf(actual), gfx::RedOf(expected), 1);
  EXPECT_NEAR(gfx::GreenOf(actual), gfx::GreenOf(expected), 1);
  EXPECT_NEAR(gfx::BlueOf(actual), gfx::BlueOf(expected), 1);
}

TEST(Color, ToArgbSwapsRedAndBlueAndNeverGivesFullAlpha) {
  EXPECT_EQ(ToArgb(0x000000FF, 255), 0xFEFF0000u);
  EXPECT_EQ(ToArgb(0x000000FF, 80), 0x50FF0000u);
  EXPECT_EQ(ToArgb(0x00112233), 0xFE332211u);
  EXPECT_EQ(ToArgb(0x00FFFFFF, 255), 0xFEFFFFFFu);
  EXPECT_EQ(ToArgb(0x00FFFFFF, 0), 0x00FFFFFFu);
}

TEST(Color, DarkMeansLuminanceBelow192) {
  EXPECT_TRUE(IsDarkColor(0xFF000000));
  EXPECT_FALSE(IsDarkColor(0xFFFFFFFF));
  EXPECT_TRUE(IsDarkColor(0xFFBFBFBF));   // 191
  EXPECT_FALSE(IsDarkColor(0xFFC0C0C0));  // 192
  EXPECT_NEAR(Luminance(0xFF0000FF), 0.114 * 255, 1e-9);
}

TEST(Shapes, SolidAndGradientFillsLeaveTheLastColumnAndRowUnpainted) {
  for (int gradient = 0; gradient < 2; ++gradient) {
    gfx::Bitmap b(20, 20);
    gfx::Graphics g(b);
    g.SetSmoothing(gfx::SmoothingMode::AntiAlias);
    const FloatRect r{2, 3, 10, 8};
    gradient ? GradientFillRect(g, r, ToArgb(0xFF0000), ToArgb(0x0000FF), gfx::GradientMode::Horizontal)
             : SolidFillRect(g, r, ToArgb(0x00FF00));
    for (int y = 3; y < 10; ++y)
      for (int x = 2; x < 11; ++x) ASSERT_GT(Alpha(b, x, y), 250u) << gradient << " " << x << "," << y;
    for (int y = 0; y < 20; ++y) EXPECT_EQ(Alpha(b, 11, y), 0u) << gradient << " row " << y;
    for (int x = 0; x < 20; ++x) EXPECT_EQ(Alpha(b, x, 10), 0u) << gradient << " column " << x;
    EXPECT_EQ(gfx::testing::CountPainted(b), 9 * 7);
  }
}

TEST(Shapes, RoundedRectFillStaysInsideItsOutline) {
  gfx::Bitmap b(30, 20);
  gfx::Graphics g(b);
  g.SetSmoothing(gfx::SmoothingMode::AntiAlias);
  OutlineRoundRect(g, {0, 0, 30, 20}, 6, 0xFF000000);
  EXPECT_GT(Alpha(b, 29, 10), 200u);  // outline reaches x + w - 1
  EXPECT_GT(Alpha(b, 15, 19), 200u);
  EXPECT_EQ(Alpha(b, 0, 0), 0u);
  EXPECT_EQ(Alpha(b, 15, 10), 0u);
  gfx::Bitmap f(30, 20);
  gfx::Graphics gf(f);
  FillRoundRect(gf, {0, 0, 30, 20}, 6, 0xFF000000);
  EXPECT_EQ(Alpha(f, 15, 10), 255u);
  EXPECT_EQ(Alpha(f, 29, 10), 0u);
}

TEST(Border, FocusStyleIsADashedRectangleAtAlpha120OnePixelInside) {
  gfx::Bitmap b(20, 12);
  gfx::Graphics g(b);
  g.SetSmoothing(gfx::SmoothingMode::AntiAlias);
  DrawBorder(g, {0, 0, 20, 12}, border_style::kFocus);
  std::string top, right;
  for (int x = 0; x < 20; ++x) top += Alpha(b, x, 0) ? '#' : '.';
  for (int y = 0; y < 12; ++y) right += Alpha(b, 19, y) ? '#' : '.';
  EXPECT_EQ(top.substr(0, 8), "###.###.");
  EXPECT_NE(right.find('.'), std::string::npos);
  EXPECT_NE(right.find('#'), std::string::npos);
  bool bottom_painted = false;
  for (int x = 0; x < 20; ++x) bottom_painted |= Alpha(b, x, 11) != 0;
  EXPECT_TRUE(bottom_painted);
  EXPECT_EQ(b.GetPixel(0, 0), 0x78000000u);
  EXPECT_EQ(Alpha(b, 10, 5), 0u);
}

TEST(Border, StylesPickTheirColours) {
  gfx::Bitmap b(10, 10);
  gfx::Graphics g(b);
  DrawBorder(g, {0, 0, 10, 10}, border_style::kFlat);
  ExpectColor(b.GetPixel(9, 4), 0xFE646464u);
  DrawBorder(g, {0, 0, 10, 10}, 0xFF00FF00);  // any other value is the colour itself
  EXPECT_EQ(b.GetPixel(0, 4), 0xFF00FF00u);
  g.Clear(0);
  DrawBorder(g, {0, 0, 10, 10}, border_style::kNone);
  EXPECT_EQ(gfx::testing::CountPainted(b), 0);
  DrawBorder(g, {0, 0, 10, 10}, border_style::kSunken);
  EXPECT_EQ(b.GetPixel(4, 0), 0xA0000000u);       // dark top edge
  EXPECT_EQ(gfx::RedOf(b.GetPixel(4, 9)), 255u);  // light bottom edge
  g.Clear(0);
  DrawBorder(g, {0, 0, 10, 10}, border_style::kRaised);
  EXPECT_EQ(b.GetPixel(4, 9), 0xA8000000u);
  EXPECT_EQ(gfx::RedOf(b.GetPixel(4, 0)), 255u);
}

TEST(Clip, RoundedRectRegionHasWindowCornerRows) {
  const gfx::Region r = RoundRectRegion({0.7f, 0, 20, 10});  // truncated to (0, 0, 20, 10)
  EXPECT_EQ(r.Bounds(), (gfx::RectI{0, 0, 19, 9}));
  EXPECT_FALSE(r.Contains(0, 0));
  EXPECT_TRUE(r.Contains(1, 0));
  EXPECT_TRUE(r.Contains(0, 1));
  EXPECT_FALSE(r.Contains(18, 8));
  EXPECT_TRUE(r.Contains(17, 8));
}

TEST(Clip, ExcludeClipLeavesTheRectangleUntouched) {
  gfx::Bitmap b(16, 16);
  gfx::Graphics g(b);
  g.Clear(0xFF112233);
  ClipToRect(g, {0, 0, 16, 16}, 0);
  ClipToRegion(g, gfx::Region(gfx::RectI{3, 3, 5, 5}), 4);
  g.Clear(0xFFFFFFFF);
  EXPECT_EQ(b.GetPixel(5, 5), 0xFF112233u);
  EXPECT_EQ(b.GetPixel(2, 5), 0xFFFFFFFFu);
  EXPECT_EQ(b.GetPixel(8, 8), 0xFFFFFFFFu);
  ResetClip(g);
  EXPECT_FLOAT_EQ(VisibleClipBounds(g).width, 16);
}

}  // namespace
}  // namespace razezazo
