// The popup menu on the headless window system: each showing runs its own
// message loop, which the tests drive from the system's idle handler — one
// scripted step each time the loop would wait.
#include <functional>
#include <memory>

#include "razezazo/popups/edit_context_menu.h"
#include "razezazo/popups/menu_chain.h"
#include "razezazo/popups/menu_item_element.h"
#include "razezazo/popups/popup_menu.h"
#include "tests/ui/controls/controls_fixture.h"
#include "tests/ui/test_control.h"

namespace razezazo {
namespace {

using runtime::Gbk;
using Step = std::function<void()>;

constexpr int kCommand = winsys::WM_COMMAND;

class PopupMenuTest : public controls_test::HostFixture {
 protected:
  // Shows `menu` (popup form at the pointer) and runs `steps`, one whenever
  // the menu's loop waits. The window of the menu that opened last is `menu_`.
  void ShowScripted(PopupMenu& menu, std::vector<Step> steps, int x = 0, int y = 0) {
    size_t next = 0;
    headless_->SetIdleHandler([&] {
      if (next == steps.size()) return false;
      steps[next++]();
      return true;
    });
    menu.Show(window_, x, y);
    headless_->SetIdleHandler(nullptr);
    EXPECT_EQ(next, steps.size()) << "the menu closed before its script ended";
  }

  // Records the window of every showing of `menu`.
  void Watch(PopupMenu& menu) {
    menu.SetOpenedHandler([this](winsys::WindowId window, bool) {
      opened_.push_back(window);
      menu_ = window;
    });
  }

  Step MoveTo(int item_x, int item_y) {
    return [=, this] { headless_->MoveMouse(menu_, item_x, item_y); };
  }
  Step ClickAt(int item_x, int item_y) {
    return [=, this] { headless_->Click(menu_, item_x, item_y); };
  }
  Step Wait(std::uint32_t ms) {
    return [=, this] { headless_->Sleep(ms); };
  }
  Step Press(unsigned key) {
    return [=, this] { headless_->KeyPress(key); };
  }
  Step Check(std::function<void()> check) { return check; }

  // The y of the n-th (0-based) of consecutive command items, mid-row.
  static int Row(int n) { return 8 + 22 * n + 11; }

  std::unique_ptr<testing_support::TestControl> AddTarget(FloatRect bounds) {
    auto control = std::make_unique<testing_support::TestControl>();
    control->watched = {kCommand, event::kFocusGained};
    EXPECT_TRUE(control->Create(window_, bounds, kKindEditBox));
    headless_->RunPending();
    return control;
  }

