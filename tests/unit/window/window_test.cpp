// Window state and the messages that state changes send.
#include "headless_fixture.h"

namespace winsys::testing {
namespace {

class WindowTest : public HeadlessTest {};

TEST_F(WindowTest, CreateSendsCreateAndShowsOnlyWithVisibleStyle) {
  const WindowId hidden = Make({10, 20, 30, 40}, WS_POPUP);
  const WindowId shown = Make({0, 0, 30, 40});
  ASSERT_NE(hidden, 0u);
  EXPECT_NE(hidden, shown);
  EXPECT_EQ(Numbers(hidden, {WM_CREATE}).size(), 1u);
  EXPECT_FALSE(sys.IsVisible(hidden));
  EXPECT_TRUE(sys.IsVisible(shown));
  EXPECT_EQ(sys.WindowRect(hidden), (gfx::RectI{10, 20, 30, 40}));
  EXPECT_TRUE(sys.Style(shown) & WS_VISIBLE);
  EXPECT_EQ(sys.ActiveWindow(), shown);
  EXPECT_EQ(sys.Focus(), shown);
}

TEST_F(WindowTest, CreateFailsWhenTheProcedureRefusesCreate) {
  CreateParams params;
  params.proc = [](WindowId, unsigned m, WParam, LParam) -> LResult { return m == WM_CREATE ? -1 : 0; };
  EXPECT_EQ(sys.CreateWindow(params), 0u);
  EXPECT_TRUE(sys.Windows().empty());
}

TEST_F(WindowTest, SizeMessageOnlyWhenTheSizeReallyChanges) {
  const WindowId w = Make({0, 0, 100, 50});
  log.clear();
  sys.SetWindowRect(w, {0, 0, 100, 50});
  sys.SetWindowRect(w, {5, 5, 100, 50});
  EXPECT_TRUE(Of(w, {WM_SIZE}).empty());
  ASSERT_EQ(Of(w, {WM_MOVE}).size(), 1u);
  EXPECT_EQ(PointX(Of(w, {WM_MOVE})[0].lparam), 5);
  sys.SetWindowRect(w, {5, 5, 120, 60});
  ASSERT_EQ(Of(w, {WM_SIZE}).size(), 1u);
  const Logged size = Of(w, {WM_SIZE})[0];
  EXPECT_EQ(size.wparam, SIZE_RESTORED);
  EXPECT_EQ(PointX(size.lparam), 120);
  EXPECT_EQ(PointY(size.lparam), 60);
  EXPECT_EQ(Of(w, {WM_MOVE}).size(), 1u);
}

TEST_F(WindowTest, ActivationAndFocusMessagesInWindowsOrder) {
  const WindowId a = Make({0, 0, 50, 50});
  const WindowId b = Make({100, 0, 50, 50}, WS_POPUP);
  log.clear();
  sys.SetForeground(b);
  std::vector<std::pair<WindowId, unsigned>> got;
  for (const Logged& l : Of(0, {WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS})) got.emplace_back(l.window, l.message);
  EXPECT_EQ(got, (std::vector<std::pair<WindowId, unsigned>>{
                     {a, WM_ACTIVATE}, {b, WM_ACTIVATE}, {a, WM_KILLFOCUS}, {b, WM_SETFOCUS}}));
  EXPECT_EQ(Of(a, {WM_ACTIVATE})[0].wparam, WA_INACTIVE);
  EXPECT_EQ(static_cast<WindowId>(Of(a, {WM_ACTIVATE})[0].lparam), b) << "lparam names the other window";
  EXPECT_EQ(Of(b, {WM_ACTIVATE})[0].wparam, WA_ACTIVE);
  EXPECT_EQ(static_cast<WindowId>(Of(b, {WM_SETFOCUS})[0].wparam), a);
  EXPECT_EQ(sys.ActiveWindow(), b);
  EXPECT_EQ(sys.Focus(), b);
  log.clear();
  sys.SetForeground(b);
  EXPECT_TRUE(log.empty()) << "activating the active window again says nothing";
}

TEST_F(WindowTest, ClosingAnOwnedPopupGivesActivationBackToItsOwner) {
  const WindowId owner = Make({0, 0, 200, 200});
  const WindowId popup = Make({10, 10, 50, 50}, WS_POPUP | WS_VISIBLE, 0, owner);
  EXPECT_EQ(sys.ActiveWindow(), popup);
  sys.Send(popup, WM_CLOSE, 0, 0);
  EXPECT_FALSE(sys.IsWindow(popup));
  EXPECT_EQ(sys.ActiveWindow(), owner);
  EXPECT_EQ(sys.Focus(), owner);
}

TEST_F(WindowTest, DestroyGoesToOwnedWindowsFirstAndPropertiesLiveUntilDestroy) {
  const WindowId owner = Make({0, 0, 200, 200});
  const WindowId owned = Make({10, 10, 50, 50}, WS_POPUP, 0, owner);
  sys.SetProp(owner, "Ex_Wnd_Control", 42);
  std::intptr_t seen_in_destroy = 0;
  WindowProc previous = sys.SetWindowProc(owner, nullptr);
  sys.SetWindowProc(owner, [&](WindowId w, unsigned m, WParam wp, LParam lp) {
    if (m == WM_DESTROY) seen_in_destroy = sys.GetProp(w, "Ex_Wnd_Control");
    return previous(w, m, wp, lp);
  });
  log.clear();
  EXPECT_TRUE(sys.DestroyWindow(owner));
  std::vector<WindowId> destroyed;
  for (const Logged& l : Of(0, {WM_DESTROY})) destroyed.push_back(l.window);
  EXPECT_EQ(destroyed, (std::vector<WindowId>{owned, owner}));
  EXPECT_EQ(seen_in_destroy, 42);
  EXPECT_FALSE(sys.IsWindow(owned));
  EXPECT_EQ(sys.GetProp(owner, "Ex_Wnd_Control"), 0);
  EXPECT_FALSE(sys.DestroyWindow(owner));
}

TEST_F(WindowTest, PropertiesAreKeptPerWindowAndName) {
  const WindowId a = Make({0, 0, 10, 10});
  const WindowId b = Make({0, 0, 10, 10});
  sys.SetProp(a, "Ex_Wnd_Flags", 1);
  sys.SetProp(b, "Ex_Wnd_Flags", 2);
  sys.SetProp(a, "Ex_RazezaZO_Host", -5);
  EXPECT_EQ(sys.GetProp(a, "Ex_Wnd_Flags"), 1);
  EXPECT_EQ(sys.GetProp(b, "Ex_Wnd_Flags"), 2);
  EXPECT_EQ(sys.GetProp(a, "Ex_RazezaZO_Host"), -5);
  EXPECT_EQ(sys.GetProp(a, "missing"), 0);
  sys.RemoveProp(a, "Ex_Wnd_Flags");
  EXPECT_EQ(sys.GetProp(a, "Ex_Wnd_Flags"), 0);
  EXPECT_EQ(sys.GetProp(a, "Ex_RazezaZO_Host"), -5);
}

TEST_F(WindowTest, SubclassingChainsToThePreviousProcedureAndDefWindowProc) {
  const WindowId w = Make({0, 0, 10, 10});
  std::vector<unsigned> seen_by_subclass;
  WindowProc previous = sys.SetWindowProc(w, [&](WindowId win, unsigned m, WParam wp, LParam lp) -> LResult {
    seen_by_subclass.push_back(m);
    if (m == WM_USER) return 99;
    return previous(win, m, wp, lp);
  });
  ASSERT_TRUE(previous);
  log.clear();
  EXPECT_EQ(sys.Send(w, WM_USER, 0, 0), 99);
  EXPECT_TRUE(sys.SetWindowText(w, "标题"));
  EXPECT_EQ(sys.WindowText(w), "标题") << "the chain ends in DefWindowProc, which stores the title";
  EXPECT_EQ(Numbers(w, {WM_SETTEXT}).size(), 1u) << "the original procedure still sees unhandled messages";
  EXPECT_EQ(Numbers(w, {WM_USER}).size(), 0u);
  // Putting the original back.
  sys.SetWindowProc(w, previous);
  sys.Send(w, WM_USER + 1, 0, 0);
  EXPECT_EQ(seen_by_subclass.back(), WM_SETTEXT);
}

TEST_F(WindowTest, DefaultProcedureForAWindowWithoutOne) {
  CreateParams params;
  params.rect = {0, 0, 10, 10};
  const WindowId w = sys.CreateWindow(params);
  WindowProc def = sys.SetWindowProc(w, nullptr);
  ASSERT_TRUE(def);
  EXPECT_EQ(def(w, WM_SETTEXT, 0, reinterpret_cast<LParam>("x")), 1);
  EXPECT_EQ(sys.WindowText(w), "x");
  sys.Post(w, WM_CLOSE, 0, 0);
  sys.RunPending();
  EXPECT_FALSE(sys.IsWindow(w));
}

TEST_F(WindowTest, StyleChangesAreStoredAndAnnounced) {
  const WindowId w = Make({0, 0, 10, 10}, WS_POPUP | WS_BORDER);
  std::vector<std::pair<WParam, StyleChange>> changes;
  WindowProc previous = sys.SetWindowProc(w, [&](WindowId win, unsigned m, WParam wp, LParam lp) {
    if (m == WM_STYLECHANGED) changes.emplace_back(wp, *reinterpret_cast<const StyleChange*>(lp));
    return previous(win, m, wp, lp);
  });
  sys.SetStyle(w, WS_POPUP);
  sys.SetExStyle(w, WS_EX_LAYERED);
  sys.SetStyle(w, WS_POPUP);  // unchanged: no message
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].first, static_cast<WParam>(-16));
  EXPECT_EQ(changes[0].second.old_style, WS_POPUP | WS_BORDER);
  EXPECT_EQ(changes[0].second.new_style, WS_POPUP);
  EXPECT_EQ(changes[1].first, static_cast<WParam>(-20));
  EXPECT_EQ(changes[1].second.new_style, WS_EX_LAYERED);
  EXPECT_EQ(sys.Style(w), WS_POPUP);
  EXPECT_EQ(sys.ExStyle(w), WS_EX_LAYERED);
}

