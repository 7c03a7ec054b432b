// The Win32 backend under Wine on a real (Xvfb) display: windows at their
// logical size, pixels on the screen, the queue across threads, timers, the
// clipboard and the mouse, each checked through Windows itself.
#include "platform/window/backend/win32/win32_system.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "tests/gui/wait_until.h"

namespace winsys::win32 {
namespace {

struct Logged {
  WindowId window = 0;
  unsigned message = 0;
  WParam wparam = 0;
  LParam lparam = 0;
};

constexpr unsigned kGuardMessage = WM_USER + 99;

void Click() {
  INPUT clicks[2]{};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, clicks, sizeof(INPUT));
}

gfx::Bitmap Filled(int width, int height, gfx::Argb left, gfx::Argb right, float scale = 1.0f) {
  gfx::Bitmap bitmap(width, height, scale);
  for (int y = 0; y < bitmap.DeviceHeight(); ++y)
    for (int x = 0; x < bitmap.DeviceWidth(); ++x)
      bitmap.Row(y)[x] = gfx::Premultiply(x < bitmap.DeviceWidth() / 2 ? left : right);
  bitmap.MarkDirty();
  return bitmap;
}

// The tools that the tooltip window of this thread holds.
int ToolCount() {
  HWND tip = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM found) {
        wchar_t name[64]{};
        ::GetClassNameW(hwnd, name, 64);
        if (std::wstring_view(name) == L"tooltips_class32") *reinterpret_cast<HWND*>(found) = hwnd;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tip));
  return tip ? static_cast<int>(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0)) : 0;
}

COLORREF ScreenPixel(int x, int y) {
  const WindowDc screen(nullptr);
  return ::GetPixel(screen.get(), x, y);
}

class Win32SystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system_ = Win32System::Open();
    ASSERT_TRUE(system_) << "no window class: is the display there?";
  }

  WindowId Make(const gfx::RectI& rect, std::uint32_t ex_style = 0, bool visible = true) {
    CreateParams params;
    params.rect = rect;
    params.style = visible ? WS_POPUP | WS_VISIBLE : WS_POPUP;
    params.ex_style = ex_style;
    params.proc = [this](WindowId w, unsigned m, WParam wp, LParam lp) {
      log_.push_back({w, m, wp, lp});
      return system_->DefWindowProc(w, m, wp, lp);
    };
    return system_->CreateWindow(params);
  }

  const Logged* Find(WindowId window, unsigned message) const {
    for (const Logged& l : log_)
      if (l.window == window && l.message == message) return &l;
    return nullptr;
  }

  // Runs the loop without blocking until `done` holds (five seconds at most).
  bool PumpUntil(const std::function<bool()>& done) {
    return testing::WaitUntil(
        [&] {
          Message message;
          while (system_->PeekMessage(message, true)) system_->DispatchMessage(message);
          return done();
        },
        5000, 10);
  }

  // Presses the left button at `from` (device pixels), runs `loop` while a
  // worker moves the pointer by `by` in steps and releases the button.
  void DragFrom(POINT from, POINT by, const std::function<void()>& loop) {
    ::SetCursorPos(from.x, from.y);
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &press, sizeof(INPUT));
    PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) < 0; });
    std::thread user([from, by] {
      constexpr int kSteps = 10;
      for (int step = 1; step <= kSteps; ++step) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::SetCursorPos(from.x + by.x * step / kSteps, from.y + by.y * step / kSteps);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      INPUT release{};
      release.type = INPUT_MOUSE;
      release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
      ::SendInput(1, &release, sizeof(INPUT));
    });
    loop();
    user.join();
    PumpUntil([] { return true; });
  }

  // Runs the blocking loop until `message` reaches `window`; false when five
  // seconds passed first (a worker then wakes the loop with kGuardMessage).
  bool GetMessageUntil(WindowId window, unsigned message) {
    std::jthread guard([this, window](std::stop_token stop) {
      std::mutex mutex;
      std::condition_variable_any woken;
      std::unique_lock lock(mutex);
      if (!woken.wait_for(lock, stop, std::chrono::seconds(5), [] { return false; }))
        system_->Post(window, kGuardMessage, 0, 0);
    });
    Message next;
    while (system_->GetMessage(next)) {
      system_->DispatchMessage(next);
      if (next.window == window && next.message == message) return true;
      if (next.message == kGuardMessage) return false;
    }
    return false;
  }

  std::unique_ptr<Win32System> system_;
  std::vector<Logged> log_;
};

