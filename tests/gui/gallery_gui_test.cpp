// The gallery — a window built like brivo's main window — on a real X server.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>

#include "assets/assets.h"
#include "platform/gfx/image_decoder.h"
#include "tests/gui/gallery_fixture.h"

namespace winsys::testing {
namespace {

// 380 x 338, centred on the 1024 x 768 screen.
constexpr int kLeft = 322, kTop = 215;

// The window's top-left corner as xdotool reports it, or (-1, -1).
std::pair<int, int> WindowPosition() {
  const gfx::RectI rect = WindowGeometry("brivo");
  return {rect.x, rect.y};
}

using GalleryGuiTest = GalleryFixture;

TEST_F(GalleryGuiTest, TheWindowShowsItsBackgroundCaptionAndButtons) {
  auto decoded = gfx::DecodeImage(assets::MainBackground());
  ASSERT_TRUE(decoded && !decoded->frames.empty());
  // The background image at its own size from (5, 5); a spot no control covers.
  gfx::Argb expected = decoded->frames[0].GetPixel(200 - 5, 300 - 5);
  EXPECT_TRUE(ScreenShows(display_.Name(), kLeft + 200, kTop + 300, expected));
  gfx::Bitmap shot = Screenshot(display_.Name());
  ASSERT_FALSE(shot.IsNull());
  // Outside the window's rounded region: the bare root window.
  EXPECT_EQ(shot.GetPixel(kLeft + 2, kTop + 150) & 0xFFFFFF, 0u);
  // The title's white letters and the caption buttons' faces differ from the picture below them.
  auto whiter_than_background = [&](int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) {
        gfx::Argb p = shot.GetPixel(kLeft + x, kTop + y);
        if (gfx::RedOf(p) > 230 && gfx::GreenOf(p) > 230 && gfx::BlueOf(p) > 230) return true;
      }
    return false;
  };
  EXPECT_TRUE(whiter_than_background(28, 10, 100, 20));  // title
  EXPECT_TRUE(whiter_than_background(335, 7, 39, 19));   // close
  EXPECT_TRUE(whiter_than_background(307, 7, 28, 19));   // maximise
  EXPECT_TRUE(whiter_than_background(251, 7, 28, 19));   // the feedback button
}

TEST_F(GalleryGuiTest, DraggingEmptyAreaMovesTheWindow) {
  ASSERT_EQ(WindowPosition(), std::make_pair(kLeft, kTop));
  const int press_x = kLeft + 200, press_y = kTop + 250;
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(press_x), std::to_string(press_y), "mousedown", "1"}), 0);
  // The move loop starts when the window has handled the press, which may be
  // after some of the pointer's motion: whatever it missed, the window lands
  // where the pointer's distance from the press point says. Nudge the pointer
  // until the loop has visibly begun, so the release cannot come before it.
  std::pair<int, int> dragged{-1, -1};
  for (int i = 0; i < 100; ++i) {
    const int dx = 30 + i % 2;
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(press_x + dx), std::to_string(press_y + 20)}), 0);
    LetTimePass(20);  // one nudge at a time, each seen by the window
    dragged = WindowPosition();
    if (dragged.first > kLeft) break;
  }
  EXPECT_TRUE(dragged == std::make_pair(kLeft + 30, kTop + 20) || dragged == std::make_pair(kLeft + 31, kTop + 20));
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(press_x + 50), std::to_string(press_y + 40), "mouseup", "1"}), 0);
  std::pair<int, int> moved{-1, -1};
  WaitUntil(
      [&] {
        moved = WindowPosition();
        return moved == std::make_pair(kLeft + 50, kTop + 40);
      },
      2000, 20);
  EXPECT_EQ(moved, std::make_pair(kLeft + 50, kTop + 40));
}

TEST_F(GalleryGuiTest, TheCloseButtonAnimatesAndTheWindowIsGone) {
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(kLeft + 354), std::to_string(kTop + 16), "click", "1"}), 0);
  EXPECT_TRUE(gallery_->WaitForLine("closed"));
  EXPECT_TRUE(gallery_->WaitForExit());
  EXPECT_EQ(WindowPosition(), std::make_pair(-1, -1));
}

}  // namespace
}  // namespace winsys::testing
