// Injected input: routing, packing, double clicks, leave tracking, keys, IME.
#include "headless_fixture.h"

namespace winsys::testing {
namespace {

class InputTest : public HeadlessTest {
 protected:
  void SetUp() override {
    main = Make({100, 100, 200, 150});
    sys.RunPending();
    log.clear();
  }
  std::vector<unsigned> Mouse(WindowId w) {
    return Numbers(w, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP});
  }
  WindowId main = 0;
};

TEST_F(InputTest, ClickArrivesWithClientCoordinatesAndKeyState) {
  sys.Click(main, 30, 40);
  const auto moves = Of(main, {WM_MOUSEMOVE});
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(PointX(moves[0].lparam), 30);
  EXPECT_EQ(PointY(moves[0].lparam), 40);
  const auto down = Of(main, {WM_LBUTTONDOWN});
  const auto up = Of(main, {WM_LBUTTONUP});
  ASSERT_EQ(down.size(), 1u);
  ASSERT_EQ(up.size(), 1u);
  EXPECT_EQ(down[0].wparam, MK_LBUTTON);
  EXPECT_EQ(up[0].wparam, 0u);
  EXPECT_EQ(sys.CursorPos().x, 130);
  EXPECT_EQ(sys.CursorPos().y, 140);
}

TEST_F(InputTest, SetCursorIsSentBeforeMouseMessagesWithoutCapture) {
  sys.MoveMouse(main, 5, 5);
  const auto both = Of(main, {WM_SETCURSOR, WM_MOUSEMOVE});
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0].message, WM_SETCURSOR);
  EXPECT_EQ(static_cast<WindowId>(both[0].wparam), main);
  EXPECT_EQ(LowWord(static_cast<std::uintptr_t>(both[0].lparam)), static_cast<unsigned>(HTCLIENT));
  EXPECT_EQ(HighWord(static_cast<std::uintptr_t>(both[0].lparam)), WM_MOUSEMOVE);
  sys.SetCursor(Cursor::IBeam);
  EXPECT_EQ(sys.CurrentCursor(), Cursor::IBeam);
}