TEST_F(Win32SystemTest, AWindowShowsAtItsSizeWithThePixelsPresentedToIt) {
  const WindowId window = Make({100, 120, 200, 150});
  ASSERT_NE(window, 0u);
  HWND hwnd = system_->NativeOf(window);
  EXPECT_TRUE(::IsWindowVisible(hwnd));
  EXPECT_EQ(system_->Scale(window), 1.0f);
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.top, 120);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 150);

  system_->Present(window, Filled(200, 150, 0xFFC02020, 0xFF2040C0), {0, 0, 200, 150});
  EXPECT_TRUE(PumpUntil([] { return ScreenPixel(150, 190) == RGB(0xC0, 0x20, 0x20); }))
      << std::hex << ScreenPixel(150, 190);
  EXPECT_EQ(ScreenPixel(250, 190), RGB(0x20, 0x40, 0xC0));
  EXPECT_EQ(system_->WindowFromPoint({150, 190}), window);
  EXPECT_EQ(system_->WindowFromPoint({50, 50}), 0u) << "the desktop is none of ours";
  EXPECT_EQ(system_->WorkArea(), (gfx::RectI{0, 0, 1024, 768})) << "Xvfb's screen, without a taskbar";
  std::vector<gfx::Bitmap> icons;
  icons.push_back(Filled(32, 32, 0xFFC02020, 0xFF2040C0));
  icons.push_back(Filled(16, 16, 0xFFC02020, 0xFF2040C0));
  system_->SetWindowIcon(window, icons);
  EXPECT_NE(::SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
  system_->SetTool(window, 1, {0, 0, 50, 50}, "解析");
  system_->SetTool(window, 2, {50, 0, 50, 50}, "下载");
  system_->SetTool(window, 1, {0, 0, 40, 40}, "解析&&下载");
  EXPECT_EQ(ToolCount(), 2);
  system_->RemoveTool(window, 2);
  EXPECT_EQ(ToolCount(), 1);

  system_->SetWindowRegion(window, gfx::Region(gfx::RectI{0, 0, 100, 150}));
  EXPECT_TRUE(PumpUntil([] { return ScreenPixel(250, 190) != RGB(0x20, 0x40, 0xC0); })) << "cut away by the region";
  EXPECT_EQ(ScreenPixel(150, 190), RGB(0xC0, 0x20, 0x20));
  EXPECT_EQ(system_->WindowFromPoint({250, 190}), 0u);

  // A message box is owned by its window: Windows gives the two one taskbar button.
  CreateParams box;
  box.parent = window;
  box.rect = {120, 140, 50, 40};
  box.style = WS_POPUP;
  EXPECT_EQ(::GetWindow(system_->NativeOf(system_->CreateWindow(box)), GW_OWNER), hwnd);
}

// Shown before it has pixels, as the framework shows its windows.
TEST_F(Win32SystemTest, ALayeredWindowShowsItsOpaquePixelsAndLetsTheClearOnesThrough) {
  const WindowId below = Make({100, 100, 200, 200});
  system_->Present(below, Filled(200, 200, 0xFF20A020, 0xFF20A020), {0, 0, 200, 200});
  const WindowId above = Make({150, 150, 100, 100}, WS_EX_LAYERED);
  system_->PresentLayered(above, Filled(100, 100, 0xFFC02020, 0x00000000), 255);
  EXPECT_TRUE(PumpUntil([] { return ScreenPixel(170, 200) == RGB(0xC0, 0x20, 0x20); }))
      << std::hex << ScreenPixel(170, 200);
  EXPECT_EQ(ScreenPixel(230, 200), RGB(0x20, 0xA0, 0x20)) << std::hex << ScreenPixel(230, 200);
  EXPECT_EQ(system_->WindowFromPoint({170, 200}), above);
}

