// The edit box's focus and caret: the blink on the box's own timer, the pixels
// under the caret put back exactly, a caret that survives repaints and moves
// with the text, and the input method switched off for the modes that take
// no composed text.
#include <gtest/gtest.h>

#include <map>

#include "edit_box_fixture.h"

namespace controls_test {
namespace {

using razezazo::EditBox;
using razezazo::InputMode;
using razezazo::TextPlace;

class EditBoxCaretTest : public EditBoxFixture {
 protected:
  // Counts the blink ticks each control receives.
  void CountTimers() {
    host_->hooks().message = [this](winsys::WindowId, unsigned message, winsys::WParam wparam, winsys::LParam) {
      if (message == winsys::WM_TIMER) ++timer_ticks_[static_cast<razezazo::Handle>(wparam)];
      return winsys::LResult{-1};
    };
  }

  // What the window shows with every control composed afresh and no caret:
  // a host redraw of the whole window, taken while the caret is hidden.
  gfx::Bitmap FreshComposition(EditBox& box) {
    EXPECT_FALSE(box.caret_shown());
    host_->RedrawNow();
    return Screen();
  }

  static bool IsDark(gfx::Argb p) { return R(p) < 90 && G(p) < 90 && B(p) < 90; }

  // The caret's line: every pixel of its column from the second row on is dark.
  bool ColumnIsCaret(const gfx::Bitmap& screen, const gfx::RectI& column) {
    for (int y = column.y + 1; y < column.Bottom(); ++y)
      if (!IsDark(screen.GetPixel(column.x, y))) return false;
    return column.height > 2;
  }

