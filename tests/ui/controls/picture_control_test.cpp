#include "razezazo/controls/picture_control.h"

#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "gfx/gif_writer.h"

namespace controls_test {
namespace {

using razezazo::DrawMode;
using razezazo::PictureControl;
using razezazo::PictureOptions;

constexpr gfx::Argb kRed = 0xFFFF0000, kGreen = 0xFF00FF00;

// A PNG of one colour, with an optional one-pixel frame of another.
std::vector<std::uint8_t> Png(int w, int h, gfx::Argb fill, std::optional<gfx::Argb> edge = std::nullopt) {
  gfx::Bitmap bitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bitmap.SetPixel(x, y, edge && (x == 0 || y == 0 || x == w - 1 || y == h - 1) ? *edge : fill);
  return bitmap.EncodePng();
}

gfx::Argb Centre(const PictureControl& picture) {
  const gfx::Bitmap& canvas = const_cast<PictureControl&>(picture).canvas();
  return canvas.GetPixel(canvas.Width() / 2, canvas.Height() / 2);
}

using PictureTest = HostFixture;

// Frames of the test GIF: 0 black, 1 red, 2 green (see MakeGif).
TEST_F(PictureTest, GifFramesShowForTheirOwnDelays) {
  PictureControl picture;
  ASSERT_TRUE(picture.Create(window_, {20, 20, 20, 20}, gfx::testing::MakeGif({0, 5}), {.fix_zero_delays = true}));
  ASSERT_EQ(picture.frame_count(), 2);
  EXPECT_EQ(picture.frame_delays(), (std::vector<int>{10, 5}));

  // Frame 1 (black) for 100 ms, frame 2 (red) for 50 ms, and again.
  auto red = [&] { return R(Centre(picture)); };
  EXPECT_EQ(red(), 0u);
  Advance(99);
  EXPECT_EQ(red(), 0u);
  Advance(1);
  EXPECT_EQ(red(), 255u);
  Advance(49);
  EXPECT_EQ(red(), 255u);
  Advance(1);
  EXPECT_EQ(red(), 0u);
  Advance(99);
  EXPECT_EQ(red(), 0u);
  Advance(1);
  EXPECT_EQ(red(), 255u);
  // What the window shows follows the canvas.
  EXPECT_EQ(R(Screen().GetPixel(30, 30)), 255u);

  PictureControl three;
  ASSERT_TRUE(three.Create(window_, {50, 20, 20, 20}, gfx::testing::MakeGif({5, 5, 5})));
  Advance(100);
  EXPECT_EQ(G(Centre(three)), 255u);  // the third frame after two delays
}

TEST_F(PictureTest, ZeroDelaysWithoutTheFixStillTakeTime) {
  PictureControl picture;
  ASSERT_TRUE(picture.Create(window_, {20, 20, 20, 20}, gfx::testing::MakeGif({0, 0})));
  EXPECT_EQ(picture.frame_delays(), (std::vector<int>{0, 0}));
  EXPECT_EQ(picture.current_frame(), 2);  // the next frame to show
  Advance(9);
  EXPECT_EQ(picture.current_frame(), 2);
  Advance(1);
  EXPECT_EQ(picture.current_frame(), 1);
}

TEST_F(PictureTest, WithoutDelaysAFramePlaysFor100Ms) {
  PictureControl picture;
  ASSERT_TRUE(picture.Create(window_, {20, 20, 20, 20}, gfx::testing::MakeGif({-1, -1})));
  Advance(99);
  EXPECT_EQ(R(Centre(picture)), 0u);
  Advance(1);
  EXPECT_EQ(R(Centre(picture)), 255u);
}

TEST_F(PictureTest, DisablingFreezesTheVisibleFrameWhileTheNumberCountsOn) {
  PictureControl picture;
  ASSERT_TRUE(picture.Create(window_, {20, 20, 20, 20}, gfx::testing::MakeGif({10, 10})));
  Advance(100);
  ASSERT_EQ(R(Centre(picture)), 255u);
  const gfx::Bitmap frozen = picture.canvas().Clone();
  const int frame = picture.current_frame();
  picture.SetDisabled(true);
  Advance(500);
  EXPECT_TRUE(SamePixels(frozen, picture.canvas()));
  EXPECT_EQ(picture.current_frame(), frame + 5);

  picture.SetDisabled(false);
  Advance(100);
  EXPECT_EQ(picture.current_frame(), 2);  // started again from the first frame
  EXPECT_EQ(R(Centre(picture)), 0u);
}

TEST_F(PictureTest, StoppingPlayShowsTheFirstFrame) {
  PictureControl picture;
  ASSERT_TRUE(picture.Create(window_, {20, 20, 20, 20}, gfx::testing::MakeGif({10, 10})));
  Advance(100);
  ASSERT_EQ(R(Centre(picture)), 255u);
  picture.SetPlaying(false);
  EXPECT_EQ(R(Centre(picture)), 0u);
  Advance(1000);
  EXPECT_EQ(R(Centre(picture)), 0u);
  picture.SetPlaying(true);
  Advance(100);
  EXPECT_EQ(R(Centre(picture)), 255u);
}

TEST_F(PictureTest, AnIconPictureNeverPlays) {
  razezazo::Icon icon{2, 2, {kRed, kGreen, kGreen, kRed}};
  PictureControl picture;
  ASSERT_TRUE(picture.CreateFromIcon(window_, {11, 11, 16, 16}, icon, {.playing = true}));
  EXPECT_FALSE(picture.playing());
  EXPECT_EQ(picture.frame_count(), 1);
  EXPECT_TRUE(picture.image_bytes().empty());
  const gfx::Bitmap first = picture.canvas().Clone();
  EXPECT_EQ(A(first.GetPixel(2, 2)), 255u);
  Advance(1000);
  EXPECT_TRUE(SamePixels(first, picture.canvas()));
}

TEST_F(PictureTest, DrawModes) {
  const auto red = Png(4, 4, kRed);
  PictureControl natural, stretched, centred;
  ASSERT_TRUE(natural.Create(window_, {0, 0, 20, 20}, red, {.draw_mode = DrawMode::kNatural}));
  ASSERT_TRUE(stretched.Create(window_, {30, 0, 20, 20}, red, {.draw_mode = DrawMode::kStretched}));
  ASSERT_TRUE(centred.Create(window_, {60, 0, 20, 20}, red, {.draw_mode = DrawMode::kCentred}));
  EXPECT_EQ(natural.canvas().GetPixel(1, 1), kRed);
  EXPECT_EQ(A(natural.canvas().GetPixel(10, 10)), 0u);
  EXPECT_EQ(stretched.canvas().GetPixel(10, 10), kRed);
  EXPECT_EQ(A(stretched.canvas().GetPixel(1, 18)), 255u);
  EXPECT_EQ(centred.canvas().GetPixel(9, 9), kRed);
  EXPECT_EQ(A(centred.canvas().GetPixel(2, 2)), 0u);
}

TEST_F(PictureTest, NineGridKeepsTheCornersAndFallsBackWithoutMargins) {
  // 10 x 10, green edge one pixel wide around red; margins (1, 1, 9, 9).
  const auto framed = Png(10, 10, kRed, kGreen);
  PictureControl grid;
  ASSERT_TRUE(
      grid.Create(window_, {0, 0, 40, 30}, framed, {.draw_mode = DrawMode::kNineGrid, .margins = {1, 1, 9, 9}}));
  EXPECT_EQ(grid.canvas().GetPixel(0, 15), kGreen);  // left edge stays one pixel
  EXPECT_EQ(grid.canvas().GetPixel(1, 15), kRed);
  EXPECT_EQ(grid.canvas().GetPixel(38, 15), kRed);
  EXPECT_EQ(grid.canvas().GetPixel(39, 15), kGreen);  // right edge at the far side
  EXPECT_EQ(grid.canvas().GetPixel(20, 29), kGreen);

  grid.SetMargins({});
  EXPECT_EQ(grid.canvas().GetPixel(5, 5), kRed);  // natural size
  EXPECT_EQ(A(grid.canvas().GetPixel(20, 20)), 0u);
}

TEST_F(PictureTest, BackgroundAndBorder) {
  PictureControl picture;
  ASSERT_TRUE(picture.Create(window_, {0, 0, 30, 30}, Png(4, 4, kRed),
                             {.draw_mode = DrawMode::kNatural,
                              .background = razezazo::ToArgb(0xFF0000),
                              .border = razezazo::border_style::kFlat}));
  EXPECT_GT(B(picture.canvas().GetPixel(15, 15)), 240u);  // background (blue) under the natural-size image
  EXPECT_EQ(picture.canvas().GetPixel(2, 2), kRed);
  const gfx::Argb border = picture.canvas().GetPixel(15, 29);
  EXPECT_NEAR(R(border), 0x64, 1);  // flat grey
  EXPECT_NEAR(G(border), 0x64, 1);
  picture.SetBackground(0);
  EXPECT_EQ(A(picture.canvas().GetPixel(15, 15)), 0u);
}

TEST_F(PictureTest, SetImageWithATransitionHoldsTheFramesUntilItArrives) {
  PictureControl picture;
  ASSERT_TRUE(picture.Create(window_, {20, 20, 20, 20}, Png(4, 4, kRed)));
  std::vector<std::uint32_t> finished_at;
  picture.AddEventHandler(razezazo::event::kTransitionFinished,
                          [&](const razezazo::Event&) { finished_at.push_back(headless_->Now()); });
  const std::uint32_t start = headless_->Now();
  const auto gif = gfx::testing::MakeGif({7, 7});
  const auto& stored = picture.SetImage(gif, razezazo::ImageChange{razezazo::TransitionKind::kFade});
  EXPECT_EQ(stored, gif);
  EXPECT_EQ(picture.pending_change(), razezazo::TransitionKind::kFade);
  EXPECT_EQ(picture.transition().steps, 5);
  EXPECT_EQ(picture.frame_count(), 2);
  // The 70 ms frame timer fires meanwhile, but frames wait for the transition.
  Advance(280);
  EXPECT_EQ(picture.current_frame(), 2);
  EXPECT_TRUE(finished_at.empty());
  Advance(20);
  ASSERT_EQ(finished_at.size(), 1u);
  EXPECT_EQ(finished_at[0] - start, 300u);
  EXPECT_FALSE(picture.pending_change());
  EXPECT_EQ(picture.transition().steps, 0);
  Advance(50);
  EXPECT_EQ(R(Centre(picture)), 255u);  // playing again
}

TEST_F(PictureTest, UnreadableBytesDrawNothing) {
  PictureControl picture;
  ASSERT_TRUE(picture.Create(window_, {20, 20, 20, 20}, Png(4, 4, kRed)));
  const std::vector<std::uint8_t> junk = {1, 2, 3, 4, 5};
  picture.SetImage(junk, razezazo::ImageChange{});
  EXPECT_FALSE(picture.has_image());
  EXPECT_EQ(picture.current_frame(), 0);
  EXPECT_EQ(picture.frame_count(), 0);
  EXPECT_FALSE(picture.pending_change());
  EXPECT_EQ(Centre(picture), kRed);  // the canvas keeps what it held

  PictureControl empty;
  ASSERT_TRUE(empty.Create(window_, {50, 20, 20, 20}, std::span<const std::uint8_t>{}));
  EXPECT_EQ(A(Centre(empty)), 0u);
}

}  // namespace
}  // namespace controls_test