TEST_F(Win32SystemTest, AWorkersPostAndSendReachTheWindowProcedureOnTheUiThread) {
  const WindowId window = Make({10, 10, 50, 50});
  const std::thread::id ui = std::this_thread::get_id();
  std::thread::id sent_on;
  system_->SetWindowProc(window, [&](WindowId w, unsigned m, WParam wp, LParam lp) -> LResult {
    log_.push_back({w, m, wp, lp});
    if (m == WM_USER + 2) sent_on = std::this_thread::get_id();
    return m == WM_USER + 2 ? 77 : system_->DefWindowProc(w, m, wp, lp);
  });
  LResult answer = 0;
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the loop is waiting by then
    answer = system_->Send(window, WM_USER + 2, 0, 0);
    system_->Post(window, WM_USER + 1, 42, 7);
  });
  EXPECT_TRUE(GetMessageUntil(window, WM_USER + 1));
  worker.join();
  EXPECT_EQ(answer, 77);
  EXPECT_EQ(sent_on, ui);
  ASSERT_NE(Find(window, WM_USER + 1), nullptr);
  EXPECT_EQ(Find(window, WM_USER + 1)->wparam, 42u);
}

TEST_F(Win32SystemTest, ATimerFiresAsWmTimerUntilItIsKilled) {
  const WindowId window = Make({10, 10, 50, 50});
  system_->SetTimer(window, 7, 20);
  EXPECT_TRUE(GetMessageUntil(window, WM_TIMER));
  ASSERT_NE(Find(window, WM_TIMER), nullptr);
  EXPECT_EQ(Find(window, WM_TIMER)->wparam, 7u);
  system_->KillTimer(window, 7);
  log_.clear();
  testing::LetTimePass(100);
  PumpUntil([] { return true; });
  EXPECT_EQ(Find(window, WM_TIMER), nullptr);
}

TEST_F(Win32SystemTest, TheClipboardCarriesUnicodeTextBothWays) {
  system_->SetClipboardText("解析 ü € 𝄞");
  ASSERT_TRUE(::OpenClipboard(nullptr));
  const auto* text = static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT)));
  const std::wstring read = text ? text : L"";
  ::CloseClipboard();
  EXPECT_EQ(read, L"解析 ü € 𝄞");

  const std::wstring written = L"下载 ß";
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (written.size() + 1) * sizeof(wchar_t));
  std::memcpy(::GlobalLock(memory), written.c_str(), (written.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
  EXPECT_TRUE(system_->ClipboardOffersText());
  EXPECT_EQ(system_->ClipboardText(), "下载 ß");
  std::string requested;
  system_->RequestClipboardText([&](std::string utf8) { requested = std::move(utf8); });
  EXPECT_TRUE(PumpUntil([&] { return !requested.empty(); }));
  EXPECT_EQ(requested, "下载 ß");
}

// At twice the scale a logical pixel is two device pixels each way: the
// window is twice its logical size on the screen, and a click lands in
// logical window coordinates.
TEST_F(Win32SystemTest, AClickArrivesInLogicalCoordinatesAndActivatesTheWindowThatThenTakesTheKeys) {
  ASSERT_EQ(_putenv_s("BRIVO_SCALE", "2"), 0);
  const WindowId window = Make({50, 60, 100, 80});
  _putenv_s("BRIVO_SCALE", "");
  ASSERT_NE(window, 0u);
  Make({400, 400, 50, 50});  // the active window until the click
  EXPECT_EQ(system_->Scale(window), 2.0f);
  RECT rect{};
  ::GetWindowRect(system_->NativeOf(window), &rect);
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 160);

  ASSERT_NE(system_->ActiveWindow(), window);
  log_.clear();
  ::SetCursorPos(100 + 61, 120 + 41);
  Click();
  EXPECT_TRUE(PumpUntil([&] { return Find(window, WM_LBUTTONUP) != nullptr; }));
  const Logged* down = Find(window, WM_LBUTTONDOWN);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(PointX(down->lparam), 30);
  EXPECT_EQ(PointY(down->lparam), 20);
  EXPECT_EQ(down->wparam & MK_LBUTTON, MK_LBUTTON);
  EXPECT_EQ(system_->ActiveWindow(), window);
  ASSERT_NE(Find(window, WM_ACTIVATE), nullptr);
  EXPECT_EQ(LowWord(Find(window, WM_ACTIVATE)->wparam), WA_CLICKACTIVE);

  // Keys go to the active window: the key, then the character it types.
  INPUT keys[2]{};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = 'A';
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(::SendInput(2, keys, sizeof(INPUT)), 2u);
  EXPECT_TRUE(PumpUntil([&] { return Find(window, WM_KEYUP) != nullptr; }));
  ASSERT_NE(Find(window, WM_KEYDOWN), nullptr);
  EXPECT_EQ(Find(window, WM_KEYDOWN)->wparam, static_cast<WParam>('A'));
  ASSERT_NE(Find(window, WM_CHAR), nullptr);
  EXPECT_EQ(Find(window, WM_CHAR)->wparam, static_cast<WParam>('a'));

  // The input method's composition window sits at the caret, in device pixels.
  HWND hwnd = system_->NativeOf(window);
  system_->SetImeCaret(window, {10, 20, 1, 16});
  {
    const ImeContext context(hwnd);
    ASSERT_NE(context.get(), nullptr);
    COMPOSITIONFORM composition{};
    ASSERT_TRUE(::ImmGetCompositionWindow(context.get(), &composition));
    EXPECT_EQ(composition.ptCurrentPos.x, 20);
    EXPECT_EQ(composition.ptCurrentPos.y, 40);
  }
  system_->EnableInputMethod(window, false);
  EXPECT_EQ(ImeContext(hwnd).get(), nullptr) << "a window without the input method has no input context";
}

