// The edit box's layout on screen: text and view rectangles, hit testing, the
// caret rectangle and the view that follows it, the wheel, the bars, and the
// pixels of text, selection and focus frame.
#include <gtest/gtest.h>

#include "edit_box_fixture.h"
#include "edit_box_invariants.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text.h"

namespace controls_test {
namespace {

using razezazo::EditBox;
using razezazo::FloatRect;
using razezazo::InputMode;
using razezazo::TextPlace;
using runtime::Gbk;

using EditBoxViewTest = EditBoxFixture;

// Rows of the canvas inside `area` that hold dark (text) pixels.
std::pair<int, int> InkedRows(const gfx::Bitmap& canvas, const gfx::RectI& area) {
  int first = -1, last = -1;
  for (int y = area.y; y < area.Bottom(); ++y)
    for (int x = area.x; x < area.Right(); ++x) {
      const gfx::Argb p = canvas.GetPixel(x, y);
      if (A(p) > 100 && R(p) < 100 && G(p) < 100 && B(p) < 100) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  return {first, last};
}

TEST_F(EditBoxViewTest, ASingleLineIsCentredVertically) {
  auto box = Box({30, 60, 240, 20}, "Hg");
  const float single = razezazo::FontHeight(box->font()) + 3;
  EXPECT_FLOAT_EQ(box->text_rect().height, single);
  EXPECT_FLOAT_EQ(box->text_rect().y, 2 + std::round((16 - single) / 2) + 1);
  EXPECT_FLOAT_EQ(box->text_rect().x, 2);
  EXPECT_FLOAT_EQ(box->text_rect().width, 236);
  EXPECT_EQ(box->view_rect().y, box->text_rect().y);
  // The ink sits in the middle of the box, give or take the glyphs' own margins.
  const auto [top, bottom] = InkedRows(box->canvas(), {3, 1, 60, 18});
  ASSERT_GE(top, 0);
  EXPECT_LE(std::abs((top - 0) - (19 - bottom)), 5) << top << " " << bottom;

  auto multi = Box({30, 100, 240, 60}, "x", {.multi_line = true, .scroll_bars = 0});
  EXPECT_FLOAT_EQ(multi->text_rect().y, 3);
  EXPECT_FLOAT_EQ(multi->text_rect().height, 55);
}

TEST_F(EditBoxViewTest, BarsTakeTheirPlaceFromTheViewAndKnowTheirRange) {
  auto box = LongBox(40);
  const FloatRect v = box->view_rect();
  EXPECT_FLOAT_EQ(v.width, 200 - 4 - 10);
  EXPECT_FLOAT_EQ(v.height, 120 - 4 - 1 - 10);
  const razezazo::ScrollBar& vertical = *box->vertical_bar();
  EXPECT_FLOAT_EQ(vertical.x(), 20 + v.x + v.width);
  EXPECT_FLOAT_EQ(vertical.y(), 20 + v.y);
  EXPECT_FLOAT_EQ(vertical.width(), 10);
  EXPECT_FLOAT_EQ(vertical.height(), v.height);
  const razezazo::ScrollBar& horizontal = *box->horizontal_bar();
  EXPECT_FLOAT_EQ(horizontal.y(), 20 + v.y + v.height);
  EXPECT_FLOAT_EQ(horizontal.width(), v.width);
  EXPECT_EQ(vertical.maximum(), box->store().content_height() - static_cast<int>(v.height));
  EXPECT_EQ(vertical.step(), box->store().line_height());
  EXPECT_EQ(horizontal.maximum(), box->store().content_width() - static_cast<int>(v.width));
  EXPECT_EQ(box->store().content_height(), 40 * box->store().line_height());
}

TEST_F(EditBoxViewTest, TheWheelStaysBetweenTheFirstLineAndTheLastPage) {
  auto box = LongBox(40);
  headless_->Click(window_, 60, 40);  // focus: the wheel goes to the focused control
  const int page_end = static_cast<int>(box->view_rect().height) - box->store().content_height();
  Wheel(120);
  EXPECT_EQ(box->scroll_y(), 0);
  Wheel(-120);
  EXPECT_EQ(box->scroll_y(), -3 * box->store().line_height());
  EXPECT_EQ(box->vertical_bar()->position(), -box->scroll_y());
  for (int i = 0; i < 30; ++i) Wheel(-120);
  EXPECT_EQ(box->scroll_y(), page_end);
  EXPECT_GT(box->first_drawn_line(), 30);
  EXPECT_EQ(box->last_drawn_line(), 40);
  Wheel(120);
  EXPECT_EQ(box->scroll_y(), page_end + 3 * box->store().line_height());

  // Content that fits never scrolls.
  auto short_box = LongBox(2, 3, {20, 160, 200, 120});
  headless_->Click(window_, 60, 200);
  Wheel(-120);
  EXPECT_EQ(short_box->scroll_y(), 0);
  // Without a shown vertical bar the wheel does nothing.
  auto no_bar = LongBox(40, 1, {230, 20, 140, 120});
  headless_->Click(window_, 260, 40);
  Wheel(-120);
  EXPECT_EQ(no_bar->scroll_y(), 0);
}

TEST_F(EditBoxViewTest, WrappingWithTheVerticalBarAloneMovesLaterLinesDown) {
  const runtime::Text text = runtime::Text(60, 'w') + "\r\nafter";
  auto wrapped = Box({20, 20, 160, 120}, text, {.multi_line = true, .scroll_bars = 2});
  auto plain = Box({200, 20, 160, 120}, text, {.multi_line = true, .scroll_bars = 3});
  const int h = wrapped->store().line_height();
  EXPECT_GE(wrapped->store().LineRect(2).y, 2.0f * h);
  EXPECT_FLOAT_EQ(plain->store().LineRect(2).y, static_cast<float>(h));
  // Its second line is drawn lower down too: the ink reaches further.
  const auto [wt, wb] = InkedRows(wrapped->canvas(), {3, 3, 140, 110});
  const auto [pt, pb] = InkedRows(plain->canvas(), {3, 3, 140, 100});
  EXPECT_GT(wb, pb + h / 2);
  // A click on the second row lands in the first line, past its first row.
  const TextPlace hit = wrapped->HitTest(20 + 30, static_cast<int>(20 + wrapped->view_rect().y + h * 1.5f));
  EXPECT_EQ(hit.line, 1);
  EXPECT_GT(hit.column, 10);
}

TEST_F(EditBoxViewTest, HitTestAndCaretRectangleAgree) {
  auto box = Box({20, 20, 300, 60}, Gbk("ab中文 x\r\n\r\nlast"), {.multi_line = true});
  for (int column = 0; column <= 6; ++column) {
    const FloatRect caret = box->CaretRect(1, column);
    EXPECT_FLOAT_EQ(caret.width, 1.0f);
    EXPECT_FLOAT_EQ(caret.height, static_cast<float>(box->store().line_height()));
    // Just right of the caret is the left half of the next character.
    const auto [x, y] = HostPoint(*box, caret);
    EXPECT_EQ(box->HitTest(x + 1, y), (TextPlace{1, column})) << column;
    if (column > 0) {
      EXPECT_GT(caret.x, box->CaretRect(1, column - 1).x);
    }
  }
  EXPECT_FLOAT_EQ(box->CaretRect(1, 0).x, box->view_rect().x);
  // Far right: the line's end. An empty line: column 0. Below everything: the last line.
  EXPECT_EQ(box->HitTest(300, 20 + 5), (TextPlace{1, 6}));
  const int line2 = static_cast<int>(20 + box->view_rect().y + box->store().LineRect(2).y + 2);
  EXPECT_EQ(box->HitTest(100, line2), (TextPlace{2, 0}));
  EXPECT_EQ(box->HitTest(100, 400), (TextPlace{3, 4}));
  EXPECT_EQ(box->HitTest(-50, 20 + 5), (TextPlace{1, 0}));
}

// "hello world, a b c." must not read as "helloworld,ab c.": every blank is
// as wide as the font's own space, and the caret and the hit test agree on it.
TEST_F(EditBoxViewTest, ASpaceIsNeverNarrowerThanTheFontsOwnSpace) {
  const std::string text = "hello world, a b c.";
  auto box = Box({20, 20, 300, 24}, text);
  gfx::Bitmap bitmap(16, 16);
  const gfx::Graphics g(bitmap);
  const float space = razezazo::MeasureTextSize(g, u"a a", box->font(), {}, {}).width -
                      razezazo::MeasureTextSize(g, u"aa", box->font(), {}, {}).width;
  ASSERT_GT(space, 1.0f);
  for (int column = 0; column < static_cast<int>(text.size()); ++column) {
    if (text[static_cast<size_t>(column)] != ' ') continue;
    const FloatRect before = box->CaretRect(1, column), after = box->CaretRect(1, column + 1);
    EXPECT_GE(after.x - before.x, space - 0.5f) << "the blank at " << column;
    const auto [x, y] = HostPoint(*box, after);
    EXPECT_EQ(box->HitTest(x + 1, y), (TextPlace{1, column + 1})) << column;
  }
}

TEST_F(EditBoxViewTest, TheViewFollowsTheCaret) {
  auto box = LongBox(60);
  const int h = box->store().line_height();
  box->Select({60, 0}, {60, 0});
  const FloatRect caret = box->caret_point();
  EXPECT_GE(caret.y, box->view_rect().y - 2);
  EXPECT_LE(caret.Bottom(), box->view_rect().Bottom());
  EXPECT_EQ(box->vertical_bar()->position(), -box->scroll_y());
  // One line up from the top of the view scrolls by about a line.
  const int before = box->scroll_y();
  const int top_line = box->first_drawn_line();
  box->Select({top_line - 1, 0}, {top_line - 1, 0});
  EXPECT_GT(box->scroll_y(), before);
  EXPECT_LE(box->scroll_y() - before, 3 * h);
  // Far along a long line, the view scrolls across.
  box->SetText(runtime::Text(200, 'm'));
  box->Select({1, 200}, {1, 200});
  EXPECT_LT(box->scroll_x(), 0);
  EXPECT_LE(box->caret_point().x, box->view_rect().Right());
  EXPECT_EQ(box->horizontal_bar()->position(), -box->scroll_x());
  box->Select({1, 0}, {1, 0});
  EXPECT_EQ(box->scroll_x(), 0);
}

// After any insertion the caret's line is in view: a paste of many lines
// lands far below the view, and a box two lines high must not overshoot.
TEST_F(EditBoxViewTest, AfterAnInsertionTheCaretsLineIsInView) {
  const auto caret_in_view = [](const EditBox& box) {
    const FloatRect c = box.caret_point(), v = box.view_rect();
    return c.y >= v.y - 2 && c.Bottom() <= v.Bottom() + 2;
  };
  auto box = LongBox(40);
  for (int lines : {30, 16757}) {
    box->Select({2, 0}, {2, 0});
    box->InsertText(NumberedLines(lines) + "\r\n");
    EXPECT_EQ(box->caret(), (TextPlace{2 + lines, 0}));
    EXPECT_TRUE(caret_in_view(*box)) << lines << " lines pasted";
    EXPECT_EQ(box->vertical_bar()->position(), -box->scroll_y());
  }
  auto low = LongBox(10, 3, {20, 160, 200, 2 * 16 + 20});
  low->Select({1, 0}, {1, 0});
  for (int i = 0; i < 4; ++i) {
    low->InsertText("\r\n");
    EXPECT_TRUE(caret_in_view(*low)) << "line " << low->caret().line;
  }
}

// A million characters: a single-line box keeps its maximum length, and a
// multi-line one the whole line, far longer than Pango's coordinates reach,
// with and without wrapping. Wherever the caret takes the view, the caret's
// row is drawn and the caret stands there; at the end it follows the last glyph.
TEST_F(EditBoxViewTest, AMillionCharacterLineDrawsWhereverItIsScrolled) {
  // Letters that kern and join: a stretch's layout must be as wide as the
  // advances that placed the next one.
  const std::string_view pairs = "AVAWToTaYaLTPAVf.ff";
  runtime::Text letters;
  for (int i = 0; i < 1000000; ++i) letters.push_back(pairs[static_cast<std::size_t>(i) % pairs.size()]);
  struct Case {
    const char* name;
    FloatRect bounds;
    razezazo::EditBoxOptions options;
    int length;
  };
  const Case cases[] = {
      {"single line", {30, 60, 240, 24}, {}, razezazo::kSingleLineMaxLength},
      {"unwrapped", {30, 60, 240, 100}, {.multi_line = true}, 1000000},
      {"wrapped", {30, 60, 240, 100}, {.multi_line = true, .scroll_bars = razezazo::scroll_bars::kVertical}, 1000000},
  };
  for (const Case& c : cases) {
    auto box = Box(c.bounds, letters, c.options);
    ASSERT_EQ(box->store().length(), c.length) << c.name;
    // The middle one a few characters after the start of a stretch of a long line.
    for (int column :
         {0, c.length / 2 / razezazo::EditText::kStretchColumns * razezazo::EditText::kStretchColumns + 5, c.length}) {
      box->Select({1, column}, {1, column});
      const FloatRect caret = box->caret_point(), view = box->view_rect();
      EXPECT_GE(caret.x, view.x) << c.name << " column " << column;
      EXPECT_LE(caret.x, view.Right()) << c.name << " column " << column;
      EXPECT_GE(caret.y, view.y - 2) << c.name << " column " << column;
      EXPECT_LE(caret.Bottom(), view.Bottom() + 2) << c.name << " column " << column;
      const float beside = column == c.length ? -1.5f : 1.5f;  // in the half of a glyph that stands by the caret
      EXPECT_EQ(box->HitTest(static_cast<int>(box->x() + caret.x + beside), static_cast<int>(box->y() + caret.y + 8)),
                (TextPlace{1, column}))
          << c.name;
      // The columns of the caret's row with dark pixels.
      const int top = static_cast<int>(std::max(caret.y, view.y)) + 1;
      const int bottom = static_cast<int>(std::min(caret.Bottom(), view.Bottom())) - 1;
      int inked = 0, last_inked = -1;
      for (int x = static_cast<int>(view.x); x < static_cast<int>(view.Right()); ++x)
        if (InkedRows(box->canvas(), {x, top, 1, bottom - top}).first >= 0) {
          ++inked;
          last_inked = x;
        }
      const float drawn = column == c.length ? caret.x - view.x : view.width;
      EXPECT_GT(inked, 0.5 * drawn) << c.name << " column " << column;
      if (column == c.length) {
        EXPECT_NEAR(last_inked, caret.x, 3) << c.name;
      }
    }
  }
}

// Lines pasted or set in bulk are only estimated wide until they show: a
// line that shows narrower than its estimate keeps the view within the
// content, and the bar's range follows it.
TEST_F(EditBoxViewTest, ALineShownNarrowerThanItsEstimateKeepsTheViewWithinTheContent) {
  runtime::Text kerned;
  for (int i = 0; i < 40; ++i) kerned += "AVAWToTaYaLTPAVf.ff";
  auto box = Box({20, 20, 200, 120}, NumberedLines(200) + "\r\n" + kerned, {.multi_line = true});
  const int estimated = box->store().content_width();
  box->SetHorizontalScrollPosition(1 << 20);
  box->SetVerticalScrollPosition(1 << 20);
  EXPECT_LT(box->store().content_width(), estimated);  // the case this test is about
  EXPECT_EQ(edit_box_checks::BrokenInvariant(*box), "");
  EXPECT_EQ(box->horizontal_bar()->position(), -box->scroll_x());
  EXPECT_EQ(box->horizontal_bar()->maximum(), box->store().content_width() - static_cast<int>(box->view_rect().width));
}

TEST_F(EditBoxViewTest, TheBarsScrollTheBox) {
  auto box = LongBox(60);
  const FloatRect caret = box->caret_point();
  box->vertical_bar()->SetPosition(50);  // the bar's own setter does not report
  EXPECT_EQ(box->scroll_y(), 0);
  box->SetVerticalScrollPosition(50);
  EXPECT_EQ(box->scroll_y(), -50);
  EXPECT_FLOAT_EQ(box->caret_point().y, caret.y - 50);
  EXPECT_GT(box->first_drawn_line(), 1);

  // A click on a bar leaves the focus and the selection in the box.
  headless_->Click(window_, static_cast<int>(box->x() + 10), static_cast<int>(box->y() + 10));
  ASSERT_EQ(host_->focused(), box.get());
  box->Select({2, 0}, {3, 1});
  const razezazo::ScrollBar& bar = *box->vertical_bar();
  const int down_arrow_y = static_cast<int>(bar.y() + bar.height() - 4);
  const int before = box->scroll_y();
  headless_->Click(window_, static_cast<int>(bar.x() + 5), down_arrow_y);
  EXPECT_EQ(host_->focused(), box.get());
  EXPECT_EQ(box->anchor(), (razezazo::TextPlace{2, 0}));
  EXPECT_EQ(box->caret(), (razezazo::TextPlace{3, 1}));
  EXPECT_EQ(box->scroll_y(), before - box->store().line_height());  // the quick click stepped a line

  auto wide = Box({20, 20, 200, 120}, std::string(80, 'w'), {.multi_line = true, .scroll_bars = 3});
  const FloatRect wide_caret = wide->caret_point();
  wide->SetHorizontalScrollPosition(7);
  EXPECT_EQ(wide->scroll_x(), -7);
  EXPECT_FLOAT_EQ(wide->caret_point().x, wide_caret.x - 7);
}

// A position from outside the bar's range (a caller's own number) stops at the
// content's edges instead of scrolling the text out of the view.
TEST_F(EditBoxViewTest, ScrollPositionsBeyondTheContentStopAtItsEdges) {
  auto box = LongBox(60);
  const FloatRect caret = box->caret_point();
  box->SetVerticalScrollPosition(100000);
  EXPECT_EQ(box->scroll_y(), static_cast<int>(box->view_rect().height) - box->store().content_height());
  EXPECT_FLOAT_EQ(box->caret_point().y, caret.y + box->scroll_y());
  box->SetVerticalScrollPosition(-40);
  EXPECT_EQ(box->scroll_y(), 0);
  EXPECT_FLOAT_EQ(box->caret_point().y, caret.y);

  auto short_box = Box({20, 200, 200, 60}, "abc", {.multi_line = true, .scroll_bars = 2});
  short_box->SetHorizontalScrollPosition(30);
  EXPECT_EQ(short_box->scroll_x(), 0) << "nothing is wider than the view";
  short_box->SetVerticalScrollPosition(30);
  EXPECT_EQ(short_box->scroll_y(), 0);
}

// A selection over three lines: the tail of the first, all of the second, the
// head of the third, blue with white text.
TEST_F(EditBoxViewTest, AThreeLineSelectionHighlightsTailWholeAndHead) {
  auto box =
      Box({20, 20, 300, 120}, "aaaaaaaaaa\r\nbbbbbbbbbb\r\ncccccccccc\r\ndddd", {.multi_line = true, .scroll_bars = 0});
  box->Select({1, 5}, {3, 5});
  const gfx::Bitmap& c = box->canvas();
  const float h = static_cast<float>(box->store().line_height());
  // Near the top of each line: inside its box (lifted 2 pixels), above the
  // glyphs and below the box of the line above (4 pixels taller).
  auto row = [&](int line) { return static_cast<int>(box->view_rect().y + (line - 1) * h + 3); };
  const int middle = static_cast<int>(box->CaretRect(1, 5).x);
  const int end = static_cast<int>(box->CaretRect(1, 10).x);
  auto blue_between = [&](int line, int x0, int x1) {
    int blue = 0;
    for (int x = x0; x < x1; ++x) blue += IsSelectionBlue(c.GetPixel(x, row(line)));
    return blue;
  };
  const int left = static_cast<int>(box->view_rect().x) + 1;
  EXPECT_EQ(blue_between(1, left, middle - 1), 0);
  EXPECT_GT(blue_between(1, middle + 1, end - 1), (end - middle) / 3);
  EXPECT_GT(blue_between(2, left, end - 1), (end - left) / 3);
  EXPECT_GT(blue_between(3, left, middle - 1), (middle - left) / 3);
  EXPECT_EQ(blue_between(3, middle + 1, end - 1), 0);
  EXPECT_EQ(blue_between(4, left, end - 1), 0);
  // Selected text is white: somewhere in the selection a pixel is light and opaque.
  int white = 0;
  for (int x = left; x < end; ++x)
    for (int y = row(2) - 4; y < row(2) + 4; ++y) {
      const gfx::Argb p = c.GetPixel(x, y);
      white += R(p) > 220 && G(p) > 220 && B(p) > 220;
    }
  EXPECT_GT(white, 5);
  // Unselected text stays dark.
  EXPECT_GE(InkedRows(c, {left, row(4) - 6, end - left, 12}).first, 0);
}

TEST_F(EditBoxViewTest, TheKeyboardFocusDrawsADashedFrame) {
  auto box = Box({30, 60, 240, 60}, "", {.multi_line = true, .scroll_bars = 0});
  const gfx::Bitmap before = box->canvas().CloneArea({0, 0, 240, 60});
  host_->SetFocus(box.get(), true);
  headless_->RunPending();
  // The frame runs along the text area's top edge (y 2): some pixels there darken.
  int changed = 0;
  for (int x = 2; x < 236; ++x) changed += box->canvas().GetPixel(x, 2) != before.GetPixel(x, 2);
  EXPECT_GT(changed, 20);
  EXPECT_LT(changed, 234);  // dashed, not solid
}

// Typing repaints only the edited line, and the result is what a whole paint gives.
TEST_F(EditBoxViewTest, AnEditRepaintsItsLineOnly) {
  auto box = LongBox(30);
  box->Select({3, 2}, {3, 2});
  const gfx::Bitmap before = box->canvas().CloneArea({0, 0, 200, 120});
  const gfx::Bitmap screen_before = Screen();
  const int h = box->store().line_height();
  box->InsertText("Q");
  // The window shows it: the line's rows changed on screen too.
  const int screen_line3 = static_cast<int>(20 + box->view_rect().y + 2 * h);
  EXPECT_FALSE(SamePixels(screen_before, Screen(), {20, screen_line3, 200, h}));
  const int line3 = static_cast<int>(box->view_rect().y + 2 * h);
  EXPECT_FALSE(SamePixels(before, box->canvas(), {0, line3, 200, h}));
  const int below = line3 + 2 * h + 12;  // past the line and its margin
  EXPECT_TRUE(SamePixels(before, box->canvas(), {0, below, 200, 120 - below}));
  const gfx::Bitmap partial = box->canvas().CloneArea({0, 0, 200, 120});
  box->Paint();
  EXPECT_TRUE(NearPixels(partial, box->canvas()));
  // A new line moves everything below it.
  box->InsertText("\r\n");
  const gfx::Bitmap split = box->canvas().CloneArea({0, 0, 200, 120});
  box->Paint();
  EXPECT_TRUE(NearPixels(split, box->canvas()));
}

TEST_F(EditBoxViewTest, OnlyVisibleLinesAreDrawn) {
  auto box = LongBox(500);
  EXPECT_EQ(box->first_drawn_line(), 1);
  EXPECT_LT(box->last_drawn_line(), 12);
  EXPECT_EQ(box->LineAtHeight(-5, 10), 0);
  EXPECT_EQ(box->LineAtHeight(1e6f, 10), 500);
  EXPECT_EQ(box->LineAtHeight(box->store().LineRect(250).y + 1, 400), 250);
}

}  // namespace
}  // namespace controls_test
