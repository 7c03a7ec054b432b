#pragma once
// A complete window system without a display, for tests: windows keep their
// state and the pixels pushed to them, one FIFO queue carries posted messages,
// tasks and injected input, and timers run on a virtual clock that only moves
// when the test says so.
//
// Input is injected in the shape the GTK backend delivers it:
//  - positions are window coordinates of the window passed in (converted to the
//    screen; the message goes to the capture window, else to the topmost window
//    under the point, with client coordinates packed in lparam and MK_* keys in
//    wparam; WM_MOUSEWHEEL carries screen coordinates, as on Windows);
//  - a second left press within 500 ms (virtual) and 2 px of the first comes as
//    WM_LBUTTONDBLCLK, so DoubleClick gives DOWN, UP, DBLCLK, UP; Advance the
//    clock between two separate clicks on the same spot;
//  - a press activates the window under it (unless WS_EX_NOACTIVATE);
//  - KeyDown gives WM_KEYDOWN (WM_SYSKEYDOWN while Alt is held) followed by the
//    WM_CHAR that key types, if any; TypeText gives only WM_CHAR messages, one
//    per UTF-16 code unit in wparam; keys go to the focus window.
// Every injection queues its messages and then runs RunPending(), except while
// the idle handler runs: then the modal loop that called GetMessage gets them.
//
// GetMessage never sleeps. With the queue empty and nothing due it calls the
// idle handler; when that returns false (or there is none) it moves the clock
// to the next timer; with no timer, or after ten virtual minutes of nothing but
// timers, it returns false as if WM_QUIT had come, so a test never hangs.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/window/window_system_base.h"

namespace winsys {

class HeadlessSystem : public WindowSystemBase {
 public:
  // The screen's scale: BRIVO_SCALE, or 1.
  HeadlessSystem();
  ~HeadlessSystem() override;

  // --- the window system ---
  std::uint32_t Now() const override { return static_cast<std::uint32_t>(now_.load()); }
  // Like a real sleep, it dispatches nothing: timers that fell due meanwhile
  // fire at the next message retrieval, once each.
  void Sleep(std::uint32_t milliseconds) override { SetClock(now_ + milliseconds); }
  gfx::PointF CursorPos() const override;
  void BeginMoveDrag(WindowId window) override;
  void BeginResizeDrag(WindowId window, int hit_test_edge) override;
  float Scale(WindowId) const override { return scale_; }
  gfx::RectI WorkArea() const override { return work_area_; }
  void Present(WindowId window, const gfx::Bitmap& back_buffer, const gfx::RectI& rect) override;
  void PresentLayered(WindowId window, const gfx::Bitmap& back_buffer, std::uint8_t alpha) override;
  std::string ClipboardText() override { return clipboard_; }
  // Answers at once, as an owner in this process does.
  void RequestClipboardText(std::function<void(std::string)> done) override { done(clipboard_); }
  bool ClipboardOffersText() override { return !clipboard_.empty(); }
  void SetClipboardText(std::string_view utf8) override { clipboard_ = std::string(utf8); }
  void SetPrimaryText(std::string_view utf8) override { primary_ = std::string(utf8); }
  void RequestPrimaryText(std::function<void(std::string)> done) override { done(primary_); }
  const std::string& PrimaryText() const { return primary_; }
  void Beep() override { ++beeps_; }

  // --- time and the queue ---
  // Moves the clock forward; every timer that falls due on the way fires in
  // due-time order with Now() at its due time, and queued messages are
  // dispatched as a message loop would.
  void Advance(std::uint32_t milliseconds);
  // Dispatches queued messages, tasks and paints until nothing is left (a
  // pending WM_QUIT stays queued).
  void RunPending();
  // Called by GetMessage when it would wait; returns true when it did something
  // (injected input, advanced the clock, ...), false when it has nothing more.
  void SetIdleHandler(std::function<bool()> handler) { idle_handler_ = std::move(handler); }
  // Really waits (wall clock) until another thread queued something.
  bool WaitForPost(std::uint32_t timeout_ms);

