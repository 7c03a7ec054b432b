#include "razezazo/controls/caption_button.h"

#include <gtest/gtest.h>

#include "assets/assets.h"
#include "controls_fixture.h"
#include "razezazo/controls/label_control.h"
#include "razezazo/controls/picture_control.h"
#include "razezazo/drawing/image.h"

namespace controls_test {
namespace {

using razezazo::CaptionButton;
using razezazo::FloatRect;
using razezazo::kCaptionClose, razezazo::kCaptionFree128, razezazo::kCaptionIcon, razezazo::kCaptionMaximize,
    razezazo::kCaptionMinimize, razezazo::kCaptionTitle;

// The strip as the program ships it, decoded here on its own.
const gfx::Bitmap& Strip() {
  static const razezazo::ImageHandle strip = razezazo::LoadImage(assets::CaptionButtons());
  return strip->Current();
}

// True when the button shows the strip's face at normal_x + state offset
// (faces start at row 2 of the strip).
bool ShowsFace(CaptionButton& button, int face_x) {
  const gfx::Bitmap& canvas = button.canvas();
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < canvas.Width(); ++x)
      if (canvas.GetPixel(x, y) != Strip().GetPixel(face_x + x, 2 + y)) return false;
  return true;
}

std::vector<CaptionButton*> CaptionButtonsOf(razezazo::RazezaZOHost& host) {
  std::vector<CaptionButton*> buttons;
  for (razezazo::ControlBase* c = host.first_control(); c; c = c->next_sibling())
    if (auto* button = dynamic_cast<CaptionButton*>(c)) buttons.push_back(button);
  return buttons;
}

class CaptionButtonTest : public HostFixture {
 protected:
  // Buttons where the host's caption puts them: right to left from width - 12.
  static constexpr FloatRect kClose{329, 7, 39, 19};
  static constexpr FloatRect kMaximize{301, 7, 28, 19};
  static constexpr FloatRect kMinimize{273, 7, 28, 19};
  static constexpr FloatRect kFree{245, 7, 28, 19};

  void Press(const FloatRect& r) { headless_->Click(window_, static_cast<int>(r.x) + 5, static_cast<int>(r.y) + 5); }
};

TEST_F(CaptionButtonTest, TheHostPlacesItsButtonsRightToLeft) {
  Start({.background_colour = 0x804020,
         .caption_flags = kCaptionClose | kCaptionMaximize | kCaptionMinimize | kCaptionFree128});
  const std::vector<CaptionButton*> buttons = CaptionButtonsOf(*host_);
  ASSERT_EQ(buttons.size(), 4u);
  const int kinds[] = {4, 8, 16, 128};
  const FloatRect places[] = {kClose, kMaximize, kMinimize, kFree};
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i]->button_kind(), kinds[i]);
    EXPECT_FLOAT_EQ(buttons[i]->x(), places[i].x) << kinds[i];
    EXPECT_FLOAT_EQ(buttons[i]->y(), 7) << kinds[i];
    EXPECT_FLOAT_EQ(buttons[i]->width(), places[i].width) << kinds[i];
    EXPECT_FLOAT_EQ(buttons[i]->height(), 19) << kinds[i];
    EXPECT_EQ(buttons[i]->kind(), razezazo::kKindCaptionButton);
  }
}

template <typename T>
T* FirstOf(razezazo::RazezaZOHost& host) {
  for (razezazo::ControlBase* c = host.first_control(); c; c = c->next_sibling())
    if (auto* found = dynamic_cast<T*>(c)) return found;
  return nullptr;
}

TEST_F(CaptionButtonTest, TheHostCaptionShowsIconAndATitleThatFollowsTheWindowText) {
  Start({.background_colour = 0x804020, .caption_flags = kCaptionIcon | kCaptionTitle | kCaptionClose});
  auto* icon = FirstOf<razezazo::PictureControl>(*host_);
  ASSERT_NE(icon, nullptr);
  EXPECT_FLOAT_EQ(icon->x(), 11);
  EXPECT_FLOAT_EQ(icon->y(), 11);
  EXPECT_FLOAT_EQ(icon->width(), 16);
  EXPECT_TRUE(icon->has_image());

  auto* title = FirstOf<razezazo::LabelControl>(*host_);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), runtime::Gbk("控件"));
  EXPECT_EQ(title->text_colour(), razezazo::ToArgb(0xFFFFFF, 250));
  EXPECT_FLOAT_EQ(title->width(), title->text_width() + 2);
  headless_->SetWindowText(window_, "新标题");
  EXPECT_EQ(title->text(), runtime::Gbk("新标题"));
}

