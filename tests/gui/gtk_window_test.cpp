// The GTK backend on a real X server (Xvfb), driven with xdotool and checked on
// screenshots.
#include "tests/gui/gtk_window_fixture.h"

namespace winsys::testing {
namespace {

TEST_F(GtkWindowTest, PresentedPixelsAppearAtTheWindowsPlace) {
  picture = TwoColours(120, 90, 0xFFFF0000, 0xFF0000FF);
  const WindowId w = Make({100, 80, 120, 90});
  ASSERT_NE(w, 0u);
  ASSERT_TRUE(PumpUntil([&] { return paints > 0; })) << "no WM_PAINT after showing";
  EXPECT_TRUE(
      ScreenShows({{101, 81, 0xFFFF0000}, {159, 169, 0xFFFF0000}, {161, 81, 0xFF0000FF}, {219, 169, 0xFF0000FF}}));
}

TEST_F(GtkWindowTest, APresentedFrameReachesTheScreenWithoutReturningToTheLoop) {
  picture = TwoColours(120, 90, 0xFFFF0000, 0xFFFF0000);
  const WindowId w = Make({100, 80, 120, 90});
  ASSERT_TRUE(PumpUntil([&] { return paints > 0; }));
  ASSERT_TRUE(ScreenShows({{150, 120, 0xFFFF0000}}));
  // As an animation does: present, then sleep without running the message loop.
  sys->Present(w, TwoColours(120, 90, 0xFF0000FF, 0xFF0000FF), {0, 0, 120, 90});
  EXPECT_TRUE(winsys::testing::WaitUntil(
      [&] {
        const gfx::Bitmap shot = Screenshot();
        return !shot.IsNull() && shot.GetPixel(150, 120) == 0xFF0000FFu;
      },
      1000));
}

TEST_F(GtkWindowTest, LayeredWindowWithoutCompositorCutsAwayTransparentPixels) {
  picture = TwoColours(200, 100, 0xFFFFFF00, 0xFFFFFF00);
  Make({300, 300, 200, 100});
  ASSERT_TRUE(PumpUntil([&] { return paints > 0; }));
  layered_picture = TwoColours(200, 100, 0x00000000, 0xFF00FF00);
  Make({300, 300, 200, 100}, WS_EX_LAYERED);
  EXPECT_TRUE(ScreenShows({{310, 350, 0xFFFFFF00}, {450, 350, 0xFF00FF00}}))
      << "the transparent half shows the window below";
}

TEST_F(GtkWindowTest, ClickArrivesWithPackedClientCoordinates) {
  const WindowId w = Make({200, 150, 200, 100});
  PumpFor(50);
  ASSERT_EQ(Xdotool({"mousemove", "250", "170", "click", "1"}), 0);
  ASSERT_TRUE(PumpUntil([&] { return First(WM_LBUTTONUP) != nullptr; }));
  const Logged* down = First(WM_LBUTTONDOWN);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(PointX(down->lparam), 50);
  EXPECT_EQ(PointY(down->lparam), 20);
  EXPECT_EQ(down->wparam, MK_LBUTTON);
  EXPECT_EQ(First(WM_LBUTTONUP)->wparam, 0u);
  EXPECT_EQ(sys->ActiveWindow(), w) << "the click activates the window";
  EXPECT_EQ(sys->CursorPos().x, 250);
}

TEST_F(GtkWindowTest, DoubleClickArrivesAsDownUpDblclkUp) {
  Make({200, 150, 200, 100});
  PumpFor(50);
  ASSERT_EQ(Xdotool({"mousemove", "260", "180", "click", "--repeat", "2", "--delay", "60", "1"}), 0);
  ASSERT_TRUE(PumpUntil([&] { return Mouse().size() >= 4; }));
  PumpFor(50);
  EXPECT_EQ(Mouse(), (std::vector<unsigned>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
}

TEST_F(GtkWindowTest, TypedTextArrivesAsCharactersAndCompositionResults) {
  const WindowId w = Make({200, 150, 200, 100});
  sys->SetForeground(w);
  // A caret placed, as a text box does when it takes the keyboard: the input
  // method is ready before the first key (xdotool's keymap for "解" lasts
  // only its --delay).
  sys->SetImeCaret(w, {10, 10, 1, 16});
  PumpFor(100);
  ASSERT_EQ(XdotoolPumping({"type", "--delay", "100", "ab解"}), 0);
  const bool complete = PumpUntil([&] { return (typed == u"ab" && ime_text == "解") || typed == u"ab\u89E3"; });
  EXPECT_TRUE(complete) << "WM_CHAR: " << typed.size() << " units, composition: " << ime_text;
  EXPECT_TRUE(First(WM_KEYDOWN) != nullptr);
}

TEST_F(GtkWindowTest, ControlKeyIsDownWhileTheLetterArrives) {
  const WindowId w = Make({200, 150, 200, 100});
  sys->SetForeground(w);
  PumpFor(100);
  ASSERT_EQ(XdotoolPumping({"key", "ctrl+v"}), 0);
  ASSERT_TRUE(PumpUntil([&] {
    int ups = 0;
    for (const Logged& l : log) ups += l.message == WM_KEYUP && (l.wparam == VK_CONTROL || l.wparam == 'V');
    return ups == 2;
  }));
  EXPECT_TRUE(ctrl_with_v);
  EXPECT_FALSE(sys->IsKeyDown(VK_CONTROL));
  EXPECT_FALSE(sys->IsKeyDown('V'));
}

TEST_F(GtkWindowTest, ClipboardRoundTrip) {
  Make({0, 0, 50, 50});
  sys->SetClipboardText("剪贴板 text");
  EXPECT_EQ(sys->ClipboardText(), "剪贴板 text");
}

TEST_F(GtkWindowTest, TimerFires) {
  const WindowId w = Make({0, 0, 50, 50});
  sys->SetTimer(w, 7, 30);
  ASSERT_TRUE(PumpUntil([&] {
    const Logged* t = First(WM_TIMER);
    return t && t->wparam == 7;
  }));
  sys->KillTimer(w, 7);
}

TEST_F(GtkWindowTest, PostFromAWorkerWakesABlockedLoop) {
  const WindowId w = Make({0, 0, 50, 50});
  PumpFor(50);
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the loop is blocked by now: the post must wake it
    sys->Post(w, WM_USER + 1, 11, 0);
  });
  // No timer runs: only the post can end the wait.
  Message m;
  bool got = false;
  while (!got && sys->GetMessage(m)) {
    got = m.message == WM_USER + 1;
    sys->DispatchMessage(m);
  }
  worker.join();
  EXPECT_TRUE(got);
}

TEST_F(GtkWindowTest, SendFromAWorkerIsHandledOnTheUiThread) {
  const WindowId w = Make({0, 0, 50, 50});
  std::atomic<LResult> answer{0};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    answer = sys->Send(w, WM_USER + 2, 14, 0);
    done = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(answer, 42);
}

TEST_F(GtkWindowTest, TooltipShowsAfterRestingOverTheToolAndHidesOnPress) {
  picture = TwoColours(300, 200, 0xFF808080, 0xFF808080);
  const WindowId w = Make({100, 100, 300, 200});
  sys->SetTool(w, 1, {10, 10, 100, 50}, "提示 tip");
  ASSERT_TRUE(PumpUntil([&] { return paints > 0; }));
  ASSERT_EQ(XdotoolPumping({"mousemove", "150", "130"}), 0);
  // The tip opens 20 px below the pointer: its face, inside the border.
  EXPECT_TRUE(ScreenShows({{152, 152, 0xFFFFFFE1}}));
  ASSERT_EQ(XdotoolPumping({"click", "1"}), 0);
  EXPECT_TRUE(ScreenShows({{152, 152, 0xFF808080}}));
}

// As an animation does between frames: sleep, then take whatever is pending.
TEST_F(GtkWindowTest, ASleepAndPeekLoopReceivesTimersAsAGetLoopDoes) {
  const WindowId w = Make({0, 0, 50, 50});
  auto timers = [&] {
    int count = 0;
    for (const Logged& l : log) count += l.message == WM_TIMER && l.wparam == 9;
    return count;
  };
  sys->SetTimer(w, 9, 10);
  PumpFor(300);
  const int by_get = timers();
  log.clear();
  const auto until = Clock::now() + std::chrono::milliseconds(300);
  Message m;
  while (Clock::now() < until) {
    sys->Sleep(5);
    while (sys->PeekMessage(m, true)) sys->DispatchMessage(m);
  }
  const int by_peek = timers();
  sys->KillTimer(w, 9);
  EXPECT_GT(by_get, 0);
  EXPECT_GT(by_peek, 0) << "GetMessage saw " << by_get << " in the same time";
}

TEST_F(GtkWindowTest, ASleepAndPeekLoopReceivesNewInput) {
  Make({200, 150, 200, 100});
  PumpFor(50);
  std::atomic<int> status{-2};
  std::thread runner([&] { status = Xdotool({"mousemove", "250", "170", "click", "1"}); });
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  Message m;
  while (First(WM_LBUTTONUP) == nullptr && Clock::now() < deadline) {
    sys->Sleep(5);
    while (sys->PeekMessage(m, true)) sys->DispatchMessage(m);
  }
  runner.join();
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Mouse(), (std::vector<unsigned>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

// A click on an inactive window sends it WM_ACTIVATE while the press is being
// turned into messages; a Peek loop run there must not take the release first.
TEST_F(GtkWindowTest, APeekLoopInsideActivationKeepsTheClicksOrder) {
  const WindowId w = Make({200, 150, 200, 100});
  bool peeked_inside = false;
  const WindowProc logging = sys->SetWindowProc(w, nullptr);
  sys->SetWindowProc(w, [&](WindowId window, unsigned m, WParam wp, LParam lp) -> LResult {
    if (m == WM_ACTIVATE && LowWord(wp) != WA_INACTIVE) {
      peeked_inside = true;
      const auto until = Clock::now() + std::chrono::milliseconds(300);
      Message inner;
      while (Clock::now() < until) {
        sys->Sleep(5);
        while (sys->PeekMessage(inner, true)) sys->DispatchMessage(inner);
      }
    }
    return logging(window, m, wp, lp);
  });
  PumpFor(50);
  const WindowId other = Make({500, 150, 100, 100});  // takes the activation away
  ASSERT_TRUE(PumpUntil([&] { return sys->ActiveWindow() == other; }));
  ASSERT_EQ(Xdotool({"mousemove", "250", "170", "click", "1"}), 0);
  ASSERT_TRUE(PumpUntil([&] { return Mouse().size() >= 2; }, 20000));
  EXPECT_TRUE(peeked_inside);
  EXPECT_EQ(Mouse(), (std::vector<unsigned>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(GtkWindowTest, WindowFromPointSeesOurWindowsAndOtherApplications) {
  const WindowId below = Make({100, 100, 200, 200});
  const WindowId above = Make({200, 200, 200, 200});
  sys->SetWindowRegion(above, gfx::Region(gfx::RectI{50, 50, 150, 150}));
  auto at = [&](float x, float y) { return sys->WindowFromPoint({x, y}); };
  ASSERT_TRUE(PumpUntil([&] { return at(260, 260) == above; }));
  EXPECT_EQ(at(150, 150), below);
  // GDK hands the shape to the server from its main loop.
  EXPECT_TRUE(PumpUntil([&] { return at(210, 210) == below; })) << "outside the region of the window above";
  EXPECT_EQ(at(50, 50), 0u) << "the bare screen";
  BackgroundProgram other({"xmessage", "-geometry", "120x80+220+220", "another application"});
  ASSERT_TRUE(other.Started());
  EXPECT_TRUE(PumpUntil([&] { return at(270, 270) == 0; }, 10000)) << "covered by the other application";
  EXPECT_EQ(at(150, 150), below);
}

TEST_F(GtkWindowTest, MaximiseWithoutAWindowManagerCoversTheWorkArea) {
  const WindowId w = Make({100, 100, 300, 200});
  PumpFor(50);
  sys->Maximize(w);
  EXPECT_TRUE(sys->IsZoomed(w));
  EXPECT_EQ(sys->WindowRect(w), sys->WorkArea());
  sys->Restore(w);
  EXPECT_FALSE(sys->IsZoomed(w));
  EXPECT_TRUE(PumpUntil([&] { return sys->WindowRect(w) == gfx::RectI{100, 100, 300, 200}; }));
}

}  // namespace
}  // namespace winsys::testing
