// The GTK backend under a real window manager (openbox on Xvfb): activation
// by another application, maximise and minimise, and size hints.
#include "tests/gui/gtk_window_fixture.h"

namespace winsys::testing {
namespace {

class WindowManagerTest : public GtkWindowTest {
 protected:
  static void SetUpTestSuite() {
    GtkWindowTest::SetUpTestSuite();
    if (started_) window_manager_ = new WindowManager();
  }
  static void TearDownTestSuite() {
    delete window_manager_;
    window_manager_ = nullptr;
    GtkWindowTest::TearDownTestSuite();
  }
  void SetUp() override {
    ASSERT_TRUE(window_manager_ && window_manager_->Running()) << "openbox did not start";
    GtkWindowTest::SetUp();
  }

  // An ordinary top-level window with a name xdotool can find.
  WindowId MakeTopLevel(const gfx::RectI& rect, std::uint32_t style, const std::string& title) {
    CreateParams params;
    params.rect = rect;
    params.style = style | WS_VISIBLE;
    params.title = title;
    return MakeWith(std::move(params));
  }

  // The window manager has taken the window on (messages to it before that are lost).
  bool Managed(const std::string& title) {
    return PumpUntil(
        [&] {
          return RunProgram({"sh", "-c", "xprop -name '" + title + "' WM_STATE | grep -q Normal"}) == 0;
        },
        20000);
  }

  // The last WM_SIZE the window got: its kind and size.
  std::optional<std::tuple<WParam, int, int>> LastSize() const {
    for (auto it = log.rbegin(); it != log.rend(); ++it)
      if (it->message == WM_SIZE) return std::make_tuple(it->wparam, PointX(it->lparam), PointY(it->lparam));
    return std::nullopt;
  }
  bool LastSizeIs(WParam kind, const gfx::RectI& rect) const {
    return LastSize() == std::make_tuple(kind, rect.width, rect.height);
  }

  static inline WindowManager* window_manager_ = nullptr;
};

// What the framework's popup hook does: a popup that loses the activation closes.
TEST_F(WindowManagerTest, APopupIsToldWhenTheUserActivatesAnotherApplication) {
  const WindowId owner = MakeTopLevel({100, 100, 300, 200}, WS_POPUP, "brivo-owner");
  ASSERT_TRUE(Managed("brivo-owner"));
  ASSERT_TRUE(PumpUntil([&] { return sys->ActiveWindow() == owner; }));
  CreateParams params;
  params.parent = owner;
  params.rect = {150, 150, 120, 100};
  params.style = WS_POPUP | WS_VISIBLE;
  params.ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  const WindowId popup = MakeWith(std::move(params));
  const WindowProc logging = sys->SetWindowProc(popup, nullptr);
  sys->SetWindowProc(popup, [&](WindowId w, unsigned m, WParam wp, LParam lp) -> LResult {
    if (m == WM_ACTIVATE && LowWord(wp) == WA_INACTIVE) sys->Post(w, WM_CLOSE, 0, 0);
    return logging(w, m, wp, lp);
  });
  sys->SetForeground(popup);
  PumpFor(100);
  ASSERT_TRUE(sys->IsWindow(popup));
  BackgroundProgram other({"xmessage", "-geometry", "200x100+600+400", "another application"});
  ASSERT_TRUE(other.Started());
  ASSERT_TRUE(PumpUntil([&] { return RunProgram({"xdotool", "search", "--name", "^xmessage$"}) == 0; }, 20000));
  // The user brings the other application's window to the front.
  ASSERT_EQ(XdotoolPumping({"search", "--name", "^xmessage$", "windowactivate", "--sync"}), 0);
  EXPECT_TRUE(PumpUntil([&] { return !sys->IsWindow(popup); }, 20000)) << "the popup never learnt it lost";
  EXPECT_EQ(sys->ActiveWindow(), 0u);
}

TEST_F(WindowManagerTest, MaximiseAndRestoreArriveAsStateChangesWithTheirSizes) {
  const WindowId w = MakeTopLevel({100, 100, 300, 200}, WS_POPUP | WS_THICKFRAME | WS_MAXIMIZEBOX, "brivo-maximise");
  ASSERT_TRUE(Managed("brivo-maximise"));
  PumpFor(200);  // where the window manager placed it
  const gfx::RectI normal = sys->WindowRect(w);
  ASSERT_EQ(normal.width, 300);
  sys->Send(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(PumpUntil([&] { return sys->IsZoomed(w) && sys->WindowRect(w).width > normal.width; }, 20000));
  PumpFor(200);
  const gfx::RectI maximised = sys->WindowRect(w);
  EXPECT_GE(maximised.width, sys->WorkArea().width);
  EXPECT_TRUE(LastSizeIs(SIZE_MAXIMIZED, maximised));
  // Every WM_SIZE that carried the maximised size said so.
  for (const Logged& l : log) {
    if (l.message == WM_SIZE && PointX(l.lparam) == maximised.width) {
      EXPECT_EQ(l.wparam, SIZE_MAXIMIZED);
    }
  }
  sys->Send(w, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !sys->IsZoomed(w) && sys->WindowRect(w).width == normal.width; }, 20000));
  PumpFor(200);
  EXPECT_EQ(sys->WindowRect(w), normal);
  EXPECT_TRUE(LastSizeIs(SIZE_RESTORED, normal));
}

TEST_F(WindowManagerTest, MinimisedByTheUserAndBroughtBack) {
  const gfx::RectI normal{100, 100, 300, 200};
  const WindowId w = MakeTopLevel(normal, WS_POPUP | WS_MINIMIZEBOX, "brivo-minimise");
  ASSERT_TRUE(Managed("brivo-minimise"));
  ASSERT_TRUE(PumpUntil([&] { return sys->ActiveWindow() == w; }));
  ASSERT_EQ(XdotoolPumping({"search", "--name", "^brivo-minimise$", "windowminimize"}), 0);
  ASSERT_TRUE(PumpUntil([&] { return sys->IsIconic(w); }, 20000));
  EXPECT_TRUE(LastSizeIs(SIZE_MINIMIZED, normal));
  EXPECT_NE(sys->ActiveWindow(), w);
  paints = 0;
  picture = TwoColours(300, 200, 0xFF2040A0, 0xFF2040A0);
  ASSERT_EQ(XdotoolPumping({"search", "--name", "^brivo-minimise$", "windowactivate"}), 0);
  ASSERT_TRUE(PumpUntil([&] { return !sys->IsIconic(w); }, 20000));
  EXPECT_TRUE(LastSizeIs(SIZE_RESTORED, normal));
  EXPECT_TRUE(PumpUntil([&] { return paints > 0; })) << "brought back, it is painted again";
}

}  // namespace
}  // namespace winsys::testing
