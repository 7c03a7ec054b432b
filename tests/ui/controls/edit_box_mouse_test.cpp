// The edit box's mouse: clicks place the caret (Shift+click extends), a double
// click selects the word under the pointer, a quick third click the line, and a drag
// selects, scrolling while the pointer is held outside the view.
#include <gtest/gtest.h>

#include "edit_box_fixture.h"

namespace controls_test {
namespace {

using razezazo::EditBox;
using razezazo::InputMode;
using razezazo::TextPlace;

class EditBoxMouseTest : public EditBoxFixture {
 protected:
  // The window point over the boundary before `column` of `line`.
  std::pair<int, int> At(EditBox& box, int line, int column) { return HostPoint(box, box.CaretRect(line, column)); }
  void Click(std::pair<int, int> p) { headless_->Click(window_, p.first, p.second); }
  void DoubleClick(std::pair<int, int> p) { headless_->DoubleClick(window_, p.first, p.second); }

  static bool ShowsSelection(EditBox& box) {
    for (int y = 0; y < box.canvas().Height(); ++y)
      for (int x = 0; x < box.canvas().Width(); ++x)
        if (IsSelectionBlue(box.canvas().GetPixel(x, y))) return true;
    return false;
  }
};

TEST_F(EditBoxMouseTest, DoubleAndTripleClicksSelectTheWordAndTheLine) {
  auto box = Box({20, 20, 300, 100}, "first line\r\nHello world\r\nthird", {.multi_line = true});
  const auto on_hello = At(*box, 2, 3);  // between the two l's
  // Words by Pango's boundaries: capitals belong to the word.
  DoubleClick(on_hello);
  EXPECT_EQ(box->SelectedText(), "Hello");
  EXPECT_TRUE(box->caret_shown());

  // A third press within 500 ms of the double click takes the whole line.
  Advance(300);
  Click(on_hello);
  EXPECT_EQ(box->anchor(), (TextPlace{2, 0}));
  EXPECT_EQ(box->caret(), (TextPlace{2, 11}));
  EXPECT_EQ(box->SelectedText(), "Hello world");

  // Later than that it is a plain click: the caret goes under the pointer.
  DoubleClick(on_hello);
  Advance(501);
  Click(on_hello);
  EXPECT_EQ(box->anchor(), box->caret());
  EXPECT_EQ(box->caret(), (TextPlace{2, 3}));

  // Between two words a double click takes the run between them; the
  // character under the pointer counts, not the caret the first press placed.
  box->SetText("ab  cd");
  Advance(1000);
  DoubleClick(At(*box, 1, 3));
  EXPECT_EQ(box->SelectedText(), "  ");
  Advance(1000);
  const auto right_half_of_b = At(*box, 1, 2);
  DoubleClick({right_half_of_b.first - 2, right_half_of_b.second});
  EXPECT_EQ(box->SelectedText(), "ab");
  box->SetText(runtime::Gbk("下载 mix-2015.flv"));
  Advance(1000);
  DoubleClick(At(*box, 1, 8));
  EXPECT_EQ(box->SelectedText(), "2015");
  Advance(1000);
  DoubleClick(At(*box, 1, 1));
  EXPECT_EQ(box->SelectedText(), runtime::Gbk("下载"));
}

TEST_F(EditBoxMouseTest, ShiftClickExtendsTheSelection) {
  auto box = Box({20, 20, 300, 100}, "first line\r\nsecond", {.multi_line = true});
  Click(At(*box, 1, 2));
  headless_->KeyDown(winsys::VK_SHIFT);
  Click(At(*box, 2, 3));
  headless_->KeyUp(winsys::VK_SHIFT);
  EXPECT_EQ(box->anchor(), (TextPlace{1, 2}));
  EXPECT_EQ(box->SelectedText(), "rst line\r\nsec");
  auto password = Box({20, 140, 300, 24}, "secret", {.input_mode = InputMode::kPassword});
  Click(At(*password, 1, 1));
  headless_->KeyDown(winsys::VK_SHIFT);
  Click(At(*password, 1, 4));
  headless_->KeyUp(winsys::VK_SHIFT);
  EXPECT_EQ(password->anchor(), password->caret());
}

TEST_F(EditBoxMouseTest, PasswordBoxesKeepDoubleAndTripleClicksPlain) {
  auto box = Box({20, 20, 300, 24}, "secret", {.input_mode = InputMode::kPassword});
  const auto p = At(*box, 1, 3);
  DoubleClick(p);
  EXPECT_EQ(box->anchor(), box->caret());
  Advance(100);
  Click(p);
  EXPECT_EQ(box->anchor(), box->caret());
  EXPECT_EQ(box->caret().column, 3);
}

TEST_F(EditBoxMouseTest, AClickOutsideTheViewLeavesTheCaret) {
  auto box = Box({20, 20, 200, 120}, NumberedLines(30), {.multi_line = true});
  box->Select({2, 3}, {2, 3});
  headless_->Click(window_, 21, 21);  // on the box's border, outside its view
  EXPECT_EQ(box->caret(), (TextPlace{2, 3}));
  EXPECT_EQ(box->anchor(), (TextPlace{2, 3}));
  EXPECT_TRUE(host_->focused() == box.get());

  auto single = Box({20, 200, 200, 40}, "single line");  // the line sits in the middle
  single->Select({1, 4}, {1, 4});
  Advance(1000);
  headless_->Click(window_, 100, 203);
  EXPECT_EQ(single->caret(), (TextPlace{1, 4}));
  Advance(1000);
  headless_->Click(window_, 20 + 200 - 5, 220);  // in the view, right of the text
  EXPECT_EQ(single->caret(), (TextPlace{1, 11}));
}

TEST_F(EditBoxMouseTest, DraggingSelectsOnTheOneLineOfASingleLineBoxWhereverThePointerGoes) {
  auto box = Box({20, 100, 300, 24}, "drag across this line");
  const auto start = At(*box, 1, 1);
  headless_->PressLeft(window_, start.first, start.second);
  const auto to = At(*box, 1, 9);
  headless_->MoveMouse(window_, to.first, 100 - 90);  // far above the box
  EXPECT_EQ(box->anchor(), (TextPlace{1, 1}));
  EXPECT_EQ(box->caret(), (TextPlace{1, 9}));
  headless_->MoveMouse(window_, to.first - 1, 300);  // far below it
  EXPECT_EQ(box->caret().line, 1);
  EXPECT_EQ(box->caret().column, 9);
  EXPECT_EQ(box->SelectedText(), "rag acro");
  EXPECT_TRUE(ShowsSelection(*box));
  // Back onto the anchor: no selection is left on the screen.
  headless_->MoveMouse(window_, start.first, start.second);
  EXPECT_EQ(box->anchor(), box->caret());
  EXPECT_FALSE(ShowsSelection(*box));
  headless_->ReleaseLeft(window_, start.first, start.second);
  EXPECT_TRUE(box->caret_shown());

  // Without a press, moving over the box selects nothing.
  headless_->MoveMouse(window_, to.first, to.second);
  EXPECT_EQ(box->anchor(), box->caret());
}

TEST_F(EditBoxMouseTest, HoldingThePointerOutsideTheViewScrollsWithEveryMove) {
  auto box = LongBox(60);
  headless_->PressLeft(window_, 60, 40);
  const TextPlace anchor = box->anchor();
  int previous = box->scroll_y();
  for (int move = 0; move < 5; ++move) {
    headless_->MoveMouse(window_, 60 + move % 2, 20 + 120 + 60);  // well below the box
    EXPECT_LT(box->scroll_y(), previous) << "move " << move;
    previous = box->scroll_y();
  }
  EXPECT_EQ(box->anchor(), anchor);
  EXPECT_GT(box->caret().line, anchor.line + 4);
  // The caret's line is the one just below the old view, now brought in.
  EXPECT_LE(box->caret().line, box->last_drawn_line());
  for (int move = 0; move < 3; ++move) {
    headless_->MoveMouse(window_, 60 + move % 2, 0);  // above it
    EXPECT_GT(box->scroll_y(), previous) << "move " << move;
    previous = box->scroll_y();
  }
  EXPECT_GE(box->caret().line, box->first_drawn_line());
  // Held still outside, the view goes on scrolling, and stops at the release.
  headless_->MoveMouse(window_, 60, 20 + 120 + 60);
  previous = box->scroll_y();
  Advance(200);
  EXPECT_LT(box->scroll_y(), previous - 2 * box->store().line_height());
  headless_->ReleaseLeft(window_, 60, 20 + 120 + 60);
  previous = box->scroll_y();
  Advance(500);
  EXPECT_EQ(box->scroll_y(), previous);
  EXPECT_TRUE(box->caret_shown() || box->blink_count() > 0);  // the blink is back
}

// A selection is offered as the X primary selection; a middle click pastes it
// at the pointer (not into read-only boxes nor passwords, which offer nothing).
TEST_F(EditBoxMouseTest, SelectionsAreOfferedAsPrimaryAndAMiddleClickPastesIt) {
  auto box = Box({20, 20, 300, 24}, "first second");
  DoubleClick(At(*box, 1, 2));
  EXPECT_EQ(headless_->PrimaryText(), "first");
  auto other = Box({20, 60, 300, 24}, "ab");
  const auto between = At(*other, 1, 1);
  headless_->MiddleClick(window_, between.first, between.second);
  EXPECT_EQ(other->text(), "afirstb");
  EXPECT_EQ(box->text(), "first second");
  headless_->KeyDown(winsys::VK_SHIFT);
  headless_->KeyPress(winsys::VK_END);  // Shift selections too (the focus stayed in the first box)
  headless_->KeyUp(winsys::VK_SHIFT);
  EXPECT_EQ(headless_->PrimaryText(), "first second");

  auto read_only = Box({20, 100, 300, 24}, "fixed", {.input_mode = InputMode::kReadOnly});
  const auto in_fixed = At(*read_only, 1, 2);
  headless_->MiddleClick(window_, in_fixed.first, in_fixed.second);
  EXPECT_EQ(read_only->text(), "fixed");
  auto password = Box({20, 140, 300, 24}, "secret", {.input_mode = InputMode::kPassword});
  headless_->Click(window_, 30, 150);
  headless_->KeyDown(winsys::VK_CONTROL);
  headless_->KeyPress('A');
  headless_->KeyUp(winsys::VK_CONTROL);
  headless_->MiddleClick(window_, 30, 150);
  EXPECT_EQ(password->text(), "secret");
  EXPECT_EQ(headless_->PrimaryText(), "first second");
}

// The wheel scrolls the box under the pointer, not the focused one.
TEST_F(EditBoxMouseTest, TheWheelScrollsTheBoxUnderThePointer) {
  auto box = LongBox(60);
  auto other = Box({20, 200, 200, 24}, "focused");
  headless_->Click(window_, 30, 210);
  ASSERT_EQ(host_->focused(), other.get());
  headless_->MoveMouse(window_, 60, 60);
  headless_->Wheel(-120);
  EXPECT_LT(box->scroll_y(), 0);
  const int scrolled = box->scroll_y();
  const razezazo::ScrollBar& bar = *box->vertical_bar();
  headless_->MoveMouse(window_, static_cast<int>(bar.x() + 5), static_cast<int>(bar.y() + 30));  // over its bar
  headless_->Wheel(-120);
  EXPECT_LT(box->scroll_y(), scrolled);
  EXPECT_EQ(host_->focused(), other.get());
}

TEST_F(EditBoxMouseTest, DraggingLeftOfTheBoxScrollsTheTextBackRight) {
  auto box = Box({40, 40, 200, 120}, runtime::Text(120, 'w'), {.multi_line = true});
  box->Select({1, 120}, {1, 120});  // the view follows the caret to the line's end
  ASSERT_LT(box->scroll_x(), 0);
  const int scrolled = box->scroll_x();
  headless_->PressLeft(window_, 100, 60);
  headless_->MoveMouse(window_, 40 - 30, 60);
  EXPECT_GT(box->scroll_x(), scrolled);
  EXPECT_LT(box->caret().column, 120);
  headless_->ReleaseLeft(window_, 10, 60);
}

}  // namespace
}  // namespace controls_test
