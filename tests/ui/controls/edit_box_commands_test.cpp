// The edit commands (undo, select all, copy, cut, paste) through the Ctrl keys and
// through the shared context menu, with the clipboard in UTF-8.
#include <gtest/gtest.h>

#include <functional>

#include "edit_box_input_fixture.h"
#include "razezazo/popups/edit_context_menu.h"

namespace controls_test {
namespace {

using razezazo::EditBox;
using razezazo::EditContextMenu;
using razezazo::InputMode;
using razezazo::TextPlace;
using runtime::Gbk;

// Records the commands that reach the box.
class CommandRecordingBox : public EditBox {
 public:
  std::vector<int> commands;

 protected:
  std::intptr_t OnUserMessage(int code, std::intptr_t argument1, std::intptr_t) override {
    if (code == winsys::WM_COMMAND) commands.push_back(static_cast<int>(argument1));
    return razezazo::kNotHandled;
  }
};

class EditBoxCommandsTest : public EditBoxInputFixture {
 protected:
  // The menu is shared by the whole program: each test leaves it as it found it.
  void SetUp() override {
    EditBoxInputFixture::SetUp();
    states_before_ = States();
  }
  void TearDown() override {
    EditContextMenu().SetOpenedHandler(nullptr);
    for (int i = 1; i <= kItems; ++i)
      EditContextMenu().ItemState(i, razezazo::MenuItemState{states_before_[static_cast<size_t>(i - 1)]});
    EditBoxInputFixture::TearDown();
  }

  // Right-clicks at the host-window point and runs `step` once the menu is
  // open (its window given); answers whether a menu opened.
  bool RightClickMenu(int x, int y, const std::function<void(winsys::WindowId)>& step) {
    winsys::WindowId opened = 0;
    EditContextMenu().SetOpenedHandler([&](winsys::WindowId menu, bool) { opened = menu; });
    bool stepped = false;
    headless_->SetIdleHandler([&] {
      if (stepped || !opened) return false;
      stepped = true;
      step(opened);
      return true;
    });
    headless_->PressRight(window_, x, y);
    headless_->ReleaseRight(window_, x, y);
    headless_->SetIdleHandler(nullptr);
    if (opened) {
      EXPECT_FALSE(headless_->IsWindow(opened)) << "the menu is still open";
    }
    return opened != 0;
  }

  void Escape() { headless_->KeyPress(winsys::VK_ESCAPE); }
  std::vector<int> States() {
    std::vector<int> states;
    for (int i = 1; i <= kItems; ++i) states.push_back(EditContextMenu().ItemState(i));
    return states;
  }

  // Rows of the edit menu: undo, a separator, three commands, a separator, select all.
  static constexpr int kItems = 7;
  static int CommandRow(int index) {
    int y = 8;
    for (int i = 1; i < index; ++i) y += i == 2 || i == 6 ? 3 : 22;
    return y + 11;
  }

