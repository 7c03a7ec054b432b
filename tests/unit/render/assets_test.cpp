#include <gtest/gtest.h>

#include "assets/assets.h"
#include "gfx/pixels.h"
#include "razezazo/drawing/image.h"

namespace razezazo {
namespace {

ImageHandle Load(assets::Bytes bytes) { return LoadImage(bytes); }

TEST(BuiltInImages, DecodeAtTheirDocumentedSizes) {
  struct Expect {
    assets::Bytes bytes;
    int w, h;
  };
  for (const auto& [bytes, w, h] : {Expect{assets::MainBackground(), 380, 338},
                                    {assets::CaptionButtons(), 729, 20},
                                    {assets::PushButtonSkin(), 55, 28},
                                    {assets::MessageBoxSkin(), 2, 160},
                                    {assets::MessageBoxIcons(), 200, 40},
                                    {assets::ProgramIcon(16), 16, 16},
                                    {assets::ProgramIcon(32), 32, 32},
                                    {assets::ProgramIcon(48), 48, 48},
                                    {assets::ProgramIcon(256), 256, 256}}) {
    ImageHandle image = Load(bytes);
    ASSERT_TRUE(image) << w << "x" << h;
    EXPECT_EQ(image->Width(), w);
    EXPECT_EQ(image->Height(), h);
  }
  // Both backgrounds are progressive JPEGs: their start-of-frame marker is SOF2.
  for (const int scale : {1, 2}) {
    const auto jpeg = assets::MainBackground(scale);
    bool progressive = false;
    for (size_t i = 0; i + 1 < jpeg.size() && !progressive; ++i) progressive = jpeg[i] == 0xFF && jpeg[i + 1] == 0xC2;
    EXPECT_TRUE(progressive) << scale;
  }
}

// The pictures drawn for 200 % have the same logical size with twice the
// pixels; a target gets the nearest (the sharper one from 150 % up).
TEST(BuiltInImages, TwiceTheScaleIsTheSamePictureWithTwiceThePixels) {
  for (const auto& [at_1x, at_2x] : {std::pair{assets::MainBackground(1), assets::MainBackground(2)},
                                     {assets::CaptionButtons(1), assets::CaptionButtons(2)},
                                     {assets::PushButtonSkin(1), assets::PushButtonSkin(2)},
                                     {assets::MessageBoxIcons(1), assets::MessageBoxIcons(2)}}) {
    ImageHandle image = LoadScaledImage(at_1x, at_2x);
    ASSERT_TRUE(image);
    const gfx::Bitmap& sharp = image->ForScale(2.0f);
    EXPECT_EQ(sharp.Scale(), 2.0f);
    EXPECT_EQ(sharp.Width(), image->Width());
    EXPECT_EQ(sharp.DeviceWidth(), 2 * image->Width());
    EXPECT_EQ(&image->ForScale(1.5f), &sharp);
    EXPECT_EQ(&image->ForScale(1.25f), &image->Current());
    // The same picture: colours agree at logical points away from edges.
    const int x = image->Width() / 2 + 3, y = image->Height() / 2;
    const gfx::Argb a = image->Current().GetPixel(x, y), b = sharp.GetPixel(x, y);
    EXPECT_NEAR(static_cast<int>(gfx::GreenOf(a)), static_cast<int>(gfx::GreenOf(b)), 40) << image->Width();
  }
}

TEST(BuiltInImages, SkinCellsAreOpaqueInTheMiddleAndSeparated) {
  ImageHandle skin = LoadScaledImage(assets::PushButtonSkin(1), assets::PushButtonSkin(2));
  for (int cell = 0; cell < 4; ++cell) {
    EXPECT_EQ(gfx::AlphaOf(skin->ForScale(2).GetPixel(cell * 14 + 6, 12)), 255u) << cell;
    EXPECT_EQ(gfx::AlphaOf(skin->Current().GetPixel(cell * 14 + 6, 12)), 255u) << cell;
    if (cell < 3) {
      EXPECT_EQ(gfx::AlphaOf(skin->Current().GetPixel(cell * 14 + 13, 12)), 0u) << cell;
    }
  }
  // Normal, hot and pressed faces differ.
  EXPECT_NE(skin->Current().GetPixel(6, 12), skin->Current().GetPixel(20, 12));
  EXPECT_NE(skin->Current().GetPixel(20, 12), skin->Current().GetPixel(34, 12));
}

TEST(BuiltInImages, EveryCaptionFaceAndIconCellHasInk) {
  ImageHandle strip = Load(assets::CaptionButtons());
  for (int x : {0,   40,  80,  120, 149, 178, 207, 236, 265, 294, 323, 352,
                381, 410, 439, 468, 497, 526, 555, 584, 613, 642, 671, 700}) {
    const int w = x < 120 ? 39 : 28;
    gfx::Bitmap face = strip->Current().CloneArea({x, 2, w, 18});
    EXPECT_GT(gfx::testing::CountPainted(face), 10) << x;
  }
  ImageHandle icons = Load(assets::MessageBoxIcons());
  for (int cell = 0; cell < 5; ++cell)
    EXPECT_EQ(gfx::AlphaOf(icons->Current().GetPixel(cell * 40 + 20, 24)), 255u) << cell;
}

}  // namespace
}  // namespace razezazo