// The capture window gets the clicks outside it; the pointer that left it
// while it held the capture is told of once the capture ends.
TEST_F(Win32SystemTest, TheCaptureTakesClicksOutsideAndTheLeaveComesWhenItEnds) {
  const WindowId window = Make({100, 100, 100, 100});
  ::SetCursorPos(150, 150);
  ASSERT_TRUE(PumpUntil([&] { return Find(window, WM_MOUSEMOVE) != nullptr; }));
  system_->SetCursor(Cursor::IBeam);
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_IBEAM));
  system_->TrackMouseLeave(window);
  system_->SetCapture(window);
  ::SetCursorPos(300, 320);
  Click();
  EXPECT_TRUE(PumpUntil([&] { return Find(window, WM_LBUTTONUP) != nullptr; }));
  ASSERT_NE(Find(window, WM_LBUTTONDOWN), nullptr);
  EXPECT_EQ(PointX(Find(window, WM_LBUTTONDOWN)->lparam), 200);
  EXPECT_EQ(PointY(Find(window, WM_LBUTTONDOWN)->lparam), 220);
  EXPECT_EQ(Find(window, WM_MOUSELEAVE), nullptr) << "no leave while the capture holds";
  system_->ReleaseCapture();
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return Find(window, WM_MOUSELEAVE) != nullptr; }));
}

// The caption and size drags are Windows' own loops: they follow the pointer
// until the button comes up (a worker moves and releases it meanwhile).
TEST_F(Win32SystemTest, TheCaptionDragMovesTheWindowAndTheSizeDragResizesIt) {
  const WindowId window = Make({100, 100, 200, 100});
  DragFrom({150, 120}, {100, 50}, [&] { system_->Send(window, WM_NCLBUTTONDOWN, HTCAPTION, 0); });
  EXPECT_EQ(system_->WindowRect(window), (gfx::RectI{200, 150, 200, 100}));
  EXPECT_NE(Find(window, WM_MOVE), nullptr);

  system_->SetStyle(window, system_->Style(window) | WS_THICKFRAME);
  DragFrom({395, 245}, {40, 30}, [&] { system_->BeginResizeDrag(window, HTBOTTOMRIGHT); });
  EXPECT_EQ(system_->WindowRect(window), (gfx::RectI{200, 150, 240, 130}));
  EXPECT_NE(Find(window, WM_SIZE), nullptr);
}

}  // namespace
}  // namespace winsys::win32
