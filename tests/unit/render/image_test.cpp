#include <gtest/gtest.h>

#include <map>

#include "gfx/gif_writer.h"
#include "gfx/pixels.h"
#include "razezazo/drawing/image.h"

namespace razezazo {
namespace {

std::vector<std::uint8_t> StillPng(int w, int h, gfx::Argb color) {
  gfx::Bitmap b(w, h);
  gfx::Graphics(b).Clear(color);
  return b.EncodePng();
}

TEST(LoadImage, StillImageKeepsWorkingAfterItsBytesAreFreed) {
  auto bytes = std::make_unique<std::vector<std::uint8_t>>(StillPng(6, 4, 0xFF336699));
  ImageHandle image = LoadImage(*bytes);
  std::fill(bytes->begin(), bytes->end(), 0);
  bytes.reset();
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 6);
  EXPECT_EQ(image->Height(), 4);
  gfx::Bitmap target(10, 10);
  gfx::Graphics g(target);
  DrawNatural(g, image->Current(), {2, 2, 1, 1});
  EXPECT_EQ(target.GetPixel(7, 5), 0xFF336699u);
  EXPECT_EQ(target.GetPixel(8, 5), 0u);
}

TEST(LoadImage, SignatureCanBePrependedAndBadBlocksGiveNothing) {
  const auto png = StillPng(3, 3, 0xFF00FF00);
  const std::vector<std::uint8_t> headless(png.begin() + 8, png.end());
  EXPECT_FALSE(LoadImage(headless));
  ImageHandle image = LoadImage(headless, true);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Current().GetPixel(1, 1), 0xFF00FF00u);
  EXPECT_FALSE(LoadImage({}));
  EXPECT_FALSE(LoadImage(std::vector<std::uint8_t>(100, 7)));
}

TEST(Frames, DelaysAreTheFilesOwnWithZeroFixedOnRequest) {
  const auto gif = gfx::testing::MakeGif({0, 5});
  ImageHandle animated = LoadImage(gif, false, true);
  ASSERT_TRUE(animated);
  EXPECT_EQ(animated->FrameCount(), 2);
  EXPECT_EQ(animated->FrameDelays(false), (std::vector<int>{0, 5}));
  EXPECT_EQ(animated->FrameDelays(true), (std::vector<int>{10, 5}));
  EXPECT_EQ(animated->Current().GetPixel(0, 0), 0xFF000000u);
  EXPECT_TRUE(animated->SelectFrame(1));
  EXPECT_EQ(animated->Current().GetPixel(0, 0), 0xFFFF0000u);
  EXPECT_FALSE(animated->SelectFrame(2));
  EXPECT_EQ(animated->Current().GetPixel(0, 0), 0xFFFF0000u);  // unchanged

  ImageHandle still = LoadImage(gif);  // detached: one frame, no delay property
  EXPECT_EQ(still->FrameCount(), 1);
  EXPECT_EQ(still->FrameDelays(), (std::vector<int>{10}));
  EXPECT_EQ(LoadImage(gfx::testing::MakeGif({-1}), false, true)->FrameDelays(), (std::vector<int>{10}));
}

// A 13 x 28 cell whose nine parts (margins 5, 5, 3, 15) each have their own colour.
gfx::Bitmap NineColourCell() {
  gfx::Bitmap cell(13, 28);
  for (int y = 0; y < 28; ++y)
    for (int x = 0; x < 13; ++x) {
      const int col = x < 5 ? 0 : x < 8 ? 1 : 2, row = y < 5 ? 0 : y < 20 ? 1 : 2;
      cell.SetPixel(x, y, 0xFF000000u | static_cast<unsigned>((row * 3 + col + 1) * 20));
    }
  return cell;
}