  std::vector<int> states_before_;
};

TEST_F(EditBoxCommandsTest, CtrlKeysCopyCutPasteAndSelectAllInUtf8) {
  auto box = FocusedBox(Gbk("中文 text\r\n第二行"), {.multi_line = true}, {1, 0});
  Ctrl('A');
  EXPECT_EQ(box->anchor(), (TextPlace{1, 0}));
  EXPECT_EQ(box->caret(), (TextPlace{2, 3}));
  Ctrl('C');
  EXPECT_EQ(Clipboard(), "中文 text\n第二行");  // UTF-8, line ends as other programs expect
  box->Select({1, 0}, {1, 2});
  Ctrl('X');
  EXPECT_EQ(Clipboard(), "中文");
  EXPECT_EQ(box->text(), Gbk(" text\r\n第二行"));
  Press(winsys::VK_END);
  Ctrl('V');
  EXPECT_EQ(box->text(), Gbk(" text中文\r\n第二行"));
  EXPECT_EQ(box->caret(), (TextPlace{1, 7}));
  box->Select({1, 1}, {1, 1});
  Ctrl('C');  // nothing selected: the clipboard keeps what it had
  Ctrl('X');
  EXPECT_EQ(Clipboard(), "中文");
  SetClipboard("");
  Ctrl('V');  // an empty clipboard changes nothing
  EXPECT_EQ(box->text(), Gbk(" text中文\r\n第二行"));
}

TEST_F(EditBoxCommandsTest, ReadOnlyCopiesButNeverCutsNorPastes) {
  auto box = FocusedBox("fixed text", {.input_mode = InputMode::kReadOnly});
  box->Select({1, 0}, {1, 5});
  SetClipboard("before");
  EXPECT_EQ(box->KeyDown('X', true, false), -1);
  Ctrl('X');
  EXPECT_EQ(box->text(), "fixed text");
  EXPECT_EQ(Clipboard(), "before");
  Ctrl('V');
  EXPECT_EQ(box->text(), "fixed text");
  Ctrl('C');
  EXPECT_EQ(Clipboard(), "fixed");
}

// A password manager pastes; nothing else with Ctrl, nor a copy by Ctrl+Insert
// or a cut by Shift+Delete.
TEST_F(EditBoxCommandsTest, APasswordTakesAPasteButIsNeverCopied) {
  auto box = FocusedBox("secret", {.input_mode = InputMode::kPassword});
  SetClipboard("pasted");
  for (unsigned key : {'A', 'C', 'X', 'Z'}) EXPECT_EQ(box->KeyDown(key, true, false), 0) << key;
  box->Select({1, 0}, {1, 6});
  Ctrl(winsys::VK_INSERT);
  Shift(winsys::VK_DELETE);
  EXPECT_EQ(box->text(), "secret");
  EXPECT_EQ(Clipboard(), "pasted");
  Ctrl('V');
  EXPECT_EQ(box->text(), "pasted");
  Shift(winsys::VK_INSERT);
  EXPECT_EQ(box->text(), "pastedpasted");
  Ctrl('Z');  // a password keeps no history
  EXPECT_EQ(box->text(), "pastedpasted");
  EXPECT_EQ(box->anchor(), box->caret());
  EXPECT_FALSE(RightClickMenu(30, 30, [&](winsys::WindowId) { Escape(); }));  // and no context menu
}

// Grouped as GTK groups them: a run of typed characters is one step, every
// paste, cut and deletion another; undo gives back the selection the change
// was made from.
TEST_F(EditBoxCommandsTest, UndoAndRedoGoByWholeSteps) {
  auto box = FocusedBox("start", {}, {1, 5});
  headless_->TypeText(" two");
  SetClipboard("+paste");
  Ctrl('V');
  box->Select({1, 0}, {1, 5});
  Shift(winsys::VK_DELETE);  // a cut
  EXPECT_EQ(box->text(), " two+paste");
  EXPECT_EQ(Clipboard(), "start");
  Press(winsys::VK_END);
  Press(winsys::VK_BACK);
  Press(winsys::VK_BACK);
  EXPECT_EQ(box->text(), " two+pas");
  Ctrl('Z');
  Ctrl('Z');
  EXPECT_EQ(box->text(), " two+paste");
  Ctrl('Z');
  EXPECT_EQ(box->text(), "start two+paste");
  EXPECT_EQ(box->SelectedText(), "start");
  Ctrl('Z');
  EXPECT_EQ(box->text(), "start two");
  Ctrl('Z');
  EXPECT_EQ(box->text(), "start");
  Ctrl('Z');  // nothing left to undo
  EXPECT_EQ(box->text(), "start");
  Ctrl('Y');
  EXPECT_EQ(box->text(), "start two");
  headless_->KeyDown(winsys::VK_SHIFT);
  Ctrl('Z');  // Ctrl+Shift+Z redoes as well
  headless_->KeyUp(winsys::VK_SHIFT);
  EXPECT_EQ(box->text(), "start two+paste");
  headless_->TypeText("!");  // a new change ends what could be redone
  Ctrl('Y');
  EXPECT_EQ(box->text(), "start two+paste!");

  box->SetText("from the program");  // the program's text is where undoing stops
  Ctrl('Z');
  EXPECT_EQ(box->text(), "from the program");
  EXPECT_FALSE(box->history().CanUndo());

  auto read_only = FocusedBox("fixed", {.input_mode = InputMode::kReadOnly});
  Ctrl('V');
  EXPECT_FALSE(read_only->history().CanUndo());
}

TEST_F(EditBoxCommandsTest, TheMenuOffersWhatTheBoxCanDo) {
  constexpr int kOff = -1, kOn = 0, kOffered = 1;
  auto box = FocusedBox("some text");
  SetClipboard("clip");
  struct Case {
    InputMode mode;
    const char* text;
    bool select;
    const char* clipboard;
    std::vector<int> states;
  } cases[] = {
      {InputMode::kNormal, "some text", false, "clip", {kOff, 0, kOff, kOff, kOn, 0, kOffered}},
      {InputMode::kNormal, "some text", true, "clip", {kOff, 0, kOn, kOn, kOn, 0, kOffered}},
      {InputMode::kNormal, "", false, "", {kOff, 0, kOff, kOff, kOff, 0, kOff}},
      // Text is offered, although none of it fits GBK: the menu never waits to read it.
      {InputMode::kNormal, "some text", true, "😀", {kOff, 0, kOn, kOn, kOn, 0, kOffered}},
      {InputMode::kReadOnly, "some text", true, "clip", {kOff, 0, kOff, kOn, kOff, 0, kOffered}},
      {InputMode::kInteger, "12", true, "clip", {kOff, 0, kOn, kOn, kOn, 0, kOffered}},
  };
  for (const Case& c : cases) {
    box->SetInputMode(c.mode);
    box->SetText(c.text);
    if (c.select) box->Select({1, 0}, {1, 2});
    SetClipboard(c.clipboard);
    EXPECT_TRUE(RightClickMenu(30, 30, [&](winsys::WindowId) { Escape(); }));
    EXPECT_EQ(States(), c.states) << static_cast<int>(c.mode) << " '" << c.text << "' " << c.select;
  }
  // Undo is offered once there is something to undo.
  box->SetInputMode(InputMode::kNormal);
  Press(winsys::VK_END);
  headless_->TypeText("s");
  EXPECT_TRUE(RightClickMenu(30, 30, [&](winsys::WindowId) { Escape(); }));
  EXPECT_EQ(States()[0], kOn);
}

// The Menu key and Shift+F10 open the menu at the caret; Up and Down light the
// enabled items round the ends, Enter chooses, Escape closes.
TEST_F(EditBoxCommandsTest, TheKeyboardOpensTheMenuAtTheCaretAndWalksIt) {
  auto box = FocusedBox("some text", {}, {1, 4});
  box->Select({1, 0}, {1, 4});
  headless_->MoveMouse(window_, 5, 5);  // the pointer elsewhere: the menu is still the box's
  auto by_keys = [&](unsigned key, bool shift, std::vector<unsigned> walk) {
    winsys::WindowId opened = 0;
    gfx::RectI rect;
    EditContextMenu().SetOpenedHandler([&](winsys::WindowId menu, bool) { opened = menu; });
    bool stepped = false;
    headless_->SetIdleHandler([&] {
      if (stepped || !opened) return false;
      stepped = true;
      rect = headless_->WindowRect(opened);
      for (unsigned k : walk) Press(k);
      return true;
    });
    if (shift)
      Shift(key);
    else
      Press(key);
    headless_->SetIdleHandler(nullptr);
    EXPECT_FALSE(headless_->IsWindow(opened));
    return rect;
  };
  const gfx::RectI rect = by_keys(winsys::VK_APPS, false, {winsys::VK_DOWN, winsys::VK_DOWN, winsys::VK_RETURN});
  const gfx::RectI window = headless_->WindowRect(window_);
  EXPECT_EQ(rect.x, window.x + static_cast<int>(box->x() + box->caret_point().x));
  EXPECT_EQ(rect.y, window.y + static_cast<int>(box->y() + box->caret_point().Bottom()));
  EXPECT_EQ(Clipboard(), "some");  // undo is off: cut, then copy were lit
  EXPECT_EQ(box->text(), "some text");

  box->Select({1, 9}, {1, 9});
  by_keys(winsys::VK_F10, true, {winsys::VK_UP, winsys::VK_RETURN});  // round to the last: select all
  EXPECT_EQ(box->SelectedText(), "some text");
  by_keys(winsys::VK_APPS, false, {winsys::VK_DOWN, winsys::VK_ESCAPE});
  EXPECT_EQ(box->SelectedText(), "some text");
  EXPECT_EQ(host_->focused(), box.get());
}

TEST_F(EditBoxCommandsTest, TheMenuOpensAtThePointerAndItsChoiceComesBackAsTheCommand) {
  auto box = std::make_unique<CommandRecordingBox>();
  ASSERT_TRUE(box->Create(window_, {20, 20, 240, 24}, Gbk("复制这段文字")));
  headless_->RunPending();
  box->Select({1, 0}, {1, 2});
  gfx::RectI menu_rect;
  EXPECT_TRUE(RightClickMenu(60, 30, [&](winsys::WindowId menu) {
    menu_rect = headless_->WindowRect(menu);
    headless_->Click(menu, 40, CommandRow(4));  // "复制(&C)"
  }));
  const gfx::RectI window = headless_->WindowRect(window_);
  EXPECT_EQ(menu_rect.x, window.x + 60);
  EXPECT_EQ(menu_rect.y, window.y + 30);
  EXPECT_EQ(box->commands, std::vector<int>{67});
  EXPECT_EQ(Clipboard(), "复制");
  EXPECT_EQ(host_->focused(), box.get());  // the box under the pointer took the focus

  EXPECT_TRUE(RightClickMenu(60, 30, [&](winsys::WindowId menu) { headless_->Click(menu, 40, CommandRow(7)); }));
  EXPECT_EQ(box->commands, (std::vector<int>{67, 65}));
  EXPECT_EQ(box->SelectedText(), Gbk("复制这段文字"));

  SetClipboard("新");
  EXPECT_TRUE(RightClickMenu(60, 30, [&](winsys::WindowId menu) { headless_->Click(menu, 40, CommandRow(5)); }));
  EXPECT_EQ(box->text(), Gbk("新"));
  EXPECT_TRUE(RightClickMenu(60, 30, [&](winsys::WindowId menu) { headless_->Click(menu, 40, CommandRow(1)); }));
  EXPECT_EQ(box->text(), Gbk("复制这段文字"));  // "撤销(&U)" took the paste back
  EXPECT_EQ(box->SelectedText(), Gbk("复制这段文字"));

  // A disabled item (cut, with nothing selected) cannot be chosen.
  box->Select({1, 0}, {1, 0});
  EXPECT_TRUE(RightClickMenu(60, 30, [&](winsys::WindowId menu) {
    headless_->Click(menu, 40, CommandRow(3));
    Escape();
  }));
  EXPECT_EQ(box->commands, (std::vector<int>{67, 65, 86, 90}));
  EXPECT_EQ(box->text(), Gbk("复制这段文字"));
  box->Destroy();
}

}  // namespace
}  // namespace controls_test
