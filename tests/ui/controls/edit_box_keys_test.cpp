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
  Press(winsys::VK_DELETE);  // nothing without a selection
  EXPECT_EQ(box->text(), "ab\r\nd");
  box->Select({1, 1}, {2, 1});
  Press(winsys::VK_DELETE);
  EXPECT_EQ(box->text(), "a");
  Press(winsys::VK_HOME);
  Press(winsys::VK_BACK);  // nothing before the start
  EXPECT_EQ(box->text(), "a");

  auto single = FocusedBox("one", {}, {1, 3});
  Press(winsys::VK_RETURN);  // a single line takes no break
  EXPECT_EQ(single->text(), "one");

  auto read_only = FocusedBox("fixed", {.input_mode = InputMode::kReadOnly}, {1, 5});
  Press(winsys::VK_BACK);
  read_only->Select({1, 0}, {1, 5});
  Press(winsys::VK_DELETE);
  EXPECT_EQ(read_only->text(), "fixed");
}

TEST_F(EditBoxKeysTest, KeyAnswersLeaveUnknownKeysToTheHost) {
  auto box = FocusedBox("text");
  EXPECT_EQ(box->KeyDown(winsys::VK_TAB, false, false), -1);
  EXPECT_EQ(box->KeyDown(winsys::VK_SPACE, false, false), 0);
  EXPECT_EQ(box->KeyDown(winsys::VK_END, false, false), 0);
  EXPECT_EQ(box->KeyDown('Z', true, false), -1);
  EXPECT_EQ(box->KeyDown('A', true, false), 0);
  EXPECT_EQ(box->text(), "text");  // the Space key itself types nothing
  // Tab is not the box's: the host moves the focus on.
  auto other = Box({20, 200, 100, 24}, "");
  Press(winsys::VK_TAB);
  EXPECT_EQ(host_->focused(), other.get());
}

TEST_F(EditBoxKeysTest, TypedCharactersFollowTheInputMode) {
  auto normal = FocusedBox("");
  system_->TypeText("a b~");
  system_->TypeText("中é");  // characters beyond ASCII reach a box without an input method as UTF-16
  EXPECT_EQ(normal->text(), "a b~" + Gbk("中é"));
  system_->TypeText("\x1C\x7F\t");  // control characters never enter
  EXPECT_EQ(normal->text(), "a b~" + Gbk("中é"));

  auto integer = FocusedBox("", {.input_mode = InputMode::kInteger});
  system_->TypeText("-12a.5 3/");
  EXPECT_EQ(integer->text(), "-1253");

  auto decimal = FocusedBox("", {.input_mode = InputMode::kDecimal});
  system_->TypeText("1.5x.2/3");
  EXPECT_EQ(decimal->text(), "1.52/3");
  EXPECT_EQ(decimal->Deliver(winsys::WM_CHAR, '.', 1), -1);  // the refused full stop is answered -1
  EXPECT_EQ(decimal->Deliver(winsys::WM_CHAR, '7', 1), 0);

  auto password = FocusedBox("", {.input_mode = InputMode::kPassword});
  system_->TypeText("pw中!");
  EXPECT_EQ(password->text(), "pw!");

  auto read_only = FocusedBox("ro", {.input_mode = InputMode::kReadOnly});
  system_->TypeText("xyz");
  EXPECT_EQ(read_only->text(), "ro");
}

// GBK holds neither emoji nor Hangul, and "€" only as the single byte 0x80
// that every other part of the box would read as half a pair: they are left
// out whole, wherever the text comes from, and what is left is whole GBK
// characters.
TEST_F(EditBoxKeysTest, CharactersGbkCannotHoldAreLeftOut) {
  auto box = FocusedBox("", kMultiLine);
  system_->TypeText("€中");
  Press(winsys::VK_BACK);
  EXPECT_EQ(box->text(), "");
  system_->TypeText("a😀한b");
  EXPECT_EQ(box->text(), "ab");

  system_->ImeCommit("中文😀한국");
  EXPECT_EQ(box->text(), "ab" + Gbk("中文"));
  EXPECT_EQ(box->caret(), (TextPlace{1, 4}));
  system_->ImeCommit("😀");  // nothing left: nothing changes
  EXPECT_EQ(box->text(), "ab" + Gbk("中文"));

  SetClipboard("x😀y\n한z");
  Ctrl('V');
  EXPECT_EQ(box->text(), "ab" + Gbk("中文") + "xy\r\nz");
  EXPECT_EQ(box->caret(), (TextPlace{2, 1}));

  box->SetText("");
  SetClipboard("价格€100元");
  Ctrl('V');
  EXPECT_EQ(box->text(), Gbk("价格100元"));
  box->SetText(runtime::Gbk("€中") + "\xFF" "a\x81" "0\xB0");  // bytes of no character are dropped
  EXPECT_EQ(box->text(), Gbk("中a0"));
}

TEST_F(EditBoxKeysTest, TheInputMethodsResultIsInsertedAndTheHostGoesOn) {
  auto box = FocusedBox(Gbk("前后"), {}, {1, 1});
  system_->ImeCommit("中间");
  EXPECT_EQ(box->text(), Gbk("前中间后"));
  EXPECT_EQ(box->caret(), (TextPlace{1, 3}));
  // Without a result string there is nothing to insert; either way the
  // message stays unanswered so that the host's default runs.
  EXPECT_EQ(box->Deliver(winsys::WM_IME_COMPOSITION, 0, 0x8), -1);
  EXPECT_EQ(box->text(), Gbk("前中间后"));
}

}  // namespace
}  // namespace controls_test