  winsys::WindowId menu_ = 0;
  std::vector<winsys::WindowId> opened_;
};

void AddThreeCommands(PopupMenu& menu) {
  menu.AddItem(Gbk("打开(&O)"), {.id = 101});
  menu.AddItem(Gbk("保存(&S)"), {.id = 102});
  menu.AddItem({}, {.kind = kMenuSeparator});
  menu.AddItem(Gbk("退出(&X)"), {.id = 103});
}

TEST_F(PopupMenuTest, OpensAtThePointerAndFlipsAtTheWorkAreaEdges) {
  PopupMenu menu;
  AddThreeCommands(menu);
  Watch(menu);
  const int height = 16 + 3 * 22 + 3;
  struct Case {
    int x, y;
    bool left, above;
  } cases[] = {{200, 200, false, false}, {1000, 200, true, false}, {200, 760, false, true}, {1010, 750, true, true}};
  for (const Case& c : cases) {
    headless_->MoveMouseToScreen(c.x, c.y);
    gfx::RectI rect;
    ShowScripted(menu, {Check([&] { rect = headless_->WindowRect(menu_); }), Press(winsys::VK_ESCAPE)});
    EXPECT_EQ(rect.height, height);
    EXPECT_EQ(rect.x, c.left ? c.x - rect.width : c.x) << c.x << "," << c.y;
    EXPECT_EQ(rect.y, c.above ? c.y - height + 5 : c.y) << c.x << "," << c.y;
    EXPECT_FALSE(headless_->IsWindow(menu_));
  }
  // A place given by the caller is used as it is.
  gfx::RectI given;
  ShowScripted(menu, {Check([&] { given = headless_->WindowRect(menu_); }), Press(winsys::VK_ESCAPE)}, 300, 40);
  EXPECT_EQ(given.x, 300);
  EXPECT_EQ(given.y, 40);
}

TEST_F(PopupMenuTest, TheWindowIsAFrameworkMenuWindowWithTheChainProperties) {
  PopupMenu menu;
  AddThreeCommands(menu);
  Watch(menu);
  ShowScripted(menu, {Check([&] {
                        EXPECT_EQ(headless_->WindowText(menu_), kMenuWindowText);
                        EXPECT_EQ(headless_->Owner(menu_), window_);
                        EXPECT_EQ(headless_->ExStyle(menu_) & 0x88u, 0x88u);
                        EXPECT_EQ(headless_->GetProp(menu_, property::kFlags), 1);
                        EXPECT_EQ(static_cast<winsys::WindowId>(headless_->GetProp(menu_, property::kHost)), menu_);
                        EXPECT_EQ(headless_->ActiveWindow(), menu_);
                      }),
                      Press(winsys::VK_ESCAPE)});
}

TEST_F(PopupMenuTest, WidthsBelowFiftyBecomeFiftyAndZeroFitsTheTexts) {
  PopupMenu menu;
  menu.AddItem(Gbk("短"), {.id = 1});
  Watch(menu);
  auto width_shown = [&] {
    int width = 0;
    ShowScripted(menu, {Check([&] { width = headless_->WindowRect(menu_).width; }), Press(winsys::VK_ESCAPE)});
    return width;
  };
  menu.SetWidth(20);
  EXPECT_EQ(width_shown(), 50);
  menu.SetWidth(120);
  EXPECT_EQ(width_shown(), 120);
  menu.SetWidth(0);
  const int fitted = width_shown();
  EXPECT_GT(fitted, 50);  // text width + 50
  EXPECT_LT(fitted, 80);
  menu.AddItem(Gbk("一个长得多的菜单项文字"), {.id = 2});
  const int wider = width_shown();
  EXPECT_GT(wider, fitted + 60);
  PopupMenu sub;
  menu.AddItem(Gbk("更多"), {.kind = kMenuSubMenu, .sub_menu = sub.identity()});
  EXPECT_EQ(width_shown(), wider + 15);
}

TEST_F(PopupMenuTest, HiddenItemsTakeNoRoomAndGetNoElement) {
  PopupMenu menu;
  AddThreeCommands(menu);
  menu.ItemState(2, kMenuItemHidden);
  Watch(menu);
  int height = 0;
  winsys::LResult chosen = 0;
  host_->hooks().message = [&](winsys::WindowId, unsigned message, winsys::WParam wparam, winsys::LParam) {
    if (message == winsys::WM_COMMAND) chosen = static_cast<winsys::LResult>(wparam);
    return winsys::LResult{-1};
  };
  // No row for the hidden item: "打开", the separator, then "退出".
  ShowScripted(menu, {Check([&] { height = headless_->WindowRect(menu_).height; }), ClickAt(40, 8 + 22 + 1 + 11 + 3)});
  EXPECT_EQ(height, 16 + 2 * 22 + 3);
  EXPECT_EQ(chosen, 103);
}

TEST_F(PopupMenuTest, ChoosingSendsTheCommandToTheControlThatWasUnderThePointer) {
  auto target = AddTarget({40, 40, 120, 30});
  auto other = AddTarget({40, 100, 120, 30});
  headless_->MoveMouse(window_, 60, 50);
  PopupMenu menu;
  AddThreeCommands(menu);
  Watch(menu);
  ShowScripted(menu, {ClickAt(40, Row(1))});
  EXPECT_FALSE(headless_->IsWindow(menu_));
  EXPECT_EQ(target->Take(), (std::vector<std::string>{"10240:0:0", "273:102:" + std::to_string(target->self())}));
  EXPECT_TRUE(other->Take().empty());
  EXPECT_EQ(headless_->ActiveWindow(), window_);
}

TEST_F(PopupMenuTest, AnItemWithAHandlerCallsItInsteadOfSending) {
  auto target = AddTarget({40, 40, 120, 30});
  headless_->MoveMouse(window_, 60, 50);
  int calls = 0;
  PopupMenu menu;
  menu.AddItem(Gbk("运行"), {.send_command = false, .handler = [&] { ++calls; }});
  Watch(menu);
  ShowScripted(menu, {ClickAt(40, Row(0))});
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(target->Take(), (std::vector<std::string>{"10240:0:0"}));
}

// Access keys match the typed letter, with or without Alt; keys that type
// nothing never choose, although F1 (0x70), F5 (0x74) and the keypad's 1
// (0x61) have the codes of 'p', 't' and 'a'.
TEST_F(PopupMenuTest, AccessKeysChooseTheirItems) {
  auto target = AddTarget({40, 40, 120, 30});
  headless_->MoveMouse(window_, 60, 50);
  PopupMenu& menu = EditContextMenu();
  constexpr unsigned kF1 = 0x70, kF5 = 0x74, kKeypad1 = 0x61;
  ShowScripted(menu, {Press(kF1), Press(kF5), Press(kKeypad1), Press('C')});
  const std::string copy = "273:67:" + std::to_string(target->self());
  EXPECT_EQ(target->Take(), (std::vector<std::string>{"10240:0:0", copy}));
  ShowScripted(menu, {[this] {
                 headless_->KeyDown(winsys::VK_MENU);
                 headless_->KeyPress('C');
                 headless_->KeyUp(winsys::VK_MENU);
               }});
  EXPECT_EQ(target->Take(), (std::vector<std::string>{copy}));  // it has the focus already
}

TEST_F(PopupMenuTest, ADisabledItemShowsButCannotBeChosen) {
  auto target = AddTarget({40, 40, 120, 30});
  headless_->MoveMouse(window_, 60, 50);
  PopupMenu menu;
  AddThreeCommands(menu);
  menu.ItemState(2, kMenuItemDisabled);
  Watch(menu);
  bool drawn = false, still_open = false;
  ShowScripted(menu, {ClickAt(40, Row(1)), Press('S'), Wait(600), Check([&] {
                        still_open = headless_->IsWindow(menu_);
                        // Its text is there, lighter than an enabled item's.
                        gfx::Bitmap shot = headless_->ScreenPixels(menu_);
                        auto darkest = [&](int row) {
                          unsigned least = 255;
                          for (int y = row - 8; y < row + 8; ++y)
                            for (int x = 38; x < shot.Width() - 16; ++x)
                              least = std::min(least, controls_test::R(shot.GetPixel(x, y)));
                          return least;
                        };
                        drawn = darkest(Row(1)) < 230 && darkest(Row(1)) > darkest(Row(0)) + 40;
                      }),
                      Press(winsys::VK_ESCAPE)});
  EXPECT_TRUE(still_open);
  EXPECT_TRUE(drawn);
  EXPECT_EQ(target->Take(), (std::vector<std::string>{"10240:0:0"}));
}

TEST_F(PopupMenuTest, EscapeAClickOutsideAndAnotherWindowsActivationCloseTheMenu) {
  PopupMenu menu;
  AddThreeCommands(menu);
  Watch(menu);
  headless_->MoveMouse(window_, 200, 200);
  ShowScripted(menu, {Press(winsys::VK_ESCAPE)});
  EXPECT_FALSE(headless_->IsWindow(menu_));
  ShowScripted(menu, {[this] { headless_->Click(window_, 20, 300); }});
  EXPECT_FALSE(headless_->IsWindow(menu_));
  ShowScripted(menu, {[this] { headless_->SetForeground(window_); }});
  EXPECT_FALSE(headless_->IsWindow(menu_));
  EXPECT_EQ(opened_.size(), 3u);
}

// --- sub-menus ------------------------------------------------------------------------

class SubMenuTest : public PopupMenuTest {
 protected:
  SubMenuTest() {
    sub_.AddItem(Gbk("子项一"), {.id = 201});
    sub_.AddItem(Gbk("子项二"), {.id = 202});
    root_.AddItem(Gbk("命令"), {.id = 101});
    root_.AddItem(Gbk("更多"), {.kind = kMenuSubMenu, .sub_menu = sub_.identity()});
    root_.AddItem(Gbk("另一个"), {.id = 103});
    Watch(root_);
    sub_.SetOpenedHandler([this](winsys::WindowId window, bool popup) {
      EXPECT_FALSE(popup);
      sub_window_ = window;
    });
  }
  winsys::WindowId OpenSub() const { return OpenSubMenuWindow(menu_); }