  // --- mouse (window coordinates of `window`) ---
  void MoveMouse(WindowId window, int x, int y);
  void MoveMouseToScreen(int x, int y);
  void PressLeft();
  void ReleaseLeft();
  void PressLeft(WindowId window, int x, int y);
  void ReleaseLeft(WindowId window, int x, int y);
  void Click(WindowId window, int x, int y);
  void DoubleClick(WindowId window, int x, int y);
  void PressRight();
  void ReleaseRight();
  void PressRight(WindowId window, int x, int y);
  // A middle click at a window point.
  void MiddleClick(WindowId window, int x, int y);
  void ReleaseRight(WindowId window, int x, int y);
  void Wheel(int delta);  // WHEEL_DELTA is 120 per notch; positive is away from the user

  // --- keyboard and input method (to the focus window) ---
  void KeyDown(unsigned virtual_key);
  void KeyUp(unsigned virtual_key);
  void KeyPress(unsigned virtual_key);  // down and up
  void TypeText(std::string_view utf8);
  void SysChar(char ch);  // Alt+ch: WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP
  // A committed composition: WM_IME_COMPOSITION with GCS_RESULTSTR (ImeResult
  // gives the text), or plain WM_CHARs when the window's input method is off.
  void ImeCommit(std::string_view utf8);
  // Whether the window's input method is on, and where it would put its
  // candidate window (window coordinates).
  bool InputMethodEnabled(WindowId window) const;
  gfx::RectI ImeCaret(WindowId window) const;

  // --- what the screen shows ---
  // Every window moves to a screen of this scale (WM_DPICHANGED to each).
  void SetScale(float scale);
  // The window's pixels (at the screen's scale) as last presented, with the window region cut out
  // (transparent); an ordinary window shows opaque pixels, a layered one its
  // per-pixel alpha times the constant alpha.
  gfx::Bitmap ScreenPixels(WindowId window) const;
  int BeepCount() const { return beeps_; }
  std::vector<WindowId> Windows() const { return WindowSystemBase::Windows().Ids(); }
  void SetWorkArea(const gfx::RectI& rect) { work_area_ = rect; }
  // The last constant alpha pushed with PresentLayered (255 before any).
  std::uint8_t LayeredAlpha(WindowId window) const;
  bool LeftDown() const { return left_down_; }

 protected:
  void NativeDestroy(WindowRecord& record) override;
  bool WaitForMessages() override;
  bool DueTimerMessage(Message& message, bool remove) override;
  void NativeTimerSet(Timer& timer) override;

 private:
  struct Screen {
    gfx::Bitmap pixels;
    std::uint8_t alpha = 255;
  };
  struct Drag {
    WindowId window = 0;
    int edge = 0;  // HT edge code; 0 moves
    gfx::PointF start;
    gfx::RectI start_rect;
    MinMaxInfo limits;
  };

  void Deliver();
  void QueueKeyDown(unsigned virtual_key);
  void QueueKeyUp(unsigned virtual_key);
  void QueueChars(std::string_view utf8);
  unsigned TypedChar(unsigned virtual_key) const;
  void SetClock(std::uint64_t now);
  WindowId MouseTarget() const;
  void QueueMouse(unsigned message);
  WParam MouseKeys() const;
  unsigned LeftPressMessage();
  void ActivateOnPress(WindowId under);
  gfx::RectI DraggedRect() const;
  Screen& ScreenOf(WindowId window);

  std::atomic<std::uint64_t> now_{0};
  std::uint64_t auto_advanced_ = 0;  // clock moved by GetMessage since the test last acted
  std::function<bool()> idle_handler_;
  bool in_idle_ = false;
  float scale_ = 1.0f;
  gfx::RectI work_area_{0, 0, 1024, 768};
  std::unordered_map<WindowId, Screen> screens_;
  std::string clipboard_;
  std::string primary_;
  int beeps_ = 0;
  gfx::PointF pointer_;
  bool left_down_ = false;
  bool right_down_ = false;
  std::bitset<256> keys_held_;  // as injected (the dispatched state is IsKeyDown)
  std::optional<Drag> drag_;
  struct LastPress {
    WindowId window = 0;
    gfx::PointF where;
    std::uint64_t time = 0;
    bool was_double = false;
  };
  std::optional<LastPress> last_press_;
};

}  // namespace winsys
