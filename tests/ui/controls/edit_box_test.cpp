// The edit box: creation defaults, properties, its message table and hooks, and
// the editing operations with their caret rules and change notification.
#include "razezazo/controls/edit_box.h"

#include <gtest/gtest.h>

#include "edit_box_fixture.h"
#include "razezazo/drawing/font.h"

namespace controls_test {
namespace {

using razezazo::EditBox;
using razezazo::EditBoxOptions;
using razezazo::InputMode;
using razezazo::TextPlace;
using runtime::Gbk;

using EditBoxTest = EditBoxFixture;

TEST_F(EditBoxTest, CreationTakesTheDocumentedDefaults) {
  auto single = Box({30, 60, 240, 20}, "abc");
  EXPECT_EQ(single->text_colour(), 0xE6000000u);
  EXPECT_EQ(single->background_colour(), 0xA0FFFFFFu);
  EXPECT_EQ(single->border_colour(), 0x50000000u);
  EXPECT_EQ(single->normal_border_colour(), 0x50000000u);
  EXPECT_EQ(single->mask_text(), "*");
  EXPECT_EQ(single->input_mode(), InputMode::kNormal);
  EXPECT_FALSE(single->multi_line());
  EXPECT_EQ(single->font(), razezazo::DefaultFont());
  EXPECT_EQ(single->kind(), razezazo::kKindEditBox);
  EXPECT_EQ(single->cursor(), winsys::Cursor::IBeam);
  EXPECT_TRUE(single->visible());
  EXPECT_EQ(single->caret(), (TextPlace{1, 0}));
  EXPECT_EQ(single->anchor(), (TextPlace{1, 0}));
  EXPECT_EQ(single->format()->flags, 0x400 | 0x800 | 0x4000);
  EXPECT_FLOAT_EQ(single->format()->first_tab_offset, 1.0f);
  EXPECT_EQ(single->format()->tab_stops, std::vector<float>{8.0f});

  // A single-line box never has bars; a multi-line one has both unless told.
  auto asked = Box({30, 90, 240, 20}, "", {.scroll_bars = 3});
  EXPECT_EQ(asked->scroll_bars(), 0);
  EXPECT_EQ(asked->vertical_bar(), nullptr);
  auto multi = Box({30, 120, 320, 60}, "", {.multi_line = true});
  EXPECT_EQ(multi->scroll_bars(), 3);
  ASSERT_TRUE(multi->vertical_bar() && multi->horizontal_bar());
  EXPECT_TRUE(multi->vertical_bar()->visible());
  EXPECT_TRUE(multi->horizontal_bar()->visible());
  EXPECT_EQ(multi->vertical_bar()->parent(), multi.get());
  auto result = Box(
      {30, 200, 320, 60}, "",
      {.text_colour = razezazo::ToArgb(255), .multi_line = true, .input_mode = InputMode::kReadOnly, .scroll_bars = 2});
  EXPECT_EQ(result->text_colour(), 0xFEFF0000u);
  EXPECT_TRUE(result->vertical_bar()->visible());
  EXPECT_FALSE(result->horizontal_bar()->visible());
  EXPECT_EQ(result->format()->flags, 0x400 | 0x800 | 0x4000 | 0x2000);

  // A size without a name: the default font's family at that size.
  auto sized = Box({30, 270, 240, 30}, "x", {.font = {.size = 20}});
  EXPECT_EQ(sized->font()->Family(), razezazo::DefaultFont()->Family());
  EXPECT_FLOAT_EQ(sized->font()->Size(), 20.0f);
}

TEST_F(EditBoxTest, TextTravelsThroughTheSetAndGetMessages) {
  auto box = Box({30, 60, 240, 60}, Gbk("初始"), {.multi_line = true});
  EXPECT_EQ(box->text(), Gbk("初始"));
  box->SetText("one\r\ntwo\ni");
  EXPECT_EQ(box->text(), "one\r\ntwoi");
  EXPECT_EQ(box->store().line_count(), 2);
  // The messages themselves, as an application could send them.
  const runtime::Text raw = "raw";
  box->SendEvent(razezazo::edit_message::kSetText, reinterpret_cast<std::intptr_t>(raw.c_str()), 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(box->SendEvent(razezazo::edit_message::kGetText, 0, 0)), "raw");
  // An unknown message is not handled.
  EXPECT_EQ(box->Deliver(9999, 0, 0), razezazo::kNotHandled);
}

// The user-message hook sees every message first and can keep one from the box.
class HookedBox : public EditBox {
 public:
  std::vector<int> seen;
  int swallow = -1;
  int before_draw = 0;

