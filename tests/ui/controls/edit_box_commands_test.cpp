// The edit commands (select all, copy, cut, paste) through the Ctrl keys and
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
    for (int i = 1; i <= 5; ++i) EditContextMenu().ItemState(i, states_before_[static_cast<size_t>(i - 1)]);
    EditBoxInputFixture::TearDown();
  }

  // Right-clicks at the host-window point and runs `step` once the menu is
  // open (its window given); answers whether a menu opened.
  bool RightClickMenu(int x, int y, const std::function<void(winsys::WindowId)>& step) {
    winsys::WindowId opened = 0;
    EditContextMenu().SetOpenedHandler([&](winsys::WindowId menu, bool) { opened = menu; });
    bool stepped = false;
    system_->SetIdleHandler([&] {
      if (stepped || !opened) return false;
      stepped = true;
      step(opened);
      return true;
    });
    system_->PressRight(window_, x, y);
    system_->ReleaseRight(window_, x, y);
    system_->SetIdleHandler(nullptr);
    if (opened) {
      EXPECT_FALSE(system_->IsWindow(opened)) << "the menu is still open";
    }
    return opened != 0;
  }

  void Escape() { system_->KeyPress(winsys::VK_ESCAPE); }
  std::vector<int> States() {
    std::vector<int> states;
    for (int i = 1; i <= 5; ++i) states.push_back(EditContextMenu().ItemState(i));
    return states;
  }

  // Rows of the edit menu: three commands, a separator, select all.
  static int CommandRow(int index) { return 8 + 22 * (index - 1) + 11 + (index > 3 ? 3 - 22 : 0); }

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

TEST_F(EditBoxCommandsTest, APasswordIsNeverCopiedAndCtrlDoesNothing) {
  auto box = FocusedBox("secret", {.input_mode = InputMode::kPassword});
  SetClipboard("pasted");
  for (unsigned key : {'A', 'C', 'X', 'V', 'Z'}) EXPECT_EQ(box->KeyDown(key, true, false), 0) << key;
  EXPECT_EQ(box->text(), "secret");
  EXPECT_EQ(box->anchor(), box->caret());
  EXPECT_EQ(Clipboard(), "pasted");
  EXPECT_FALSE(RightClickMenu(30, 30, [&](winsys::WindowId) { Escape(); }));  // and no context menu
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
      {InputMode::kNormal, "some text", false, "clip", {kOff, kOff, kOn, 0, kOffered}},
      {InputMode::kNormal, "some text", true, "clip", {kOn, kOn, kOn, 0, kOffered}},
      {InputMode::kNormal, "", false, "", {kOff, kOff, kOff, 0, kOff}},
      // Text is offered, although none of it fits GBK: the menu never waits to read it.
      {InputMode::kNormal, "some text", true, "😀", {kOn, kOn, kOn, 0, kOffered}},
      {InputMode::kReadOnly, "some text", true, "clip", {kOff, kOn, kOff, 0, kOffered}},
      {InputMode::kInteger, "12", true, "clip", {kOn, kOn, kOn, 0, kOffered}},
  };
  for (const Case& c : cases) {
    box->SetInputMode(c.mode);
    box->SetText(c.text);
    if (c.select) box->Select({1, 0}, {1, 2});
    SetClipboard(c.clipboard);
    EXPECT_TRUE(RightClickMenu(30, 30, [&](winsys::WindowId) { Escape(); }));
    EXPECT_EQ(States(), c.states) << static_cast<int>(c.mode) << " '" << c.text << "' " << c.select;
  }
}

TEST_F(EditBoxCommandsTest, TheMenuOpensAtThePointerAndItsChoiceComesBackAsTheCommand) {
  auto box = std::make_unique<CommandRecordingBox>();
  ASSERT_TRUE(box->Create(window_, {20, 20, 240, 24}, Gbk("复制这段文字")));
  system_->RunPending();
  box->Select({1, 0}, {1, 2});
  gfx::RectI menu_rect;
  EXPECT_TRUE(RightClickMenu(60, 30, [&](winsys::WindowId menu) {
    menu_rect = system_->WindowRect(menu);
    system_->Click(menu, 40, CommandRow(2));  // "复制(&C)"
  }));
  const gfx::RectI window = system_->WindowRect(window_);
  EXPECT_EQ(menu_rect.x, window.x + 60);
  EXPECT_EQ(menu_rect.y, window.y + 30);
  EXPECT_EQ(box->commands, std::vector<int>{67});
  EXPECT_EQ(Clipboard(), "复制");
  EXPECT_EQ(host_->focused(), box.get());  // the box under the pointer took the focus

  EXPECT_TRUE(RightClickMenu(60, 30, [&](winsys::WindowId menu) { system_->Click(menu, 40, CommandRow(5)); }));
  EXPECT_EQ(box->commands, (std::vector<int>{67, 65}));
  EXPECT_EQ(box->SelectedText(), Gbk("复制这段文字"));

  SetClipboard("新");
  EXPECT_TRUE(RightClickMenu(60, 30, [&](winsys::WindowId menu) { system_->Click(menu, 40, CommandRow(3)); }));
  EXPECT_EQ(box->text(), Gbk("新"));

  // A disabled item (cut, with nothing selected) cannot be chosen.
  EXPECT_TRUE(RightClickMenu(60, 30, [&](winsys::WindowId menu) {
    system_->Click(menu, 40, CommandRow(1));
    Escape();
  }));
  EXPECT_EQ(box->commands, (std::vector<int>{67, 65, 86}));
  EXPECT_EQ(box->text(), Gbk("新"));
  box->Destroy();
}

}  // namespace
}  // namespace controls_test