TEST_F(WindowTest, MaximiseUsesMinMaxInfoAndRestoreReturnsTheOldRect) {
  sys.SetWorkArea({0, 0, 800, 600});
  CreateParams params;
  params.rect = {100, 100, 300, 200};
  params.style = WS_POPUP | WS_VISIBLE;
  std::vector<WParam> sizes;
  params.proc = [&](WindowId w, unsigned m, WParam wp, LParam lp) -> LResult {
    if (m == WM_GETMINMAXINFO) {
      auto* info = reinterpret_cast<MinMaxInfo*>(lp);
      EXPECT_EQ(info->max_rect, (gfx::RectI{0, 0, 800, 600})) << "the default is the work area";
      info->max_rect = {-7, -7, 814, 614};
      return 0;
    }
    if (m == WM_SIZE) sizes.push_back(wp);
    return sys.DefWindowProc(w, m, wp, lp);
  };
  const WindowId w = sys.CreateWindow(params);
  sys.Send(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(sys.IsZoomed(w));
  EXPECT_EQ(sys.WindowRect(w), (gfx::RectI{-7, -7, 814, 614}));
  sys.Send(w, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(sys.IsZoomed(w));
  EXPECT_EQ(sys.WindowRect(w), (gfx::RectI{100, 100, 300, 200}));
  sys.Minimize(w);
  EXPECT_TRUE(sys.IsIconic(w));
  EXPECT_TRUE(sys.IsVisible(w));
  sys.ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(sys.IsIconic(w));
  EXPECT_EQ(sizes, (std::vector<WParam>{SIZE_MAXIMIZED, SIZE_RESTORED, SIZE_MINIMIZED, SIZE_RESTORED}));
}

// Nothing but DefWindowProc closes a window on Alt+F4 under Windows (and
// under X without a window manager).
TEST_F(WindowTest, AltF4ThroughDefWindowProcClosesTheWindow) {
  const WindowId w = Make({0, 0, 10, 10});
  sys.Send(w, WM_SYSKEYDOWN, 'X', 0x20000001);
  EXPECT_TRUE(sys.IsWindow(w));
  sys.Send(w, WM_SYSKEYDOWN, VK_F4, 0x20000001);
  EXPECT_FALSE(sys.IsWindow(w));
  EXPECT_EQ(Numbers(w, {WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
            (std::vector<unsigned>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
}

TEST_F(WindowTest, ShowWindowReportsThePreviousVisibility) {
  const WindowId w = Make({0, 0, 10, 10}, WS_POPUP);
  EXPECT_FALSE(sys.ShowWindow(w, SW_SHOWNA));
  EXPECT_TRUE(sys.IsVisible(w));
  EXPECT_NE(sys.ActiveWindow(), w) << "SW_SHOWNA does not activate";
  EXPECT_TRUE(sys.ShowWindow(w, SW_HIDE));
  EXPECT_FALSE(sys.IsVisible(w));
  EXPECT_FALSE(sys.ShowWindow(w, SW_HIDE));
}

TEST_F(WindowTest, PaintComesForInvalidatedAreasUntilValidated) {
  const WindowId w = Make({0, 0, 100, 100});
  std::vector<gfx::RectI> painted;
  WindowProc previous = sys.SetWindowProc(w, [&](WindowId win, unsigned m, WParam wp, LParam lp) -> LResult {
    if (m != WM_PAINT) return previous(win, m, wp, lp);
    painted.push_back(sys.BeginPaint(win));
    sys.EndPaint(win);
    return 0;
  });
  sys.RunPending();
  ASSERT_EQ(painted.size(), 1u) << "a newly shown window is painted once";
  EXPECT_EQ(painted[0], (gfx::RectI{0, 0, 100, 100}));
  sys.InvalidateRect(w, gfx::RectI{10, 10, 5, 5});
  sys.InvalidateRect(w, gfx::RectI{20, 20, 5, 5});
  sys.InvalidateRect(w, gfx::RectI{90, 90, 50, 50});
  sys.RunPending();
  ASSERT_EQ(painted.size(), 2u);
  EXPECT_EQ(painted[1], (gfx::RectI{10, 10, 90, 90})) << "the union, clipped to the window";
  sys.RunPending();
  EXPECT_EQ(painted.size(), 2u);
}

TEST_F(WindowTest, PresentedPixelsAreWhatTheScreenShows) {
  const WindowId w = Make({0, 0, 4, 2});
  gfx::Bitmap buffer(4, 2);
  buffer.SetPixel(0, 0, 0xFF112233);
  buffer.SetPixel(1, 0, 0x80FF0000);
  buffer.SetPixel(2, 0, 0xFF00FF00);
  sys.Present(w, buffer, {0, 0, 2, 1});
  gfx::Bitmap shown = sys.ScreenPixels(w);
  ASSERT_EQ(shown.Width(), 4);
  EXPECT_EQ(shown.GetPixel(0, 0), 0xFF112233u);
  EXPECT_EQ(shown.GetPixel(1, 0), 0xFF800000u) << "a plain window shows the premultiplied colour, opaque";
  EXPECT_EQ(shown.GetPixel(2, 0), 0u) << "outside the presented rectangle nothing was pushed";

  sys.SetExStyle(w, WS_EX_LAYERED);
  sys.PresentLayered(w, buffer, 128);
  shown = sys.ScreenPixels(w);
  EXPECT_EQ(gfx::AlphaOf(shown.GetPixel(0, 0)), 128u);
  EXPECT_EQ(gfx::AlphaOf(shown.GetPixel(1, 0)), 64u);
  EXPECT_EQ(gfx::AlphaOf(shown.GetPixel(3, 1)), 0u);
  EXPECT_EQ(sys.LayeredAlpha(w), 128);

  sys.Present(w, buffer, {0, 0, 4, 2});
  sys.SetWindowRegion(w, gfx::Region(gfx::RectI{1, 0, 3, 2}));
  shown = sys.ScreenPixels(w);
  EXPECT_EQ(shown.GetPixel(0, 0), 0u) << "outside the window region";
  EXPECT_EQ(shown.GetPixel(2, 0), 0xFF00FF00u);
}

TEST_F(WindowTest, ScreenPixelsSaveAsPng) {
  const WindowId w = Make({0, 0, 3, 3});
  gfx::Bitmap buffer(3, 3);
  buffer.SetPixel(1, 1, 0xFFFF0000);
  sys.Present(w, buffer, {0, 0, 3, 3});
  const auto png = sys.ScreenPixels(w).EncodePng();
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png[1], 'P');
}

TEST_F(WindowTest, WindowFromPointFindsTheTopmostShownWindowInsideItsRegion) {
  const WindowId below = Make({0, 0, 100, 100});
  const WindowId above = Make({50, 50, 100, 100});
  const WindowSystem& system = sys;  // as the framework sees it
  auto at = [&](float x, float y) { return system.WindowFromPoint({x, y}); };
  EXPECT_EQ(at(60, 60), above);
  EXPECT_EQ(at(10, 10), below);
  EXPECT_EQ(at(500, 500), 0u);
  EXPECT_EQ(at(149.5f, 149.5f), above) << "a point inside the last pixel";
  EXPECT_EQ(at(150, 150), 0u) << "right and bottom edges are outside";
  sys.SetForeground(below);
  EXPECT_EQ(at(60, 60), below) << "activation raises";
  sys.SetTopmost(above, true);
  sys.SetForeground(below);
  EXPECT_EQ(at(60, 60), above) << "a topmost window stays above";
  sys.SetWindowRegion(above, gfx::Region(gfx::RectI{20, 20, 80, 80}));
  EXPECT_EQ(at(60, 60), below) << "outside its region a window is not hit";
  sys.ShowWindow(above, SW_HIDE);
  EXPECT_EQ(at(90, 90), below);
  sys.Minimize(below);
  EXPECT_EQ(at(10, 10), 0u) << "a minimised window shows nowhere";
}

}  // namespace
}  // namespace winsys::testing