 protected:
  std::intptr_t OnUserMessage(int code, std::intptr_t, std::intptr_t) override {
    seen.push_back(code);
    return code == swallow ? 7 : razezazo::kNotHandled;
  }
  void OnBeforeDraw(gfx::Graphics&) override { ++before_draw; }
};

TEST_F(EditBoxTest, TheUserMessageHookComesFirstAndCanSwallowAMessage) {
  HookedBox box;
  ASSERT_TRUE(box.Create(window_, {30, 60, 240, 20}, "keep"));
  EXPECT_EQ(box.seen.front(), razezazo::event::kCreated);
  EXPECT_GT(box.before_draw, 0);
  box.swallow = razezazo::edit_message::kSetText;
  box.SetText("lost");
  EXPECT_EQ(box.text(), "keep");
  box.swallow = -1;
  box.SetText("taken");
  EXPECT_EQ(box.text(), "taken");
}

// Deletes its own box from the hook: the box must not touch itself afterwards.
class SelfDeletingBox : public EditBox {
 public:
  std::unique_ptr<EditBox>* owner = nullptr;
  int code = 0;

 protected:
  std::intptr_t OnUserMessage(int message, std::intptr_t, std::intptr_t) override {
    if (message == code && owner) owner->reset();
    return razezazo::kNotHandled;
  }
};

TEST_F(EditBoxTest, AHookOrHandlerThatDeletesTheBoxIsSurvived) {
  std::unique_ptr<EditBox> holder = std::make_unique<SelfDeletingBox>();
  auto* box = static_cast<SelfDeletingBox*>(holder.get());
  ASSERT_TRUE(box->Create(window_, {30, 60, 240, 20}, "x"));
  box->owner = &holder;
  box->code = razezazo::edit_message::kSetText;
  const runtime::Text text = "y";
  holder->SendEvent(razezazo::edit_message::kSetText, reinterpret_cast<std::intptr_t>(text.c_str()), 0);
  EXPECT_EQ(holder, nullptr);

  std::unique_ptr<EditBox> changed = Box({30, 90, 240, 60}, "abc", {.multi_line = true});
  changed->SetChangeHandler([&](razezazo::ControlBase*, EditBox&) { changed.reset(); });
  changed->InsertText("zz");
  EXPECT_EQ(changed, nullptr);
  headless_->RunPending();
}

TEST_F(EditBoxTest, ChangeHandlerGetsTheParentAndTheBoxAfterEveryChange) {
  auto box = Box({30, 60, 240, 60}, "abc", {.multi_line = true});
  std::vector<std::pair<razezazo::ControlBase*, EditBox*>> calls;
  box->SetChangeHandler([&](razezazo::ControlBase* parent, EditBox& b) { calls.emplace_back(parent, &b); });
  box->InsertText("d");
  box->SetText("new");
  box->Select({1, 0}, {1, 2});
  EXPECT_EQ(box->DeleteSelection(true), 1);  // quiet: no call
  box->Select({1, 0}, {1, 1});
  EXPECT_EQ(box->DeleteSelection(), 1);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].first, nullptr);
  EXPECT_EQ(calls[0].second, box.get());

  // A child box names its parent.
  auto parent = Box({20, 150, 300, 100}, "", {.multi_line = true});
  EditBox child;
  ASSERT_TRUE(child.Create(*parent, {30, 160, 100, 20}, "c"));
  razezazo::ControlBase* seen = nullptr;
  child.SetChangeHandler([&](razezazo::ControlBase* p, EditBox&) { seen = p; });
  child.InsertText("x");
  EXPECT_EQ(seen, parent.get());
}