  std::map<razezazo::Handle, int> timer_ticks_;
};

TEST_F(EditBoxCaretTest, TheCaretBlinksAndPutsBackExactlyThePixelsUnderIt) {
  auto box = Box({30, 60, 240, 24}, "Hello world");
  headless_->Click(window_, 260, 72);  // right of the text: the caret goes to the line's end
  ASSERT_TRUE(box->caret_shown());
  const gfx::RectI column = box->caret_pixels();
  const gfx::Bitmap shown = Screen();
  EXPECT_TRUE(ColumnIsCaret(shown, column));

  Advance(500);
  ASSERT_FALSE(box->caret_shown());
  const gfx::Bitmap hidden = Screen();
  EXPECT_FALSE(ColumnIsCaret(hidden, column));
  // Only the caret's column changed, and it holds what a fresh composition holds.
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (x != column.x) {
        ASSERT_EQ(shown.GetPixel(x, y), hidden.GetPixel(x, y)) << x << ", " << y;
      }
  EXPECT_TRUE(SamePixels(hidden, FreshComposition(*box)));

  // On and off every 500 ms on the virtual clock, the same pixels each time.
  for (int blink = 0; blink < 4; ++blink) {
    Advance(500);
    EXPECT_TRUE(SamePixels(Screen(), blink % 2 ? hidden : shown)) << "blink " << blink;
  }
}

TEST_F(EditBoxCaretTest, RepaintsAndRecompositionsKeepTheCaretWithoutLeavingOldPixels) {
  auto box = LongBox(60);
  headless_->Click(window_, 60, 80);  // a few lines down
  ASSERT_TRUE(box->caret_shown());
  const gfx::RectI column = box->caret_pixels();

  // The box repaints (as after an edit or a transition) and the host
  // recomposes the whole window: the caret is still there at once.
  box->Paint();
  EXPECT_TRUE(box->caret_shown());
  EXPECT_TRUE(ColumnIsCaret(Screen(), column));
  host_->RedrawNow();
  EXPECT_TRUE(ColumnIsCaret(Screen(), column));
  Advance(500);
  EXPECT_TRUE(SamePixels(Screen(), FreshComposition(*box)));

  // The text scrolls under a shown caret: it moves with its line, and when it
  // goes out of view nothing of it stays behind.
  Advance(500);
  ASSERT_TRUE(box->caret_shown());
  box->SetVerticalScrollPosition(5);
  EXPECT_EQ(box->caret_pixels().y, column.y - 5);
  EXPECT_TRUE(ColumnIsCaret(Screen(), box->caret_pixels()));
  Wheel(-120);
  Wheel(-120);
  EXPECT_FALSE(box->caret_shown());
  EXPECT_TRUE(SamePixels(Screen(), FreshComposition(*box)));
  Advance(500);  // a blink while the caret is out of view draws nothing
  EXPECT_FALSE(box->caret_shown());
  EXPECT_TRUE(SamePixels(Screen(), FreshComposition(*box)));

  // An edit: the caret shows again right away at its new place.
  box->InsertText("x");
  box->RefreshCaret(true, true);
  EXPECT_TRUE(box->caret_shown());
  EXPECT_TRUE(ColumnIsCaret(Screen(), box->caret_pixels()));
}

TEST_F(EditBoxCaretTest, LosingTheFocusStopsTheBlinkCollapsesTheSelectionAndHidesTheCaret) {
  CountTimers();
  auto first = Box({30, 60, 240, 24}, "first box");
  auto second = Box({30, 120, 240, 24}, "second box");
  headless_->Click(window_, 40, 72);
  first->Select({1, 1}, {1, 6});
  Advance(1000);
  EXPECT_EQ(timer_ticks_[first->self()], 2);

  headless_->Click(window_, 40, 132);
  EXPECT_EQ(first->anchor(), first->caret());
  EXPECT_EQ(first->caret(), (TextPlace{1, 6}));
  EXPECT_FALSE(first->caret_shown());
  EXPECT_TRUE(second->caret_shown());
  timer_ticks_.clear();
  Advance(2000);
  EXPECT_EQ(timer_ticks_[first->self()], 0);
  EXPECT_EQ(timer_ticks_[second->self()], 4);
  // The first box shows no selection any more.
  for (int y = 0; y < first->canvas().Height(); ++y)
    for (int x = 0; x < first->canvas().Width(); ++x) ASSERT_FALSE(IsSelectionBlue(first->canvas().GetPixel(x, y)));
}

// A key or a click shows the caret for a whole blink; an inactive window
// shows none and wakes no timer, and keeps the focus and the selection.
TEST_F(EditBoxCaretTest, KeysRestartTheBlinkAndAnInactiveWindowHasNoCaret) {
  CountTimers();
  auto box = Box({30, 60, 240, 24}, "Hello world");
  headless_->Click(window_, 40, 72);
  Advance(400);
  headless_->KeyPress(winsys::VK_RIGHT);
  Advance(400);  // 800 ms after the click, 400 after the key
  EXPECT_TRUE(box->caret_shown());
  Advance(100);
  EXPECT_FALSE(box->caret_shown());

  box->Select({1, 0}, {1, 5});
  const winsys::WindowId other = razezazo::CreateFrameworkWindow({.x = 500, .y = 500, .width = 50, .height = 50});
  headless_->SetForeground(other);
  EXPECT_FALSE(box->caret_shown());
  timer_ticks_.clear();
  Advance(2000);
  EXPECT_EQ(timer_ticks_[box->self()], 0);
  EXPECT_FALSE(box->caret_shown());
  EXPECT_EQ(host_->focused(), box.get());
  EXPECT_EQ(box->SelectedText(), "Hello");

  headless_->SetForeground(window_);  // back: the caret at once, and blinking
  EXPECT_TRUE(box->caret_shown());
  Advance(1000);
  EXPECT_EQ(timer_ticks_[box->self()], 2);
  headless_->DestroyWindow(other);
}

TEST_F(EditBoxCaretTest, ATransitionOfTheBoxKeepsTheCaretAndLeavesNothingBehind) {
  auto box = Box({30, 60, 240, 24}, "fading text");
  box->SetTransitionSteps(5, 20);
  headless_->Click(window_, 260, 72);
  Advance(200);  // the click's own repaint fades in
  ASSERT_TRUE(box->caret_shown());
  box->SetText("new text, fading in", true);
  box->RefreshCaret(true, true);
  for (int frame = 0; frame < 5; ++frame) {
    Advance(20);
    EXPECT_TRUE(ColumnIsCaret(Screen(), box->caret_pixels())) << "frame " << frame;
  }
  Advance(500);
  EXPECT_TRUE(SamePixels(Screen(), FreshComposition(*box)));
}

TEST_F(EditBoxCaretTest, TheInputMethodIsOffWhileAModeThatRefusesItHasTheFocus) {
  auto normal = Box({30, 60, 240, 24}, "text");
  auto password = Box({30, 100, 240, 24}, "secret", {.input_mode = InputMode::kPassword});
  auto number = Box({30, 140, 240, 24}, "42", {.input_mode = InputMode::kInteger});
  EXPECT_TRUE(headless_->InputMethodEnabled(window_));

  headless_->Click(window_, 40, 72);
  EXPECT_TRUE(headless_->InputMethodEnabled(window_));
  // The candidate window goes to the caret, in window coordinates.
  const gfx::RectI caret = normal->caret_pixels();
  EXPECT_EQ(headless_->ImeCaret(window_), caret);
  EXPECT_GE(caret.x, 30 + static_cast<int>(normal->view_rect().x));

  headless_->Click(window_, 40, 112);
  EXPECT_FALSE(headless_->InputMethodEnabled(window_));
  headless_->Click(window_, 40, 152);  // from one refusing box to another
  EXPECT_FALSE(headless_->InputMethodEnabled(window_));
  headless_->Click(window_, 40, 72);
  EXPECT_TRUE(headless_->InputMethodEnabled(window_));

  // A box that goes away with the focus gives the input method back.
  headless_->Click(window_, 40, 112);
  ASSERT_FALSE(headless_->InputMethodEnabled(window_));
  password.reset();
  EXPECT_TRUE(headless_->InputMethodEnabled(window_));
}

TEST_F(EditBoxCaretTest, ALayeredWindowShowsTheCaretByPushingItsPicture) {
  Start({.background_colour = 0xF0F0F0, .caption_flags = 0, .layer_alpha = 255});
  auto box = Box({30, 60, 240, 24}, "layered");
  headless_->Click(window_, 260, 72);
  ASSERT_TRUE(box->caret_shown());
  EXPECT_TRUE(ColumnIsCaret(Screen(), box->caret_pixels()));
  Advance(500);
  EXPECT_FALSE(ColumnIsCaret(Screen(), box->caret_pixels()));
}

TEST_F(EditBoxCaretTest, NoCaretWithoutTheFocusOrOnAHiddenBox) {
  auto box = Box({30, 60, 240, 24}, "text");
  box->RefreshCaret(true, true);
  EXPECT_FALSE(box->caret_shown());
  headless_->Click(window_, 40, 72);
  ASSERT_TRUE(box->caret_shown());
  const gfx::RectI column = box->caret_pixels();
  box->SetVisible(false);
  EXPECT_FALSE(box->caret_shown());
  headless_->RunPending();
  Advance(1000);
  EXPECT_FALSE(ColumnIsCaret(Screen(), column));
  EXPECT_TRUE(SamePixels(Screen(), FreshComposition(*box)));
}

}  // namespace
}  // namespace controls_test
