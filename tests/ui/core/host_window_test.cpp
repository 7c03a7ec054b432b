// The host window itself: background, shape, shadow, fade, animations, resize
// borders, maximising and the size hook.
#include "tests/ui/host_fixture.h"

namespace razezazo {
namespace {

using testing_support::NearColour;
using testing_support::TestControl;

class HostWindowTest : public testing_support::HostFixture {
 protected:
  // A 30 x 30 PNG: red, with a 10-px green border.
  static std::vector<std::uint8_t> FramedImage() {
    gfx::Bitmap image(30, 30);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x)
        image.SetPixel(x, y, x < 10 || y < 10 || x >= 20 || y >= 20 ? 0xFF00FF00 : 0xFFFF0000);
    return image.EncodePng();
  }

  unsigned Alpha(int x, int y) const { return gfx::AlphaOf(Screen(x, y)); }
};

TEST_F(HostWindowTest, AnOrdinaryWindowIsCutToItsRoundedRegion) {
  EXPECT_EQ(Alpha(5, 100), 0u);
  EXPECT_EQ(Alpha(6, 100), 255u);
  EXPECT_EQ(Alpha(373, 100), 255u);
  EXPECT_EQ(Alpha(374, 100), 0u);
  headless_->Maximize(window_);
  headless_->RunPending();
  EXPECT_EQ(Alpha(5, 100), 255u);  // inset 5 while maximised
  EXPECT_EQ(Alpha(4, 100), 0u);
}

TEST_F(HostWindowTest, ASkinnedWindowStretchesOrNineGridsItsImage) {
  std::vector<std::uint8_t> png = FramedImage();
  Recreate({.background_image = png, .caption_flags = 0, .frame_style = razezazo::frame_style::kSkinned}, 300, 300);
  EXPECT_TRUE(NearColour(Screen(50, 150), 0, 255, 0));  // stretched 10x: the border is 100 px
  EXPECT_TRUE(NearColour(Screen(150, 150), 255, 0, 0));
  Recreate({.background_image = png,
            .caption_flags = 0,
            .frame_style = razezazo::frame_style::kSkinned,
            .creation_rect = FloatRect{10, 10, 10, 10}},
           300, 300);
  EXPECT_TRUE(NearColour(Screen(15, 150), 255, 0, 0));  // nine-grid: the border keeps 10 px
  EXPECT_TRUE(NearColour(Screen(7, 150), 0, 255, 0));
  EXPECT_TRUE(NearColour(Screen(292, 150), 0, 255, 0));
}

// Without a colour of its own the window takes its picture's mean colour,
// averaged over the straight colours: half-transparent pixels count as the
// colours they are, not darkened by their alpha.
TEST_F(HostWindowTest, APictureWithoutAColourGivesTheWindowItsMeanColour) {
  gfx::Bitmap image(30, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) image.SetPixel(x, y, x < 10 ? 0x80FF0000 : 0xFF0000FF);
  Recreate({.background_image = image.EncodePng(), .caption_flags = 0});
  const std::int64_t colour =
      host_->GetField(razezazo::host_field::kBackgroundColour);  // Windows RGB: red in the low byte
  EXPECT_NEAR(colour & 0xFF, 85, 1);
  EXPECT_EQ((colour >> 8) & 0xFF, 0);
  EXPECT_NEAR((colour >> 16) & 0xFF, 170, 1);
}

TEST_F(HostWindowTest, ALayeredWindowGetsABlackShadowByDefault) {
  Recreate({.background_colour = 0x00FFFFFF, .layer_alpha = 255, .frame_style = razezazo::frame_style::kRounded});
  host_->SetShadowColour(-1);
  host_->SetBackground(std::nullopt, -1, razezazo::background_mode::kPresent);
  gfx::Argb innermost = Screen(5, 150);
  EXPECT_EQ(gfx::AlphaOf(innermost), 45u);
  EXPECT_TRUE(NearColour(innermost, 0, 0, 0));
  EXPECT_EQ(gfx::AlphaOf(Screen(4, 150)), 25u);
  EXPECT_EQ(gfx::AlphaOf(Screen(2, 150)), 5u);
}

TEST_F(HostWindowTest, FadeInReachesFullAlphaAfterFiveTicksThenClearsBusy) {
  host_->SetBackground(std::nullopt, 0x00FFFFFF, razezazo::background_mode::kFadeIn);
  EXPECT_TRUE(host_->busy());
  // Each tick blends white at 51, 102, 153, 204 over the last tick's black-to-white mix.
  const unsigned expected[] = {51, 133, 206, 245};
  for (int tick = 1; tick <= 4; ++tick) {
    headless_->Advance(50);
    EXPECT_TRUE(host_->busy()) << tick;
    const unsigned v = expected[tick - 1];
    EXPECT_TRUE(NearColour(Screen(100, 100), v, v, v, 4)) << tick;
  }
  headless_->Advance(50);
  EXPECT_FALSE(host_->busy());
  EXPECT_TRUE(NearColour(Screen(100, 100), 254, 254, 254, 2));
  headless_->Advance(500);
  EXPECT_FALSE(host_->busy());
}

TEST_F(HostWindowTest, ControlsChangedDuringTheFadeShowTheirLatestStateAfterIt) {
  auto a = Add({20, 20, 40, 20}, 0xFFFF0000);
  host_->SetBackground(std::nullopt, 0x00FFFFFF, razezazo::background_mode::kFadeIn);
  headless_->Advance(50);
  a->SetColour(0xFF0000FF);
  a->SetBounds({.x = 100});
  a->SetBounds({.x = 200});
  headless_->Advance(250);
  ASSERT_FALSE(host_->busy());
  EXPECT_TRUE(NearColour(Screen(210, 30), 0, 0, 255));
  EXPECT_TRUE(NearColour(Screen(30, 30), 255, 255, 255));   // no ghost where it started
  EXPECT_TRUE(NearColour(Screen(110, 30), 255, 255, 255));  // nor where it passed
}

TEST_F(HostWindowTest, ANewBackgroundStopsAFadeStillRunning) {
  host_->SetBackground(std::nullopt, 0x00FFFFFF, razezazo::background_mode::kFadeIn);
  headless_->Advance(50);
  host_->SetBackground(std::nullopt, 0x000000FF,
                       razezazo::background_mode::kPresent);  // red, as colours are 0x00BBGGRR
  EXPECT_FALSE(host_->busy());
  EXPECT_TRUE(NearColour(Screen(100, 100), 255, 0, 0));
  for (int tick = 0; tick < 5; ++tick) {  // no late fade step paints over it
    headless_->Advance(50);
    EXPECT_TRUE(NearColour(Screen(100, 100), 255, 0, 0)) << tick;
  }
}

TEST_F(HostWindowTest, EveryVisibleControlHearsOfANewBackgroundChildrenToo) {
  auto parent = Add({20, 20, 200, 100});
  auto child = Add({10, 10, 50, 20}, 0xFF00FF00, parent.get());
  auto hidden = Add({250, 20, 50, 20});
  hidden->SetVisible(false);
  headless_->RunPending();
  for (TestControl* c : {parent.get(), child.get(), hidden.get()}) {
    c->watched = {event::kRepaintBroadcast};
    c->Take();
  }
  host_->SetBackground(std::nullopt, 0x00FFFFFF, razezazo::background_mode::kPresent);
  EXPECT_EQ(parent->Take().size(), 1u);
  EXPECT_EQ(child->Take().size(), 1u);
  EXPECT_TRUE(hidden->Take().empty());
}

TEST_F(HostWindowTest, NothingPresentsOverTheClosingAnimation) {
  host_->SetCloseAnimation(razezazo::close_animation::kFadeOut);
  auto a = Add({20, 20, 40, 20}, 0xFFFF0000);
  std::vector<unsigned> control_alphas;
  int frame = 0;
  // A control that repaints on its own timer while the window fades out.
  headless_->SetTimer(window_, 0x7E57, 5, [&](winsys::WindowId, unsigned, std::uintptr_t, std::uint32_t) {
    if (!headless_->IsWindow(window_)) return;
    a->SetColour(++frame % 2 ? 0xFF00FF00 : 0xFFFF0000);
    control_alphas.push_back(gfx::AlphaOf(Screen(30, 30)));
  });
  headless_->Send(window_, winsys::WM_CLOSE, 0, 0);
  EXPECT_FALSE(headless_->IsWindow(window_));
  ASSERT_GT(control_alphas.size(), 5u);
  EXPECT_LT(control_alphas.back(), 255u);
  EXPECT_TRUE(std::is_sorted(control_alphas.rbegin(), control_alphas.rend()));  // it only fades
}

TEST_F(HostWindowTest, ShowAnimationsEndWithTheWholePicture) {
  auto a = Add({20, 20, 60, 30}, 0xFFFF0000);
  for (int kind : {1, 3, 4, 5, 6, 7}) {
    headless_->ShowWindow(window_, winsys::SW_HIDE);
    std::uint32_t before = headless_->Now();
    host_->Show(razezazo::show_animation::Kind{kind});
    EXPECT_TRUE(headless_->IsVisible(window_)) << kind;
    EXPECT_FALSE(host_->busy()) << kind;
    EXPECT_TRUE(NearColour(Screen(40, 30), 255, 0, 0)) << kind;
    EXPECT_EQ(headless_->Now() - before, kind == 7 ? 55u : 200u) << kind;  // the frames' sleeps
  }
}

TEST_F(HostWindowTest, ShowAnimationsRevealFromTheirOwnSide) {
  // Alphas halfway through (frame 5 of 10): left, right, top and bottom edge, and an outer pixel.
  struct Halfway {
    unsigned left, right, top, bottom, outer;
  };
  auto halfway = [this](int kind) {
    Halfway seen{};
    headless_->ShowWindow(window_, winsys::SW_HIDE);
    // Halfway: 90 ms into 20-ms frames, 36 ms into the zoom's sleeps of 10, 9, ... ms.
    const std::uint32_t at = kind == 7 ? 36 : 90;
    headless_->SetTimer(window_, 0x5EE, at, [&](winsys::WindowId, unsigned, std::uintptr_t, std::uint32_t) {
      headless_->KillTimer(window_, 0x5EE);
      seen = {Alpha(40, 169), Alpha(340, 169), Alpha(190, 30), Alpha(190, 308), Alpha(8, 169)};
    });
    host_->Show(razezazo::show_animation::Kind{kind});
    headless_->KillTimer(window_, 0x5EE);
    return seen;
  };
  Halfway left = halfway(3), right = halfway(4), top = halfway(5), bottom = halfway(6);
  EXPECT_TRUE(left.left > 0 && left.right == 0);
  EXPECT_TRUE(right.right > 0 && right.left == 0);
  EXPECT_TRUE(top.top > 0 && top.bottom == 0);
  EXPECT_TRUE(bottom.bottom > 0 && bottom.top == 0);
  Halfway fade = halfway(1), zoom = halfway(7);
  EXPECT_TRUE(fade.left == fade.right && fade.left > 0 && fade.left < 255);
  EXPECT_EQ(zoom.outer, 0u);  // still scaled down inside the window
  EXPECT_GT(zoom.left, 0u);
}

TEST_F(HostWindowTest, CloseAnimationTwoFadesAndTheWindowGoes) {
  host_->SetCloseAnimation(razezazo::close_animation::kSwellAndFade);
  std::uint32_t before = headless_->Now();
  headless_->Send(window_, winsys::WM_CLOSE, 0, 0);
  EXPECT_FALSE(headless_->IsWindow(window_));
  EXPECT_EQ(headless_->Now() - before, 15u + 14 + 13 + 12 + 11 + 15 * 10);  // max(10, 16 - frame)
}

TEST_F(HostWindowTest, ResizeBordersFollowTheTableWithItsAsymmetry) {
  Recreate({.caption_flags = 0, .resizable = true});
  auto cursor_at = [this](int x, int y) {
    headless_->MoveMouse(window_, x, y);
    return headless_->CurrentCursor();
  };
  using winsys::Cursor;
  EXPECT_EQ(cursor_at(9, 7), Cursor::SizeNWSE);
  EXPECT_EQ(cursor_at(10, 7), Cursor::SizeNS);
  EXPECT_EQ(cursor_at(7, 100), Cursor::SizeWE);
  EXPECT_EQ(cursor_at(8, 100), Cursor::Arrow);     // the left band is 8 px deep
  EXPECT_EQ(cursor_at(371, 100), Cursor::SizeWE);  // width - x < 10 on the right
  EXPECT_EQ(cursor_at(370, 100), Cursor::Arrow);
  EXPECT_EQ(cursor_at(100, 329), Cursor::SizeNS);
  EXPECT_EQ(cursor_at(100, 328), Cursor::Arrow);
  // Corners, inside the window's rounded region (inset 6).
  EXPECT_EQ(cursor_at(371, 329), Cursor::SizeNWSE);
  EXPECT_EQ(cursor_at(9, 331), Cursor::SizeNESW);
  EXPECT_EQ(cursor_at(373, 7), Cursor::SizeNESW);
  headless_->Maximize(window_);
  headless_->RunPending();
  EXPECT_EQ(cursor_at(5, 100), Cursor::Arrow);  // no borders while maximised
}

TEST_F(HostWindowTest, NoResizeBordersUnlessResizable) {
  headless_->MoveMouse(window_, 3, 100);
  EXPECT_EQ(headless_->CurrentCursor(), winsys::Cursor::Arrow);
}

TEST_F(HostWindowTest, PressingOnABorderStartsSizingAndClearsTheHotControl) {
  Recreate({.caption_flags = 0, .resizable = true});
  auto a = Add({0, 20, 60, 30});
  a->watched = {event::kMouseLeave};
  headless_->MoveMouse(window_, 30, 30);
  EXPECT_EQ(host_->hot(), a.get());
  headless_->MoveMouse(window_, 7, 30);
  EXPECT_EQ(host_->hot(), nullptr);
  EXPECT_EQ(a->Take().size(), 1u);
  gfx::RectI before = headless_->WindowRect(window_);
  headless_->PressLeft();
  headless_->MoveMouse(window_, -13, 30);  // the size loop follows the pointer
  headless_->ReleaseLeft();
  EXPECT_EQ(headless_->WindowRect(window_).width, before.width + 20);
}

TEST_F(HostWindowTest, ADoubleClickNearTheTopTogglesMaximise) {
  Recreate({.caption_flags = kCaptionClose | kCaptionMaximize});
  headless_->DoubleClick(window_, 150, 30);
  headless_->RunPending();
  EXPECT_FALSE(headless_->IsZoomed(window_));
  headless_->Advance(1000);
  headless_->DoubleClick(window_, 150, 29);
  headless_->RunPending();
  EXPECT_TRUE(headless_->IsZoomed(window_));
}

TEST_F(HostWindowTest, TheSizeHookFiresOncePerChange) {
  std::vector<std::pair<int, int>> sizes;
  host_->hooks().size_changed = [&sizes](winsys::WindowId, int w, int h) { sizes.emplace_back(w, h); };
  gfx::RectI rect = headless_->WindowRect(window_);
  headless_->SetWindowRect(window_, {rect.x, rect.y, 400, 300});
  headless_->SetWindowRect(window_, {rect.x + 10, rect.y, 400, 300});  // a move only
  headless_->SetWindowRect(window_, {rect.x, rect.y, 400, 310});
  headless_->RunPending();
  EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{400, 300}, {400, 310}}));
  EXPECT_EQ(host_->back_buffer().Width(), 400);
  EXPECT_EQ(host_->back_buffer().Height(), 310);
}

}  // namespace
}  // namespace razezazo
