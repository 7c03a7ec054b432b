#include <gtest/gtest.h>

#include "pixels.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/image_decoder.h"

namespace gfx {
namespace {

TEST(Bitmap, StraightColoursSurviveThePremultipliedStore) {
  Bitmap b(4, 4);
  EXPECT_EQ(b.GetPixel(1, 1), 0u);
  b.SetPixel(1, 1, 0xFF123456);
  b.SetPixel(2, 1, 0x80FF8000);
  EXPECT_EQ(b.GetPixel(1, 1), 0xFF123456u);
  const Argb half = b.GetPixel(2, 1);
  EXPECT_EQ(AlphaOf(half), 0x80u);
  EXPECT_NEAR(RedOf(half), 0xFF, 1);
  EXPECT_NEAR(GreenOf(half), 0x80, 1);
  EXPECT_EQ(BlueOf(half), 0u);
}

TEST(Bitmap, OutOfRangeAndNullAreHarmless) {
  Bitmap b(2, 2);
  b.SetPixel(-1, 0, 0xFFFFFFFF);
  b.SetPixel(2, 0, 0xFFFFFFFF);
  EXPECT_EQ(b.GetPixel(5, 5), 0u);
  EXPECT_EQ(testing::CountPainted(b), 0);
  Bitmap none;
  EXPECT_TRUE(none.IsNull());
  EXPECT_TRUE(none.EncodePng().empty());
  Graphics g(none);  // drawing on nothing does nothing
  g.FillRectangle(Argb{0xFF000000}, {0, 0, 5, 5});
  EXPECT_TRUE(Bitmap(0, 3).IsNull());
}

TEST(Bitmap, CloneAreaCopiesOnlyTheArea) {
  Bitmap b(6, 4);
  b.SetPixel(2, 1, 0xFF00FF00);
  b.SetPixel(5, 3, 0xFFFF0000);
  Bitmap cell = b.CloneArea({2, 1, 4, 3});
  ASSERT_EQ(cell.Width(), 4);
  ASSERT_EQ(cell.Height(), 3);
  EXPECT_EQ(cell.GetPixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(cell.GetPixel(3, 2), 0xFFFF0000u);
  EXPECT_EQ(b.CloneArea({5, 3, 10, 10}).Width(), 1);  // clipped to the bitmap
}

TEST(Bitmap, PngRoundTripKeepsEveryPixel) {
  Bitmap b(5, 3);
  b.SetPixel(0, 0, 0xFFFF0000);
  b.SetPixel(4, 2, 0xFF0000FF);
  b.SetPixel(2, 1, 0x40FFFFFF);
  const auto png = b.EncodePng();
  auto decoded = DecodeImage(png);
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->frames.size(), 1u);
  EXPECT_TRUE(testing::SamePixels(decoded->frames[0], b));
  EXPECT_FALSE(decoded->delays);
}

}  // namespace
}  // namespace gfx
