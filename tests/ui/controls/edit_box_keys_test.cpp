// The edit box's keyboard: movement keys with and without Shift, the editing
// keys, typed characters by input mode and the input method's result, all
// through injected input on the headless host.
#include <gtest/gtest.h>

#include "edit_box_input_fixture.h"

namespace controls_test {
namespace {

using razezazo::EditBox;
using razezazo::InputMode;
using razezazo::TextPlace;
using runtime::Gbk;

using EditBoxKeysTest = EditBoxInputFixture;

constexpr razezazo::EditBoxOptions kMultiLine{.multi_line = true};

TEST_F(EditBoxKeysTest, ArrowKeysWalkAcrossLineEndsAndStopAtTheEdges) {
  auto box = FocusedBox(Gbk("ab\r\n中文x\r\nlast"), kMultiLine, {2, 3});
  Press(winsys::VK_RIGHT);  // end of the second-to-last line: to the start of the last
  EXPECT_EQ(box->caret(), (TextPlace{3, 0}));
  Press(winsys::VK_LEFT);  // and back to the end of the line before
  EXPECT_EQ(box->caret(), (TextPlace{2, 3}));
  Press(winsys::VK_UP);  // the column is kept within the shorter line
  EXPECT_EQ(box->caret(), (TextPlace{1, 2}));
  Press(winsys::VK_UP);  // line 1 stays
  EXPECT_EQ(box->caret(), (TextPlace{1, 2}));
  Press(winsys::VK_HOME);
  Press(winsys::VK_LEFT);  // the very start stays
  EXPECT_EQ(box->caret(), (TextPlace{1, 0}));
  Press(winsys::VK_DOWN);
  Press(winsys::VK_DOWN);
  Press(winsys::VK_DOWN);  // the last line stays
  Press(winsys::VK_END);
  EXPECT_EQ(box->caret(), (TextPlace{3, 4}));
  Press(winsys::VK_RIGHT);  // the very end stays
  EXPECT_EQ(box->caret(), (TextPlace{3, 4}));
  EXPECT_EQ(box->anchor(), box->caret());  // no Shift: never a selection

  // A single-line box has no lines to move between.
  auto single = FocusedBox("one", {}, {1, 3});
  Press(winsys::VK_RIGHT);
  Press(winsys::VK_UP);
  Press(winsys::VK_DOWN);
  EXPECT_EQ(single->caret(), (TextPlace{1, 3}));
}

// As in GTK: words by Pango's boundaries, across line ends; Ctrl+Home and
// Ctrl+End to the text's ends; Ctrl+Backspace and Ctrl+Delete take a word.
TEST_F(EditBoxKeysTest, CtrlMovesAndDeletesByWords) {
  auto box = FocusedBox(Gbk("say hello-world\r\n  下载 mp3"), kMultiLine, {1, 5});
  Ctrl(winsys::VK_RIGHT);  // to the end of the word the caret is in
  EXPECT_EQ(box->caret(), (TextPlace{1, 9}));
  Ctrl(winsys::VK_RIGHT);
  EXPECT_EQ(box->caret(), (TextPlace{1, 15}));
  Ctrl(winsys::VK_RIGHT);  // across the line end to the next word's end
  EXPECT_EQ(box->caret(), (TextPlace{2, 4}));
  Ctrl(winsys::VK_LEFT);
  EXPECT_EQ(box->caret(), (TextPlace{2, 2}));
  Ctrl(winsys::VK_LEFT);  // back over the line end to the start of "world"
  EXPECT_EQ(box->caret(), (TextPlace{1, 10}));
  headless_->KeyDown(winsys::VK_SHIFT);
  Ctrl(winsys::VK_LEFT);  // Shift extends
  headless_->KeyUp(winsys::VK_SHIFT);
  EXPECT_EQ(box->SelectedText(), "hello-");
  Ctrl(winsys::VK_END);
  EXPECT_EQ(box->caret(), (TextPlace{2, 8}));
  EXPECT_EQ(box->anchor(), box->caret());
  Ctrl(winsys::VK_BACK);
  EXPECT_EQ(box->text(), Gbk("say hello-world\r\n  下载 "));
  Ctrl(winsys::VK_HOME);
  EXPECT_EQ(box->caret(), (TextPlace{1, 0}));
  Ctrl(winsys::VK_DELETE);
  EXPECT_EQ(box->text(), Gbk(" hello-world\r\n  下载 "));

  // A password has no words to show: only its ends.
  auto password = FocusedBox("abc def", {.input_mode = InputMode::kPassword}, {1, 5});
  Ctrl(winsys::VK_LEFT);
  EXPECT_EQ(password->caret(), (TextPlace{1, 0}));
  Ctrl(winsys::VK_DELETE);
  EXPECT_EQ(password->text(), "");
}

TEST_F(EditBoxKeysTest, UpDownAndPagesKeepTheHorizontalPlace) {
  // "iiii" is narrower than "WW": the column is found by x, not by number.
  auto box = FocusedBox("WWWW\r\niiiiiiii\r\nWWWW", kMultiLine, {1, 2});
  Press(winsys::VK_DOWN);
  const int under = box->caret().column;
  EXPECT_GT(under, 2);
  EXPECT_NEAR(box->caret_point().x, box->CaretRect(1, 2).x, 4);
  Press(winsys::VK_DOWN);  // the place the run of moves began is kept
  EXPECT_EQ(box->caret(), (TextPlace{3, 2}));
  Press(winsys::VK_END);
  Press(winsys::VK_UP);  // a new run starts from the new place
  EXPECT_EQ(box->caret(), (TextPlace{2, 8}));

  std::string lines;
  for (int i = 0; i < 40; ++i) lines += "line " + std::to_string(i) + "\r\n";
  auto tall = FocusedBox(lines, kMultiLine, {1, 2});
  Press(winsys::VK_NEXT);  // a page down moves caret and view by the view's height
  const int page_line = tall->caret().line;
  EXPECT_GT(page_line, 3);
  EXPECT_LT(tall->scroll_y(), 0);
  EXPECT_EQ(tall->caret().column, 2);
  Shift(winsys::VK_NEXT);
  EXPECT_GT(tall->caret().line, page_line);
  EXPECT_EQ(tall->anchor(), (TextPlace{page_line, 2}));
  Press(winsys::VK_PRIOR);
  Press(winsys::VK_PRIOR);
  Press(winsys::VK_PRIOR);
  EXPECT_EQ(tall->caret(), (TextPlace{1, 2}));
  EXPECT_EQ(tall->scroll_y(), 0);
  auto single = FocusedBox("one");
  EXPECT_EQ(single->KeyDown(winsys::VK_NEXT, false, false), -1);  // a single line has no pages
}

TEST_F(EditBoxKeysTest, ShiftExtendsTheSelectionExceptInPasswordMode) {
  auto box = FocusedBox(Gbk("first\r\n第二 line\r\nthird"), kMultiLine, {2, 3});
  Press(winsys::VK_HOME);
  Shift(winsys::VK_END);
  EXPECT_EQ(box->SelectedText(), Gbk("第二 line"));
  Shift(winsys::VK_UP);  // the anchor stays where the selection began
  EXPECT_EQ(box->anchor(), (TextPlace{2, 0}));
  EXPECT_EQ(box->caret(), (TextPlace{1, 5}));
  EXPECT_EQ(box->SelectedText(), "\r\n");
  Press(winsys::VK_LEFT);  // a plain movement drops the selection
  EXPECT_EQ(box->anchor(), box->caret());

  auto password = FocusedBox("secret", {.input_mode = InputMode::kPassword});
  Press(winsys::VK_HOME);
  Shift(winsys::VK_END);
  EXPECT_EQ(password->caret(), (TextPlace{1, 6}));
  EXPECT_EQ(password->anchor(), password->caret());
  EXPECT_TRUE(password->SelectedText().empty());
}

TEST_F(EditBoxKeysTest, BackspaceDeleteAndEnterEditAtTheCaret) {
  auto box = FocusedBox(Gbk("ab\r\n中d"), kMultiLine, {2, 0});
  Press(winsys::VK_BACK);  // the line break before the caret
  EXPECT_EQ(box->text(), Gbk("ab中d"));
  EXPECT_EQ(box->caret(), (TextPlace{1, 2}));
  Press(winsys::VK_RIGHT);
  Press(winsys::VK_BACK);  // a two-byte character goes whole
  EXPECT_EQ(box->text(), "abd");
  Press(winsys::VK_RETURN);
  EXPECT_EQ(box->text(), "ab\r\nd");
  EXPECT_EQ(box->caret(), (TextPlace{2, 0}));
  Press(winsys::VK_DELETE);  // without a selection: the character after the caret
  EXPECT_EQ(box->text(), "ab\r\n");
  EXPECT_EQ(box->caret(), (TextPlace{2, 0}));
  Press(winsys::VK_DELETE);  // nothing after the very end
  box->SetText(Gbk("ab\r\n中d"));
  box->Select({1, 2}, {1, 2});
  Press(winsys::VK_DELETE);  // the line break after the caret
  EXPECT_EQ(box->text(), Gbk("ab中d"));
  Press(winsys::VK_DELETE);  // a two-byte character goes whole
  EXPECT_EQ(box->text(), "abd");
  box->SetText("ab\r\nd");
  box->Select({1, 1}, {2, 1});
  Press(winsys::VK_DELETE);
  EXPECT_EQ(box->text(), "a");
  Press(winsys::VK_HOME);
  Press(winsys::VK_BACK);  // nothing before the start
  EXPECT_EQ(box->text(), "a");

  auto single = FocusedBox("one", {}, {1, 3});
  Press(winsys::VK_RETURN);  // a single line takes no break
  EXPECT_EQ(single->text(), "one");

  auto read_only = FocusedBox("fixed", {.input_mode = InputMode::kReadOnly}, {1, 4});
  Press(winsys::VK_BACK);
  Press(winsys::VK_DELETE);
  read_only->Select({1, 0}, {1, 5});
  Press(winsys::VK_DELETE);
  EXPECT_EQ(read_only->text(), "fixed");
}

TEST_F(EditBoxKeysTest, KeyAnswersLeaveUnknownKeysToTheHost) {
  auto box = FocusedBox("text");
  EXPECT_EQ(box->KeyDown(winsys::VK_TAB, false, false), -1);
  EXPECT_EQ(box->KeyDown(winsys::VK_SPACE, false, false), 0);
  EXPECT_EQ(box->KeyDown(winsys::VK_END, false, false), 0);
  EXPECT_EQ(box->KeyDown('Q', true, false), -1);
  EXPECT_EQ(box->KeyDown('A', true, false), 0);
  EXPECT_EQ(box->text(), "text");  // the Space key itself types nothing
  // Tab is not the box's: the host moves the focus on, Shift+Tab back.
  auto other = Box({20, 200, 100, 24}, "");
  auto third = Box({20, 240, 100, 24}, "");
  Press(winsys::VK_TAB);
  EXPECT_EQ(host_->focused(), other.get());
  Shift(winsys::VK_TAB);
  EXPECT_EQ(host_->focused(), box.get());
  Shift(winsys::VK_TAB);  // round from the first to the last
  EXPECT_EQ(host_->focused(), third.get());
}

TEST_F(EditBoxKeysTest, TypedCharactersFollowTheInputMode) {
  auto normal = FocusedBox("");
  headless_->TypeText("a b~");
  headless_->TypeText("中é");  // characters beyond ASCII reach a box without an input method as UTF-16
  EXPECT_EQ(normal->text(), "a b~" + Gbk("中é"));
  headless_->TypeText("\x1C\x7F\t");  // control characters never enter
  EXPECT_EQ(normal->text(), "a b~" + Gbk("中é"));

  auto integer = FocusedBox("", {.input_mode = InputMode::kInteger});
  headless_->TypeText("-12a.5 3/");
  EXPECT_EQ(integer->text(), "-1253");

  auto decimal = FocusedBox("", {.input_mode = InputMode::kDecimal});
  headless_->TypeText("1.5x.2/3");
  EXPECT_EQ(decimal->text(), "1.52/3");
  EXPECT_EQ(decimal->Deliver(winsys::WM_CHAR, '.', 1), -1);  // the refused full stop is answered -1
  EXPECT_EQ(decimal->Deliver(winsys::WM_CHAR, '7', 1), 0);

  auto password = FocusedBox("", {.input_mode = InputMode::kPassword});
  headless_->TypeText("pw中!");
  EXPECT_EQ(password->text(), "pw!");

  auto read_only = FocusedBox("ro", {.input_mode = InputMode::kReadOnly});
  headless_->TypeText("xyz");
  EXPECT_EQ(read_only->text(), "ro");
}

// GBK holds neither emoji nor Hangul, and "€" only as the single byte 0x80
// that every other part of the box would read as half a pair: they are left
// out whole, wherever the text comes from, and what is left is whole GBK
// characters.
TEST_F(EditBoxKeysTest, CharactersGbkCannotHoldAreLeftOut) {
  auto box = FocusedBox("", kMultiLine);
  headless_->TypeText("€中");
  Press(winsys::VK_BACK);
  EXPECT_EQ(box->text(), "");
  headless_->TypeText("a😀한b");
  EXPECT_EQ(box->text(), "ab");

  headless_->ImeCommit("中文😀한국");
  EXPECT_EQ(box->text(), "ab" + Gbk("中文"));
  EXPECT_EQ(box->caret(), (TextPlace{1, 4}));
  headless_->ImeCommit("😀");  // nothing left: nothing changes
  EXPECT_EQ(box->text(), "ab" + Gbk("中文"));

  SetClipboard("x😀y\n한z");
  Ctrl('V');
  EXPECT_EQ(box->text(), "ab" + Gbk("中文") + "xy\r\nz");
  EXPECT_EQ(box->caret(), (TextPlace{2, 1}));

  box->SetText("");
  SetClipboard("价格€100元");
  Ctrl('V');
  EXPECT_EQ(box->text(), Gbk("价格100元"));
  box->SetText(runtime::Gbk("€中") +
               "\xFF"
               "a\x81"
               "0\xB0");  // bytes of no character are dropped
  EXPECT_EQ(box->text(), Gbk("中a0"));
}

TEST_F(EditBoxKeysTest, TheInputMethodsResultIsInsertedAndTheHostGoesOn) {
  auto box = FocusedBox(Gbk("前后"), {}, {1, 1});
  headless_->ImeCommit("中间");
  EXPECT_EQ(box->text(), Gbk("前中间后"));
  EXPECT_EQ(box->caret(), (TextPlace{1, 3}));
  // Without a result string there is nothing to insert; either way the
  // message stays unanswered so that the host's default runs.
  EXPECT_EQ(box->Deliver(winsys::WM_IME_COMPOSITION, 0, 0x8), -1);
  EXPECT_EQ(box->text(), Gbk("前中间后"));
}

}  // namespace
}  // namespace controls_test