TEST_F(InputTest, DoubleClickIsDownUpDblclkUp) {
  sys.DoubleClick(main, 10, 10);
  EXPECT_EQ(Mouse(main), (std::vector<unsigned>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
}

TEST_F(InputTest, TwoClicksMakeADoubleClickOnlyWhenCloseInTimeAndPlace) {
  sys.Click(main, 10, 10);
  sys.Advance(600);
  sys.Click(main, 10, 10);  // too late
  sys.Advance(100);
  sys.Click(main, 30, 10);  // too far
  sys.Advance(100);
  sys.Click(main, 31, 11);  // close enough
  sys.Click(main, 31, 11);  // a third press is a plain press again
  EXPECT_EQ(Numbers(main, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
            (std::vector<unsigned>{WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
}

TEST_F(InputTest, CaptureGetsTheMouseOutsideItsWindow) {
  const WindowId other = Make({400, 100, 100, 100});
  sys.RunPending();
  log.clear();
  sys.PressLeft(main, 10, 10);
  sys.SetCapture(main);
  sys.MoveMouse(other, 20, 20);
  sys.ReleaseLeft();
  EXPECT_TRUE(Of(other, {WM_MOUSEMOVE, WM_LBUTTONUP}).empty());
  const auto up = Of(main, {WM_LBUTTONUP});
  ASSERT_EQ(up.size(), 1u);
  EXPECT_EQ(PointX(up[0].lparam), 320) << "client coordinates of the capture window, outside it";
  EXPECT_EQ(PointY(up[0].lparam), 20);
  EXPECT_EQ(Of(main, {WM_SETCURSOR}).size(), 2u) << "for the move and the press; none while captured";
  sys.ReleaseCapture();
  sys.MoveMouse(other, 21, 20);
  EXPECT_EQ(Of(other, {WM_MOUSEMOVE}).size(), 1u);
}

TEST_F(InputTest, NegativeClientCoordinatesStaySigned) {
  sys.PressLeft(main, 10, 10);
  sys.SetCapture(main);
  sys.MoveMouseToScreen(20, 30);
  const auto move = Of(main, {WM_MOUSEMOVE}).back();
  EXPECT_EQ(PointX(move.lparam), -80);
  EXPECT_EQ(PointY(move.lparam), -70);
}

TEST_F(InputTest, MouseLeaveOnceWhenTheTrackedWindowLosesThePointer) {
  sys.MoveMouse(main, 10, 10);
  sys.TrackMouseLeave(main);
  sys.MoveMouse(main, 20, 10);
  EXPECT_TRUE(Of(main, {WM_MOUSELEAVE}).empty());
  sys.MoveMouseToScreen(0, 0);
  sys.MoveMouseToScreen(1, 1);
  EXPECT_EQ(Of(main, {WM_MOUSELEAVE}).size(), 1u);
  // Tracking a window the pointer is not over reports the leave at once.
  sys.TrackMouseLeave(main);
  sys.RunPending();
  EXPECT_EQ(Of(main, {WM_MOUSELEAVE}).size(), 2u);
}

TEST_F(InputTest, NoMouseLeaveWhileCapturedButOnRelease) {
  sys.PressLeft(main, 10, 10);
  sys.TrackMouseLeave(main);
  sys.SetCapture(main);
  sys.MoveMouseToScreen(0, 0);
  EXPECT_TRUE(Of(main, {WM_MOUSELEAVE}).empty());
  sys.ReleaseLeft();
  sys.ReleaseCapture();
  sys.RunPending();
  EXPECT_EQ(Of(main, {WM_MOUSELEAVE}).size(), 1u);
}

TEST_F(InputTest, PressActivatesTheWindowUnderThePointer) {
  const WindowId other = Make({400, 100, 100, 100});
  const WindowId passive = Make({600, 100, 50, 50}, WS_POPUP | WS_VISIBLE, WS_EX_NOACTIVATE);
  sys.SetForeground(main);
  log.clear();
  sys.Click(other, 5, 5);
  EXPECT_EQ(sys.ActiveWindow(), other);
  ASSERT_EQ(Of(other, {WM_ACTIVATE}).size(), 1u);
  EXPECT_EQ(Of(other, {WM_ACTIVATE})[0].wparam, WA_CLICKACTIVE);
  const auto sequence = Numbers(other, {WM_ACTIVATE, WM_LBUTTONDOWN});
  EXPECT_EQ(sequence.front(), WM_ACTIVATE);
  sys.Click(passive, 5, 5);
  EXPECT_EQ(sys.ActiveWindow(), other);
  EXPECT_EQ(Of(passive, {WM_LBUTTONDOWN}).size(), 1u);
}

TEST_F(InputTest, WheelGoesToTheFocusWindowWithScreenCoordinates) {
  sys.MoveMouse(main, 10, 20);
  sys.KeyDown(VK_SHIFT);
  sys.Wheel(-120);
  sys.KeyUp(VK_SHIFT);
  const auto wheel = Of(main, {WM_MOUSEWHEEL});
  ASSERT_EQ(wheel.size(), 1u);
  EXPECT_EQ(static_cast<std::int16_t>(HighWord(wheel[0].wparam)), -120);
  EXPECT_EQ(LowWord(wheel[0].wparam), MK_SHIFT);
  EXPECT_EQ(PointX(wheel[0].lparam), 110);
  EXPECT_EQ(PointY(wheel[0].lparam), 120);
}

TEST_F(InputTest, KeysGoToTheFocusWindowWithTheirCharacters) {
  sys.KeyPress('A');
  sys.KeyDown(VK_SHIFT);
  sys.KeyPress('B');
  sys.KeyUp(VK_SHIFT);
  sys.KeyPress(VK_RETURN);
  sys.KeyPress(VK_LEFT);
  std::vector<std::pair<unsigned, WParam>> got;
  for (const Logged& l : Of(main, {WM_KEYDOWN, WM_KEYUP, WM_CHAR})) got.emplace_back(l.message, l.wparam);
  using K = std::pair<unsigned, WParam>;
  EXPECT_EQ(got, (std::vector<K>{{WM_KEYDOWN, 'A'},
                                 {WM_CHAR, 'a'},
                                 {WM_KEYUP, 'A'},
                                 {WM_KEYDOWN, VK_SHIFT},
                                 {WM_KEYDOWN, 'B'},
                                 {WM_CHAR, 'B'},
                                 {WM_KEYUP, 'B'},
                                 {WM_KEYUP, VK_SHIFT},
                                 {WM_KEYDOWN, VK_RETURN},
                                 {WM_CHAR, '\r'},
                                 {WM_KEYUP, VK_RETURN},
                                 {WM_KEYDOWN, VK_LEFT},
                                 {WM_KEYUP, VK_LEFT}}));
}

TEST_F(InputTest, KeyStateFollowsDispatchedKeyMessages) {
  bool ctrl_seen = false;
  WindowProc previous = sys.SetWindowProc(main, [&](WindowId w, unsigned m, WParam wp, LParam lp) {
    if (m == WM_KEYDOWN && wp == 'V') ctrl_seen = sys.IsKeyDown(VK_CONTROL);
    return previous(w, m, wp, lp);
  });
  sys.KeyDown(VK_CONTROL);
  sys.KeyPress('V');
  sys.KeyUp(VK_CONTROL);
  EXPECT_TRUE(ctrl_seen);
  EXPECT_FALSE(sys.IsKeyDown(VK_CONTROL));
  EXPECT_EQ(Of(main, {WM_CHAR})[0].wparam, 0x16u) << "Ctrl+V types the control code, as on Windows";
}

TEST_F(InputTest, SysCharIsAltPlusKey) {
  sys.SysChar('t');
  std::vector<std::pair<unsigned, WParam>> got;
  for (const Logged& l : Of(main, {WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_KEYDOWN, WM_CHAR}))
    got.emplace_back(l.message, l.wparam);
  using K = std::pair<unsigned, WParam>;
  EXPECT_EQ(got, (std::vector<K>{{WM_SYSKEYDOWN, VK_MENU},
                                 {WM_SYSKEYDOWN, 'T'},
                                 {WM_SYSCHAR, 't'},
                                 {WM_SYSKEYUP, 'T'},
                                 {WM_SYSKEYUP, VK_MENU}}));
}

TEST_F(InputTest, TypeTextSendsUtf16CodeUnits) {
  sys.TypeText("a解😀");
  std::vector<WParam> chars;
  for (const Logged& l : Of(main, {WM_CHAR})) chars.push_back(l.wparam);
  EXPECT_EQ(chars, (std::vector<WParam>{'a', 0x89E3, 0xD83D, 0xDE00}));
  EXPECT_TRUE(Of(main, {WM_KEYDOWN}).empty());
}

TEST_F(InputTest, ImeCommitCarriesItsResultString) {
  std::vector<std::string> results;
  WindowProc previous = sys.SetWindowProc(main, [&](WindowId w, unsigned m, WParam wp, LParam lp) {
    if (m == WM_IME_COMPOSITION && (lp & GCS_RESULTSTR)) results.push_back(sys.ImeResult(w));
    return previous(w, m, wp, lp);
  });
  sys.SetIdleHandler([] { return false; });
  sys.ImeCommit("解析");
  sys.ImeCommit("下载");
  EXPECT_EQ(results, (std::vector<std::string>{"解析", "下载"}));
  EXPECT_TRUE(Of(main, {WM_CHAR}).empty());
  sys.EnableInputMethod(main, false);
  sys.ImeCommit("ab");
  EXPECT_EQ(Of(main, {WM_CHAR}).size(), 2u) << "with the input method off the text comes as characters";
  EXPECT_EQ(results.size(), 2u);
}

TEST_F(InputTest, ACommitDroppedByAModalLoopDoesNotShiftTheNextOne) {
  std::vector<std::string> results;
  WindowProc previous = sys.SetWindowProc(main, [&](WindowId w, unsigned m, WParam wp, LParam lp) -> LResult {
    if (m == WM_USER + 5) {  // a modal loop that keeps input from this window
      Message dropped;
      while (sys.PeekMessage(dropped, true)) {
      }
      return 0;
    }
    if (m == WM_IME_COMPOSITION && (lp & GCS_RESULTSTR)) results.push_back(sys.ImeResult(w));
    return previous(w, m, wp, lp);
  });
  sys.SetIdleHandler([] { return false; });
  sys.Post(main, WM_USER + 5, 0, 0);
  sys.ImeCommit("旧");
  sys.ImeCommit("新");
  EXPECT_EQ(results, (std::vector<std::string>{"新"}));
}

TEST_F(InputTest, SystemMoveLoopFollowsThePointerAndSwallowsTheRelease) {
  sys.PressLeft(main, 50, 5);
  sys.Send(main, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  sys.MoveMouseToScreen(170, 125);
  EXPECT_EQ(sys.WindowRect(main), (gfx::RectI{120, 120, 200, 150}));
  sys.ReleaseLeft();
  EXPECT_TRUE(Of(main, {WM_LBUTTONUP}).empty());
  EXPECT_FALSE(Of(main, {WM_MOVE}).empty());
  sys.MoveMouseToScreen(300, 300);
  EXPECT_EQ(sys.WindowRect(main), (gfx::RectI{120, 120, 200, 150})) << "the loop ended with the release";
}

TEST_F(InputTest, SystemSizeLoopKeepsTheMinimumTrackingSize) {
  WindowProc previous = sys.SetWindowProc(main, [&](WindowId w, unsigned m, WParam wp, LParam lp) -> LResult {
    if (m == WM_GETMINMAXINFO) {
      auto* info = reinterpret_cast<MinMaxInfo*>(lp);
      info->min_track_width = 120;
      info->min_track_height = 38;
      return 0;
    }
    return previous(w, m, wp, lp);
  });
  sys.PressLeft(main, 2, 2);
  sys.Send(main, WM_SYSCOMMAND, SC_SIZE + 4, 0);  // top-left
  sys.MoveMouse(main, 12, 22);
  EXPECT_EQ(sys.WindowRect(main), (gfx::RectI{110, 120, 190, 130}));
  sys.MoveMouseToScreen(400, 400);
  EXPECT_EQ(sys.WindowRect(main), (gfx::RectI{180, 212, 120, 38}));
  sys.ReleaseLeft();
  const auto sizes = Of(main, {WM_SIZE});
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(PointX(sizes[1].lparam), 120);
}

TEST_F(InputTest, ClipboardBeepAndToolsAreKept) {
  sys.SetClipboardText("复制");
  EXPECT_EQ(sys.ClipboardText(), "复制");
  sys.Beep();
  sys.Beep();
  EXPECT_EQ(sys.BeepCount(), 2);
  sys.SetTool(main, 1, {0, 0, 10, 10}, "tip");
  sys.SetTool(main, 1, {0, 0, 20, 20}, "tip 2");
  sys.SetTool(main, 2, {30, 0, 10, 10}, "other");
  ASSERT_EQ(sys.Tools().size(), 2u);
  EXPECT_EQ(sys.Tools()[0].text, "tip 2");
  EXPECT_EQ(sys.Tools()[0].rect.width, 20);
  sys.SetTool(main, 2, {}, "");
  EXPECT_EQ(sys.Tools().size(), 1u);
  sys.DestroyWindow(main);
  EXPECT_TRUE(sys.Tools().empty());
}

}  // namespace
}  // namespace winsys::testing
