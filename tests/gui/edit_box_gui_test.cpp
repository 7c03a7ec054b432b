// The gallery's edit boxes on a real X server: a click puts a blinking caret
// into a box, and a drag with the button held selects text.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/gui/example_process.h"
#include "tests/gui/gallery_fixture.h"

namespace winsys::testing {
namespace {

// The window "编辑框" sits at the screen's top-left corner (no window manager
// moves it); its single-line box covers (20, 20, 260, 20).
constexpr gfx::RectI kSingleBox{20, 20, 260, 20};

bool IsDark(gfx::Argb p) { return gfx::RedOf(p) < 90 && gfx::GreenOf(p) < 90 && gfx::BlueOf(p) < 90; }
bool IsSelectionBlue(gfx::Argb p) {
  return gfx::BlueOf(p) > 200 && gfx::RedOf(p) < 120 && gfx::GreenOf(p) > 110 && gfx::GreenOf(p) < 190;
}

class EditBoxGuiTest : public GalleryFixture {
 protected:
  int CountIn(const gfx::Bitmap& shot, const gfx::RectI& area, bool (*test)(gfx::Argb)) {
    int count = 0;
    for (int y = area.y; y < area.Bottom(); ++y)
      for (int x = area.x; x < area.Right(); ++x) count += test(shot.GetPixel(x, y)) ? 1 : 0;
    return count;
  }
};

TEST_F(EditBoxGuiTest, AClickPutsABlinkingCaretIntoTheBox) {
  const gfx::Bitmap before = Screenshot(display_.Name());
  ASSERT_FALSE(before.IsNull());
  // Right of the text: the caret goes to the end of the line.
  ASSERT_EQ(Xdotool({"mousemove", "270", "30", "click", "1"}), 0);

  // Over a run of screenshots (at least two seconds), the only pixels of the box that
  // change form one column: dark in some shots, as before in others.
  std::vector<gfx::Bitmap> shots;
  for (int i = 0; i < 20; ++i) {
    shots.push_back(Screenshot(display_.Name()));
    ASSERT_FALSE(shots.back().IsNull());
    LetTimePass(100);  // a sample every 100 ms, not a wait for anything
  }
  std::set<int> changed_columns;
  for (const gfx::Bitmap& shot : shots)
    for (int y = kSingleBox.y; y < kSingleBox.Bottom(); ++y)
      for (int x = kSingleBox.x; x < kSingleBox.Right(); ++x)
        if (shot.GetPixel(x, y) != before.GetPixel(x, y)) changed_columns.insert(x);
  ASSERT_EQ(changed_columns.size(), 1u) << "the caret should be the only change";
  const int column = *changed_columns.begin();
  EXPECT_GT(column, kSingleBox.x + 100);  // after the text

  int shown = 0, hidden = 0, switches = 0;
  bool last = false;
  for (size_t i = 0; i < shots.size(); ++i) {
    const int dark = CountIn(shots[i], {column, kSingleBox.y, 1, kSingleBox.height}, IsDark);
    const bool on = dark >= 10;  // a caret as tall as the line
    (on ? shown : hidden) += 1;
    if (i > 0 && on != last) ++switches;
    last = on;
  }
  EXPECT_GT(shown, 0);
  EXPECT_GT(hidden, 0);
  EXPECT_GE(switches, 2) << "shown " << shown << ", hidden " << hidden;
  shots.front().SavePng(::testing::TempDir() + "edit_box_caret_first.png");
}

TEST_F(EditBoxGuiTest, DraggingWithTheButtonHeldSelectsText) {
  const gfx::Bitmap before = Screenshot(display_.Name());
  ASSERT_FALSE(before.IsNull());
  EXPECT_EQ(CountIn(before, kSingleBox, IsSelectionBlue), 0);
  ASSERT_EQ(Xdotool({"mousemove", "23", "30", "mousedown", "1"}), 0);
  for (int x = 34; x <= 70; x += 12) {  // over the first Chinese characters
    LetTimePass(30);                    // a hand's pace: each step arrives as a motion of its own
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(x), "30"}), 0);
  }
  ASSERT_EQ(Xdotool({"mouseup", "1"}), 0);
  int blue = 0;
  gfx::Bitmap shot;
  WaitUntil(
      [&] {
        shot = Screenshot(display_.Name());
        blue = CountIn(shot, kSingleBox, IsSelectionBlue);
        return blue >= 100;
      },
      1500);
  EXPECT_GE(blue, 100) << "no selection on the screen";
  // The selection ends where the pointer went: the Latin words stay unselected.
  EXPECT_EQ(CountIn(shot, {90, kSingleBox.y, kSingleBox.Right() - 90, kSingleBox.height}, IsSelectionBlue), 0);
  shot.SavePng(::testing::TempDir() + "edit_box_drag.png");
}

// The multi-line box (20, 80, 260 x 200) and its 10-px bars, used with a
// real pointer while the single-line box keeps the keyboard: a quick click on
// the down arrow steps, a click on the track pages, the wheel scrolls the box
// under the pointer, and none of them takes the focus.
TEST_F(EditBoxGuiTest, TheBarsAndTheWheelScrollTheBoxUnderThePointerAndLeaveTheFocus) {
  const gfx::RectI text_area{30, 90, 220, 160};
  ASSERT_EQ(Xdotool({"mousemove", "150", "30", "click", "1"}), 0);  // the single-line box takes the keys
  gfx::Bitmap shown = Screenshot(display_.Name());
  ASSERT_FALSE(shown.IsNull());
  // Waits (bounded) until the text area looks different from the last picture.
  auto scrolled = [&] {
    return WaitUntil(
        [&] {
          gfx::Bitmap now = Screenshot(display_.Name());
          for (int y = text_area.y; y < text_area.Bottom(); ++y)
            for (int x = text_area.x; x < text_area.Right(); ++x)
              if (now.GetPixel(x, y) != shown.GetPixel(x, y)) {
                shown = std::move(now);
                return true;
              }
          return false;
        },
        2000);
  };
  ASSERT_EQ(Xdotool({"mousemove", "274", "265", "click", "1"}), 0);  // the down arrow, pressed briefly
  EXPECT_TRUE(scrolled()) << "a quick click on the arrow did not step";
  ASSERT_EQ(Xdotool({"mousemove", "274", "220", "click", "1"}), 0);  // the track below the thumb
  EXPECT_TRUE(scrolled()) << "a click on the track did not page";
  ASSERT_EQ(Xdotool({"mousemove", "150", "170", "click", "5"}), 0);  // the wheel over the box
  EXPECT_TRUE(scrolled()) << "the wheel did not scroll the box under the pointer";
  // The keys still go to the single-line box.
  ASSERT_EQ(Xdotool({"key", "--delay", "30", "ctrl+a", "BackSpace", "x"}), 0);
  EXPECT_TRUE(gallery_->WaitForLine("edit single: x")) << "the bars or the wheel took the focus";
}

}  // namespace
}  // namespace winsys::testing