  PopupMenu root_, sub_;
  winsys::WindowId sub_window_ = 0;
};

TEST_F(SubMenuTest, HoverOpensTheSubMenuAfter500MsAndAnotherItemClosesIt) {
  headless_->MoveMouse(window_, 100, 100);
  winsys::WindowId early = 1, opened = 0, after_leaving = 1;
  gfx::RectI root_rect, sub_rect;
  ShowScripted(root_, {MoveTo(40, Row(1)), Wait(499), Check([&] { early = OpenSub(); }), Wait(2), Check([&] {
                         opened = OpenSub();
                         root_rect = headless_->WindowRect(menu_);
                         sub_rect = headless_->WindowRect(opened);
                       }),
                       MoveTo(40, Row(2)), Wait(499), Check([&] { EXPECT_NE(OpenSub(), 0u) << "closed too early"; }),
                       Wait(2), Check([&] { after_leaving = OpenSub(); }), Press(winsys::VK_ESCAPE)});
  EXPECT_EQ(early, 0u);
  ASSERT_NE(opened, 0u);
  EXPECT_EQ(opened, sub_window_);
  EXPECT_FALSE(headless_->IsWindow(sub_window_));  // gone with its chain
  EXPECT_EQ(after_leaving, 0u);
  EXPECT_GT(sub_rect.x, root_rect.x + root_rect.width / 2);  // to the right
  EXPECT_EQ(sub_rect.y, root_rect.y + 8 + 22 - 8);
}

// Hovering a second sub-menu item: its delay closes the first sub-menu, and
// its own sub-menu follows 300 ms later.
TEST_F(SubMenuTest, AnotherSubMenuItemOpensItsOwn300MsAfterClosingTheFirst) {
  PopupMenu second;
  second.AddItem(Gbk("第二层"), {.id = 301});
  winsys::WindowId second_window = 0;
  second.SetOpenedHandler([&](winsys::WindowId window, bool) { second_window = window; });
  root_.AddItem(Gbk("还有"), {.kind = kMenuSubMenu, .sub_menu = second.identity()});
  headless_->MoveMouse(window_, 100, 100);
  winsys::WindowId open_at_500 = 1, open_at_799 = 1;
  ShowScripted(root_,
               {MoveTo(40, Row(1)), Wait(501), MoveTo(40, Row(3)), Wait(501), Check([&] { open_at_500 = OpenSub(); }),
                Wait(298), Check([&] { open_at_799 = OpenSub(); }), Wait(3), Check([&] {
                  EXPECT_NE(second_window, 0u);
                  EXPECT_EQ(OpenSub(), second_window);
                }),
                Press(winsys::VK_ESCAPE)});
  EXPECT_EQ(open_at_500, 0u);
  EXPECT_EQ(open_at_799, 0u);
  EXPECT_FALSE(headless_->IsWindow(second_window));
}

TEST_F(SubMenuTest, PassingOverAnotherItemOnTheWayKeepsTheSubMenu) {
  headless_->MoveMouse(window_, 100, 100);
  bool kept = false;
  ShowScripted(root_, {MoveTo(40, Row(1)), Wait(501), MoveTo(40, Row(2)), Wait(100),
                       [this] {
                         const gfx::RectI sub = headless_->WindowRect(sub_window_);
                         headless_->MoveMouseToScreen(sub.x + 30, sub.y + Row(0));
                       },
                       Wait(500), Check([&] { kept = OpenSub() == sub_window_; }), Press(winsys::VK_ESCAPE)});
  // The other item's delay ran out while the pointer was over the sub-menu.
  EXPECT_TRUE(kept);
}

TEST_F(SubMenuTest, AClickOpensAtOnceAndChoosingInTheSubMenuClosesTheChain) {
  auto target = AddTarget({40, 40, 120, 30});
  headless_->MoveMouse(window_, 60, 50);
  winsys::WindowId sub = 0;
  ShowScripted(root_, {ClickAt(40, Row(1)), Check([&] { sub = OpenSub(); }), [this] {
                         const gfx::RectI rect = headless_->WindowRect(sub_window_);
                         headless_->MoveMouseToScreen(rect.x + 30, rect.y + Row(1));
                         headless_->PressLeft();
                         headless_->ReleaseLeft();
                       }});
  EXPECT_NE(sub, 0u);
  EXPECT_FALSE(headless_->IsWindow(menu_));
  EXPECT_FALSE(headless_->IsWindow(sub_window_));
  EXPECT_EQ(target->Take(), (std::vector<std::string>{"10240:0:0", "273:202:" + std::to_string(target->self())}));
}

// As in GTK: Escape (or Left) closes one level, a click outside the chain all of it.
TEST_F(SubMenuTest, EscapeClosesOneLevelAndAClickOutsideTheWholeChain) {
  headless_->MoveMouse(window_, 100, 100);
  bool sub_open_after_escape = true, root_open_after_escape = false;
  ShowScripted(root_, {ClickAt(40, Row(1)), Press(winsys::VK_ESCAPE), Check([&] {
                         sub_open_after_escape = headless_->IsWindow(sub_window_);
                         root_open_after_escape = headless_->IsWindow(menu_);
                       }),
                       Press(winsys::VK_ESCAPE)});
  EXPECT_FALSE(sub_open_after_escape);
  EXPECT_TRUE(root_open_after_escape);
  EXPECT_FALSE(headless_->IsWindow(menu_));
  // From the keyboard alone: Down lights the sub-menu's item, Right opens it,
  // Left closes it again.
  ShowScripted(root_,
               {Press(winsys::VK_DOWN), Press(winsys::VK_DOWN), Press(winsys::VK_RIGHT),
                Check([&] { sub_open_after_escape = headless_->IsWindow(sub_window_); }), Press(winsys::VK_LEFT),
                Check([&] { root_open_after_escape = !headless_->IsWindow(sub_window_); }), Press(winsys::VK_ESCAPE)});
  EXPECT_TRUE(sub_open_after_escape);
  EXPECT_TRUE(root_open_after_escape);
  EXPECT_FALSE(headless_->IsWindow(menu_));
  ShowScripted(root_, {ClickAt(40, Row(1)), [this] { headless_->Click(window_, 20, 300); }});
  EXPECT_FALSE(headless_->IsWindow(menu_));
  EXPECT_FALSE(headless_->IsWindow(sub_window_));
}

TEST_F(SubMenuTest, NearTheRightEdgeTheSubMenuOpensToTheLeft) {
  headless_->MoveMouseToScreen(1024 - 110, 100);
  gfx::RectI root_rect, sub_rect;
  ShowScripted(root_, {ClickAt(40, Row(1)), Wait(150), Check([&] {
                         root_rect = headless_->WindowRect(menu_);
                         sub_rect = headless_->WindowRect(sub_window_);
                       }),
                       Press(winsys::VK_ESCAPE)});
  EXPECT_LT(sub_rect.x + sub_rect.width, root_rect.x + 20);
}

// --- drawing, items, lifetime -----------------------------------------------------------

TEST_F(PopupMenuTest, TheDefaultLookAndAPainterOfOwnDraw) {
  PopupMenu menu;
  AddThreeCommands(menu);
  Watch(menu);
  gfx::Bitmap shot;
  headless_->MoveMouseToScreen(300, 300);
  ShowScripted(menu, {Check([&] { shot = headless_->ScreenPixels(menu_); }), Press(winsys::VK_ESCAPE)});
  using controls_test::A;
  using controls_test::B;
  using controls_test::R;
  const int h = shot.Height();
  EXPECT_EQ(A(shot.GetPixel(0, 0)), 0u);                   // outside the panel
  EXPECT_GT(R(shot.GetPixel(shot.Width() / 2, 7)), 240u);  // the white panel
  const gfx::Argb strip = shot.GetPixel(20, h - 12);       // the icon strip 0xECE4D1
  EXPECT_LT(R(strip), 215u);
  EXPECT_GT(B(strip), 225u);
  menu.SetBackgroundPainter([](gfx::Graphics& g, int, int) { g.Clear(0xFFCC0000); });
  ShowScripted(menu, {Check([&] { shot = headless_->ScreenPixels(menu_); }), Press(winsys::VK_ESCAPE)});
  EXPECT_EQ(shot.GetPixel(2, 2), 0xFFCC0000u);
}

TEST_F(PopupMenuTest, TheHoveredItemIsLitInItsHoverColour) {
  PopupMenu menu;
  AddThreeCommands(menu);
  Watch(menu);
  gfx::Argb lit = 0, plain = 0;
  headless_->MoveMouseToScreen(300, 300);
  ShowScripted(menu, {MoveTo(40, Row(0)), Check([&] {
                        gfx::Bitmap shot = headless_->ScreenPixels(menu_);
                        lit = shot.GetPixel(20, Row(0));
                        plain = shot.GetPixel(20, Row(1));
                      }),
                      Press(winsys::VK_ESCAPE)});
  // 0xE63086C6 over the panel: blue-ish, far from the strip's pale colour.
  EXPECT_GT(controls_test::B(lit), controls_test::R(lit) + 80);
  EXPECT_LT(controls_test::R(plain) + 0u, 240u);
  EXPECT_GT(controls_test::R(plain), 200u);
}

// The fitted width leaves the whole text room: its last letters are drawn.
TEST_F(PopupMenuTest, AFittedMenuShowsItsWholeTexts) {
  PopupMenu menu;
  menu.AddItem(Gbk("MMMMMMMMMMMM"), {.id = 1});
  PopupMenu sub;
  menu.AddItem(Gbk("WWWWWWWWWWWWWW"), {.kind = kMenuSubMenu, .sub_menu = sub.identity()});
  Watch(menu);
  gfx::Bitmap shot;
  headless_->MoveMouseToScreen(300, 300);
  ShowScripted(menu, {Check([&] { shot = headless_->ScreenPixels(menu_); }), Press(winsys::VK_ESCAPE)});
  auto ink_in = [&](int row, int from_x, int to_x) {
    for (int y = Row(row) - 6; y < Row(row) + 6; ++y)
      for (int x = from_x; x < to_x; ++x)
        if (controls_test::R(shot.GetPixel(x, y)) < 100) return true;
    return false;
  };
  const int w = shot.Width();
  EXPECT_TRUE(ink_in(1, w - 40, w - 24));  // the end of the longest text, left of the arrow
  EXPECT_TRUE(ink_in(1, w - 20, w - 16));  // the arrow
}

TEST_F(PopupMenuTest, ItemOperations) {
  PopupMenu menu;
  AddThreeCommands(menu);
  EXPECT_EQ(menu.item_count(), 4);
  EXPECT_FALSE(menu.ValidIndex(0));
  EXPECT_TRUE(menu.ValidIndex(4));
  EXPECT_FALSE(menu.ValidIndex(5));
  EXPECT_FALSE(menu.RemoveItem(5));
  EXPECT_EQ(menu.ItemText(1), Gbk("打开(&O)"));
  EXPECT_EQ(menu.ItemText(2, Gbk("另存为(&A)")), Gbk("另存为(&A)"));
  EXPECT_EQ(menu.ItemWideText(2), u"另存为(&A)");
  EXPECT_EQ(menu.ItemState(1), kMenuItemEnabled);
  EXPECT_EQ(menu.ItemState(1, kMenuItemDisabled), kMenuItemDisabled);
  EXPECT_EQ(menu.ItemState(9, MenuItemState{1}), kMenuItemEnabled);
  EXPECT_EQ(menu.ItemIcon(1, std::vector<std::uint8_t>{1, 2}), (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(menu.items()[0].text_colour, 0xD2000000u);
  EXPECT_EQ(menu.items()[0].hover_colour, 0xE63086C6u);
  EXPECT_TRUE(menu.RemoveItem(1));
  EXPECT_EQ(menu.ItemText(1), Gbk("另存为(&A)"));
  menu.RemoveAllItems();
  EXPECT_EQ(menu.item_count(), 0);
}

TEST_F(PopupMenuTest, TheEditContextMenuHoldsTheEditCommands) {
  const PopupMenu& menu = EditContextMenu();
  ASSERT_EQ(menu.item_count(), 7);
  const char* texts[] = {"撤销(&U)", "", "剪切(&T)", "复制(&C)", "粘贴(&P)", "", "全部选择(&A)"};
  const int ids[] = {90, 0, 88, 67, 86, 0, 65};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(runtime::Utf16ToGbk(menu.items()[i].text), Gbk(texts[i]));
    EXPECT_EQ(menu.items()[i].id, ids[i]);
    EXPECT_EQ(menu.items()[i].kind, i == 1 || i == 5 ? kMenuSeparator : kMenuCommand);
  }
}

TEST_F(PopupMenuTest, AHandlerMayDeleteTheMenuThatIsShowing) {
  auto menu = std::make_unique<PopupMenu>();
  PopupMenu sub;
  sub.AddItem(Gbk("删除菜单"), {.send_command = false, .handler = [&] { menu.reset(); }});
  menu->AddItem(Gbk("更多"), {.kind = kMenuSubMenu, .sub_menu = sub.identity()});
  Watch(*menu);
  winsys::WindowId sub_window = 0;
  sub.SetOpenedHandler([&](winsys::WindowId window, bool) { sub_window = window; });
  headless_->MoveMouse(window_, 100, 100);
  PopupMenu* shown = menu.get();
  ShowScripted(*shown, {ClickAt(40, Row(0)), [&] {
                          const gfx::RectI rect = headless_->WindowRect(sub_window);
                          headless_->MoveMouseToScreen(rect.x + 30, rect.y + Row(0));
                          headless_->PressLeft();
                          headless_->ReleaseLeft();
                        }});
  EXPECT_EQ(menu, nullptr);
  EXPECT_FALSE(headless_->IsWindow(menu_));
}

TEST_F(PopupMenuTest, QuittingWhileTheMenuIsOpenEndsItAndTheOuterLoop) {
  PopupMenu menu;
  AddThreeCommands(menu);
  Watch(menu);
  ShowScripted(menu, {[this] { headless_->PostQuitMessage(3); }});
  EXPECT_FALSE(headless_->IsWindow(menu_));
  EXPECT_EQ(headless_->PendingQuit(), std::optional<int>(3));
}

}  // namespace
}  // namespace razezazo