TEST_F(CaptionButtonTest, LayingOutTheCaptionPacksButtonsAndGivesTheTitleTheRest) {
  Start({.background_colour = 0x804020,
         .caption_flags = kCaptionIcon | kCaptionTitle | kCaptionClose | kCaptionMaximize | kCaptionFree128});
  host_->LayOutCaption();
  // From width - 5 - 12 = 363, each button 28 to the left of the one before, at y 7.
  const std::vector<CaptionButton*> buttons = CaptionButtonsOf(*host_);
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_FLOAT_EQ(buttons[0]->x(), 335);
  EXPECT_FLOAT_EQ(buttons[1]->x(), 307);
  EXPECT_FLOAT_EQ(buttons[2]->x(), 279);
  for (CaptionButton* b : buttons) EXPECT_FLOAT_EQ(b->y(), 7);
  // The title starts after the icon and ends where the buttons begin.
  auto* title = FirstOf<razezazo::LabelControl>(*host_);
  ASSERT_NE(title, nullptr);
  EXPECT_FLOAT_EQ(title->x(), 28);
  EXPECT_FLOAT_EQ(title->y(), 10);
  EXPECT_FLOAT_EQ(title->width(), 279 - 28);
  EXPECT_FLOAT_EQ(title->height(), 20);
}

TEST_F(CaptionButtonTest, TheWindowCannotShrinkBelowItsCaptionAndMaximisesOverTheWorkArea) {
  Start({.background_colour = 0x804020, .caption_flags = kCaptionClose | kCaptionMaximize | kCaptionMinimize});
  winsys::MinMaxInfo info{};
  headless_->Send(window_, winsys::WM_GETMINMAXINFO, 0, reinterpret_cast<winsys::LParam>(&info));
  EXPECT_EQ(info.min_track_width, 1 + 28 * 3 + 11 + 35);
  EXPECT_EQ(info.min_track_height, 38);
  const gfx::RectI work = headless_->WorkArea();
  EXPECT_EQ(info.max_rect, (gfx::RectI{work.x - 7, work.y - 7, work.width + 14, work.height + 14}));
}

TEST_F(CaptionButtonTest, FacesFollowTheMouseWithShortFades) {
  CaptionButton close;
  ASSERT_TRUE(close.Create(window_, razezazo::kCaptionButtonClose, kClose));
  EXPECT_FALSE(close.interactive());
  EXPECT_TRUE(ShowsFace(close, 0));
  std::vector<std::uint32_t> finished_at;
  close.AddEventHandler(razezazo::event::kTransitionFinished,
                        [&](const razezazo::Event&) { finished_at.push_back(headless_->Now()); });

  std::uint32_t start = headless_->Now();
  headless_->MoveMouse(window_, 340, 15);
  EXPECT_TRUE(ShowsFace(close, 40));
  EXPECT_EQ(close.transition().steps, 3);
  Advance(200);
  ASSERT_EQ(finished_at.size(), 1u);
  EXPECT_EQ(finished_at[0] - start, 180u);

  start = headless_->Now();
  headless_->MoveMouse(window_, 200, 150);
  EXPECT_TRUE(ShowsFace(close, 0));
  EXPECT_EQ(close.transition().steps, 4);
  Advance(300);
  ASSERT_EQ(finished_at.size(), 2u);
  EXPECT_EQ(finished_at[1] - start, 240u);

  headless_->MoveMouse(window_, 340, 15);
  headless_->PressLeft();
  EXPECT_TRUE(ShowsFace(close, 80));
  EXPECT_EQ(close.drawn_state(), razezazo::kCaptionPressed);
}