TEST_F(EditBoxTest, DeletingASelectionLeavesTheCaretWhereItBegan) {
  auto box = Box({30, 60, 240, 60}, "hello\r\nworld", {.multi_line = true});
  box->Select({2, 3}, {1, 2});  // made backwards
  EXPECT_EQ(box->SelectedText(), "llo\r\nwor");
  EXPECT_EQ(box->DeleteSelection(), 1);
  EXPECT_EQ(box->text(), "held");
  EXPECT_EQ(box->caret(), (TextPlace{1, 2}));
  EXPECT_EQ(box->anchor(), (TextPlace{1, 2}));
  EXPECT_EQ(box->DeleteSelection(), 0);  // nothing selected

  auto read_only = Box({30, 130, 240, 60}, "fixed", {.multi_line = true, .input_mode = InputMode::kReadOnly});
  read_only->Select({1, 1}, {1, 4});
  EXPECT_EQ(read_only->DeleteSelection(), 1);
  EXPECT_EQ(read_only->text(), "fixed");
  EXPECT_EQ(read_only->anchor(), (TextPlace{1, 1}));
  EXPECT_EQ(read_only->caret(), (TextPlace{1, 4}));
  read_only->InsertText("no");
  EXPECT_EQ(read_only->text(), "fixed");
}

TEST_F(EditBoxTest, InsertedTextPlacesTheCaretByItsLineBreaks) {
  auto box = Box({30, 60, 240, 100}, "ab\r\ncd", {.multi_line = true});
  box->Select({1, 1}, {1, 1});
  box->InsertText(Gbk("中x"));
  EXPECT_EQ(box->caret(), (TextPlace{1, 3}));
  box->InsertText("\r\n");
  EXPECT_EQ(box->caret(), (TextPlace{2, 0}));
  box->InsertText("p\r\nq\r\nrs");
  EXPECT_EQ(box->caret(), (TextPlace{4, 2}));
  EXPECT_EQ(box->anchor(), box->caret());
  EXPECT_EQ(box->text(), Gbk("a中x\r\np\r\nq\r\nrsb\r\ncd"));
  // A selection is replaced.
  box->Select({1, 0}, {5, 2});
  box->InsertText("Z");
  EXPECT_EQ(box->text(), "Z");
  EXPECT_EQ(box->caret(), (TextPlace{1, 1}));

  auto single = Box({30, 200, 240, 20}, "ab");
  single->Select({1, 1}, {1, 1});
  single->InsertText("xy\r\nzz");  // the first line of the text, the box's own rest kept
  EXPECT_EQ(single->text(), "axyb");
  EXPECT_EQ(single->caret(), (TextPlace{1, 3}));
}

// Bad bytes never put the caret inside a character, nor past a line.
TEST_F(EditBoxTest, BadInputKeepsTheCaretOnCharacters) {
  auto box = Box({30, 60, 240, 100}, "", {.multi_line = true});
  for (const runtime::Text& piece :
       {runtime::Text("a\x81"),
        runtime::Text("\x81"
                      "0"),
        runtime::Text("\r\r\n"), runtime::Text("\n\n"), runtime::Text("\r"), runtime::Text("z\x81")}) {
    box->InsertText(piece);
    const TextPlace caret = box->caret();
    ASSERT_TRUE(box->store().IsValidLine(caret.line));
    ASSERT_LE(caret.column, box->store().LineChars(caret.line));
  }
  EXPECT_EQ(box->store().line_count(), 2);
  box->Select({1, 1}, {1, 1});
  box->InsertText("\x80\x80y");  // the caret passes what was kept
  EXPECT_EQ(box->store().LineText(1), "ay0\r");
  EXPECT_EQ(box->caret(), (TextPlace{1, 2}));
  box->Select({1, 0}, {99, 99});
  EXPECT_EQ(box->caret(), (TextPlace{2, box->store().LineChars(2)}));
  box->SetText(std::string(1 << 20, 'w'));
  EXPECT_EQ(box->store().line_count(), 1);
  runtime::Text empty_lines;
  for (int i = 0; i < 100000; ++i) empty_lines += "\r\n";
  box->SetText(empty_lines, true);
  EXPECT_EQ(box->store().line_count(), 100001);
  EXPECT_EQ(box->caret(), (TextPlace{100001, 0}));
  EXPECT_LE(box->scroll_y(), 0);
  EXPECT_EQ(box->scroll_y(), static_cast<int>(box->view_rect().height) - box->store().content_height());
}