TEST(NineGrid, CornersKeepTheirSizeAndTheCentreStretches) {
  gfx::Bitmap target(120, 60);
  gfx::Graphics g(target);
  DrawNineGrid(g, NineColourCell(), {10, 10, 100, 40}, {5, 5, 3, 15});
  std::map<unsigned, int> area;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x)
      if (gfx::AlphaOf(target.GetPixel(x, y))) ++area[target.GetPixel(x, y) & 0xFF];
  EXPECT_EQ(area[20], 5 * 5);     // top-left
  EXPECT_EQ(area[60], 5 * 5);     // top-right
  EXPECT_EQ(area[140], 5 * 8);    // bottom-left
  EXPECT_EQ(area[180], 5 * 8);    // bottom-right
  EXPECT_EQ(area[100], 90 * 27);  // centre
  EXPECT_EQ(area[40], 90 * 5);    // top edge
  EXPECT_EQ(area[80], 5 * 27);    // left edge
  EXPECT_EQ(target.GetPixel(10, 10) & 0xFF, 20u);
  EXPECT_EQ(target.GetPixel(109, 49) & 0xFF, 180u);
}

TEST(NineGrid, OpacityAppliesToEveryCell) {
  gfx::Bitmap target(40, 40);
  gfx::Graphics g(target);
  DrawNineGrid(g, NineColourCell(), {0, 0, 30, 30}, {5, 5, 3, 15}, 128);
  EXPECT_NEAR(gfx::AlphaOf(target.GetPixel(1, 1)), 128, 1);
  EXPECT_NEAR(gfx::AlphaOf(target.GetPixel(15, 15)), 128, 1);
  g.Clear(0);
  DrawNineGrid(g, NineColourCell(), {0, 0, 30, 30}, {5, 5, 3, 15}, 255);
  EXPECT_EQ(gfx::AlphaOf(target.GetPixel(15, 15)), 255u);
}

TEST(DrawModes, CentredStretchedAndOpacity) {
  gfx::Bitmap img(4, 4);
  gfx::Graphics(img).Clear(0xFFFF0000);
  gfx::Bitmap target(20, 20);
  gfx::Graphics g(target);
  DrawCentred(g, img, {0, 0, 11, 11});  // x = round(3.5) = 4
  EXPECT_EQ(gfx::AlphaOf(target.GetPixel(3, 4)), 0u);
  EXPECT_EQ(gfx::AlphaOf(target.GetPixel(4, 4)), 255u);
  EXPECT_EQ(gfx::AlphaOf(target.GetPixel(7, 7)), 255u);
  EXPECT_EQ(gfx::AlphaOf(target.GetPixel(8, 8)), 0u);
  g.Clear(0);
  DrawStretched(g, img, {0, 0, 20, 10});
  EXPECT_EQ(gfx::testing::CountPainted(target), 200);
  g.Clear(0);
  DrawWithOpacity(g, img, {0, 0, 10, 10}, 100);  // never scaled: only the 4 x 4 image appears
  EXPECT_EQ(gfx::testing::CountPainted(target), 16);
  EXPECT_NEAR(gfx::AlphaOf(target.GetPixel(2, 2)), 100, 1);
  g.Clear(0);
  DrawWithOpacity(g, img, {0, 0, 8, 8}, 255);  // plain draw into the rect
  EXPECT_EQ(gfx::testing::CountPainted(target), 64);
}

TEST(CutCellAndIcon, CellsAreCopiesAndIconsBecomeArgbImages) {
  gfx::Bitmap strip(55, 28);
  strip.SetPixel(14, 0, 0xFF123456);
  const gfx::Bitmap cell = CutCell(strip, {14, 0, 13, 28});
  EXPECT_EQ(cell.Width(), 13);
  EXPECT_EQ(cell.GetPixel(0, 0), 0xFF123456u);

  Icon with_alpha{2, 1, {0x80FF0000, 0xFF00FF00}};
  gfx::Bitmap a = ImageFromIcon(with_alpha);
  EXPECT_NEAR(gfx::AlphaOf(a.GetPixel(0, 0)), 0x80, 1);
  EXPECT_EQ(a.GetPixel(1, 0), 0xFF00FF00u);
  Icon no_alpha{1, 1, {0x000000FF}};
  EXPECT_EQ(ImageFromIcon(no_alpha).GetPixel(0, 0), 0xFF0000FFu);
  EXPECT_TRUE(ImageFromIcon(Icon{2, 2, {1}}).IsNull());
}

}  // namespace
}  // namespace razezazo