TEST_F(CaptionButtonTest, CloseClosesTheWindowUnlessDisabled) {
  CaptionButton close;
  ASSERT_TRUE(close.Create(window_, razezazo::kCaptionButtonClose, kClose));
  close.SetDisabled(true);
  headless_->RunPending();
  Press(kClose);
  close.Deliver(razezazo::event::kClick, close.self(), 0);  // even when asked directly
  headless_->RunPending();
  EXPECT_TRUE(commands_.empty());
  EXPECT_TRUE(headless_->IsWindow(window_));
  EXPECT_TRUE(headless_->IsVisible(window_));

  close.SetDisabled(false);
  headless_->RunPending();
  Press(kClose);
  EXPECT_EQ(commands_, (std::vector<std::string>{"close"}));
  EXPECT_FALSE(headless_->IsWindow(window_));
}

TEST_F(CaptionButtonTest, MaximiseSwitchesToRestoreWithoutAMouseMove) {
  Start({.background_colour = 0x804020, .caption_flags = kCaptionClose | kCaptionMaximize});
  const std::vector<CaptionButton*> buttons = CaptionButtonsOf(*host_);
  ASSERT_EQ(buttons.size(), 2u);
  CaptionButton& maximize = *buttons[1];
  ASSERT_EQ(maximize.button_kind(), razezazo::kCaptionButtonMaximize);
  EXPECT_TRUE(ShowsFace(maximize, 120));
  Press(kMaximize);
  EXPECT_EQ(commands_, (std::vector<std::string>{"syscommand:" + std::to_string(winsys::SC_MAXIMIZE)}));
  ASSERT_TRUE(headless_->IsZoomed(window_));
  EXPECT_TRUE(ShowsFace(maximize, 207));  // restore, normal

  commands_.clear();
  Press(maximize.bounds());
  EXPECT_EQ(commands_, (std::vector<std::string>{"syscommand:" + std::to_string(winsys::SC_RESTORE)}));
  EXPECT_FALSE(headless_->IsZoomed(window_));
  EXPECT_TRUE(ShowsFace(maximize, 120));
}

TEST_F(CaptionButtonTest, APlacementChangeRedrawsTheZoomFace) {
  CaptionButton maximize, minimize;
  ASSERT_TRUE(maximize.Create(window_, razezazo::kCaptionButtonMaximize, kMaximize));
  ASSERT_TRUE(minimize.Create(window_, razezazo::kCaptionButtonMinimize, kMinimize));
  headless_->Maximize(window_);
  maximize.Deliver(razezazo::event::kPlacementChanged, 0, 0);
  EXPECT_TRUE(ShowsFace(maximize, 207));
  EXPECT_TRUE(ShowsFace(minimize, 294));
  // Any later draw picks the face by the window's state too.
  headless_->Restore(window_);
  maximize.Deliver(razezazo::event::kMouseEnter, 0, 0);
  EXPECT_TRUE(ShowsFace(maximize, 149));
}

TEST_F(CaptionButtonTest, MinimiseOnAMinimisedWindowDoesNothing) {
  CaptionButton minimize;
  ASSERT_TRUE(minimize.Create(window_, razezazo::kCaptionButtonMinimize, kMinimize));
  Press(kMinimize);
  EXPECT_EQ(commands_, (std::vector<std::string>{"syscommand:" + std::to_string(winsys::SC_MINIMIZE)}));
  ASSERT_TRUE(headless_->IsIconic(window_));
  commands_.clear();
  minimize.Deliver(razezazo::event::kClick, minimize.self(), 0);
  headless_->RunPending();
  EXPECT_TRUE(commands_.empty());
}

TEST_F(CaptionButtonTest, FreeKindsOnlyReachTheClickHook) {
  CaptionButton feedback;
  ASSERT_TRUE(feedback.Create(window_, razezazo::kCaptionButtonFree128, kFree));
  EXPECT_TRUE(ShowsFace(feedback, 555));
  std::vector<int> hooked;
  host_->hooks().click = [&](winsys::WindowId, razezazo::ControlBase* control, winsys::WParam, winsys::LParam,
                             int kind) {
    auto* button = dynamic_cast<CaptionButton*>(control);
    hooked.push_back(kind * 1000 + (button ? button->button_kind() : -1));
  };
  int bound = 0;
  feedback.AddEventHandler(razezazo::event::kClick, [&](const razezazo::Event&) { ++bound; });
  Press(kFree);
  EXPECT_EQ(hooked, (std::vector<int>{1128}));
  EXPECT_EQ(bound, 1);
  EXPECT_TRUE(commands_.empty());
  EXPECT_TRUE(headless_->IsVisible(window_));
}

}  // namespace
}  // namespace controls_test