// A huge paste or text is cut to the maximum length, never inside a
// character; a full box takes nothing more.
TEST_F(EditBoxTest, TheMaximumLengthCutsSetAndInsertedTextAtACharacter) {
  auto single = Box({30, 60, 240, 24}, runtime::Text(200000, 'w'));
  EXPECT_EQ(single->max_length(), razezazo::kSingleLineMaxLength);
  EXPECT_EQ(single->store().length(), razezazo::kSingleLineMaxLength);
  auto box = Box({30, 100, 240, 60}, "", {.multi_line = true, .max_length = 5});
  EXPECT_EQ(Box({30, 170, 240, 60}, "", {.multi_line = true})->max_length(), razezazo::kMultiLineMaxLength);
  int changes = 0;
  box->SetChangeHandler([&](razezazo::ControlBase*, EditBox&) { ++changes; });
  box->SetText(Gbk("中文字"), true);
  EXPECT_EQ(box->text(), Gbk("中文"));
  box->InsertText("abc");
  EXPECT_EQ(box->text(), Gbk("中文") + "a");
  EXPECT_EQ(box->caret(), (TextPlace{1, 3}));
  changes = 0;
  box->InsertText("x");
  box->Select({1, 2}, {1, 3});
  box->InsertText(Gbk("字"));  // the selected "a" leaves room for one byte only
  EXPECT_EQ(box->text(), Gbk("中文") + "a");
  EXPECT_EQ(changes, 0);
  box->InsertText("\r\nz");  // cut between CR and LF: a CR is a character of its own
  EXPECT_EQ(box->text(), Gbk("中文") + "\r");
}

TEST_F(EditBoxTest, SetTextWithTheCaretAtTheEnd) {
  auto box = Box({30, 60, 240, 60}, "", {.multi_line = true});
  box->SetText(NumberedLines(3) + "\r\n", true);
  EXPECT_EQ(box->caret(), (TextPlace{4, 0}));
  EXPECT_EQ(box->anchor(), (TextPlace{4, 0}));
  box->SetText("ab\r\ncd", true);
  EXPECT_EQ(box->caret(), (TextPlace{2, 2}));
  EXPECT_EQ(box->scroll_y(), 0);  // it all fits
  box->SetText(NumberedLines(50), true);
  EXPECT_EQ(box->scroll_y(), static_cast<int>(box->view_rect().height) - box->store().content_height());
  EXPECT_EQ(box->vertical_bar()->position(), -box->scroll_y());
  box->SetText(NumberedLines(50));
  EXPECT_EQ(box->caret(), (TextPlace{1, 0}));
  EXPECT_EQ(box->scroll_y(), 0);
  EXPECT_EQ(box->vertical_bar()->position(), 0);
  EXPECT_EQ(box->caret_point().x, box->view_rect().x);
  EXPECT_EQ(box->last_caret_point().y, box->caret_point().y);
}

TEST_F(EditBoxTest, PasswordModeShowsTheMaskAtOnce) {
  auto box = Box({30, 60, 240, 20}, "secret");
  const gfx::Bitmap plain = box->canvas().CloneArea({0, 0, 240, 20});
  box->SetInputMode(InputMode::kPassword);
  EXPECT_EQ(box->store().DisplayLine(1), u"******");
  EXPECT_FALSE(SamePixels(plain, box->canvas()));
  auto masked = Box({30, 90, 240, 20}, "secret", {.input_mode = InputMode::kPassword});
  EXPECT_TRUE(SamePixels(masked->canvas(), box->canvas()));
}

TEST_F(EditBoxTest, TransparencyReachesTheEnabledBars) {
  auto box = Box({30, 60, 240, 100}, "", {.multi_line = true, .scroll_bars = 2});
  box->SetOpacity(100);
  EXPECT_EQ(box->vertical_bar()->opacity(), 100);
  EXPECT_EQ(box->horizontal_bar()->opacity(), 255);
}

}  // namespace
}  // namespace controls_test
