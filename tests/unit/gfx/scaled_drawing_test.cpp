// Drawing on bitmaps with more than one device pixel per logical pixel: the
// geometry stays logical, the pixels are the device's.
#include <gtest/gtest.h>

#include "pixels.h"
#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"

namespace gfx {
namespace {

using testing::SharpestStepInsideBlocks;

// Sharper than this inside a 2 x 2 block: drawn at the device's resolution.
constexpr int kCrisp = 150;

unsigned DeviceAlpha(const Bitmap& b, int x, int y) { return AlphaOf(b.DevicePixel(x, y)); }

// Rows of device pixels as '#' (opaque), '.' (empty) and '+' (partly covered).
std::string DeviceColumn(const Bitmap& b, int x) {
  std::string column;
  for (int y = 0; y < b.DeviceHeight(); ++y) {
    const unsigned a = DeviceAlpha(b, x, y);
    column += a == 255 ? '#' : a == 0 ? '.' : '+';
  }
  return column;
}

TEST(ScaledDrawing, ABitmapHoldsItsLogicalSizeInDevicePixels) {
  const Bitmap b(5, 3, 1.5f);
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(b.DeviceWidth(), 8);  // 7.5 rounded up
  EXPECT_EQ(b.DeviceHeight(), 5);
  EXPECT_EQ(b.DeviceArea({1, 1, 2, 1}), (RectI{1, 1, 4, 2}));  // outward: 1.5 .. 4.5
}

TEST(ScaledDrawing, FillsAndCopiesCoverTheirWholeDevicePixels) {
  Bitmap b(10, 6, 2.0f);
  Graphics g(b);
  g.SetSmoothing(SmoothingMode::AntiAlias);
  g.FillRectangle(Argb{0xFF0000FF}, {2, 1, 3, 2});
  EXPECT_EQ(DeviceColumn(b, 4), "..####......");
  EXPECT_EQ(DeviceColumn(b, 3), "............");
  EXPECT_EQ(b.GetPixel(4, 2), 0xFF0000FFu);

  // The same area cloned and copied keeps the device pixels, not a 1x sample.
  const Bitmap part = b.CloneArea({2, 1, 3, 2});
  EXPECT_EQ(part.DeviceWidth(), 6);
  EXPECT_EQ(part.Scale(), 2.0f);
  Bitmap copy(10, 6, 2.0f);
  CopyArea(b, copy, {0, 0, 10, 6});
  EXPECT_TRUE(testing::SamePixels(copy, b));
}

// A one-pixel line is two device pixels at 200 %, one (a hairline) at 150 %,
// and always whole ones: no row is left partly covered.
TEST(ScaledDrawing, OnePixelLinesLandOnWholeDevicePixels) {
  for (const float scale : {1.5f, 2.0f}) {
    Bitmap b(8, 6, scale);
    Graphics g(b);
    g.SetSmoothing(SmoothingMode::AntiAlias);
    g.DrawLine({0xFF000000, 1.0f}, {0, 3}, {8, 3});
    g.DrawRectangle({0xFF000000, 1.0f}, {1, 0, 5, 5});
    const std::string column = DeviceColumn(b, b.DeviceWidth() / 2);
    EXPECT_EQ(column.find('+'), std::string::npos) << scale << ": " << column;
    EXPECT_EQ(scale == 2.0f ? "##....##..##" : "#....#..#", column) << scale;
  }
}

// Also where a clip runs through the text (it is then drawn on a picture of
// its own first).
TEST(ScaledDrawing, TextIsDrawnAtTheDeviceResolutionWithTheSameLayout) {
  const Font font("宋体", 12.0f);
  const std::u16string text = u"解析&&下载 Crisp";
  const RectF layout{2, 2, 120, 20};
  auto draw = [&](float scale, const RectF& clip) {
    Bitmap b(124, 24, scale);
    Graphics g(b);
    g.Clear(0xFFFFFFFF);
    g.SetTextHint(text_hint::kAntiAliasGridFit);
    g.SetClip(clip);
    g.DrawString(text, font, layout, {}, 0xFF000000);
    return b;
  };
  const RectF whole{0, 0, 124, 24}, through_the_text{0, 0, 60, 11};
  Bitmap one = draw(1.0f, whole), two = draw(2.0f, whole);
  EXPECT_GT(SharpestStepInsideBlocks(two, {0, 0, 124, 24}), kCrisp);
  EXPECT_GT(SharpestStepInsideBlocks(draw(2.0f, through_the_text), {0, 0, 60, 11}), kCrisp);
  // Logical geometry does not depend on the scale: hit tests agree.
  EXPECT_EQ(Graphics(one).MeasureString(text, font, layout, {}).width,
            Graphics(two).MeasureString(text, font, layout, {}).width);
  EXPECT_GT(testing::CountPainted(two), 0);
}

// A picture made for the scale is copied pixel for pixel; one made for 1x is
// scaled smoothly (a pixel-doubled copy would keep its hard 2 x 2 blocks).
TEST(ScaledDrawing, PicturesAtTheTargetsScaleCopyExactlyOthersAreSmoothed) {
  Bitmap sharp(4, 4, 2.0f);
  for (int y = 0; y < sharp.DeviceHeight(); ++y)
    for (int x = 0; x < sharp.DeviceWidth(); ++x) sharp.Row(y)[x] = (x + y) % 2 ? 0xFF000000u : 0xFFFFFFFFu;
  sharp.MarkDirty();
  Bitmap target(6, 6, 2.0f);
  Graphics g(target);
  g.DrawImage(sharp, 1, 1);
  EXPECT_EQ(target.DevicePixel(2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(target.DevicePixel(3, 2), 0xFF000000u);

  Bitmap checker(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) checker.SetPixel(x, y, (x + y) % 2 ? 0xFF000000u : 0xFFFFFFFFu);
  g.DrawImage(checker, 1, 1);
  const int step = SharpestStepInsideBlocks(target, {1, 1, 4, 4});
  EXPECT_GT(step, 0);
  EXPECT_LT(step, kCrisp);
}

}  // namespace
}  // namespace gfx
