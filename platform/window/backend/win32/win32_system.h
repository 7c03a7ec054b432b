#pragma once
// The window system on Win32. Our windows are popup HWNDs of our own window
// class; what Windows tells them becomes messages of our own FIFO queue,
// converted once to logical pixels, which GetMessage fills by pumping the
// thread's Windows queue. Windows' message numbers are ours, so most pass
// through unchanged.
//
// A hidden message-only window serves the whole system: worker threads wake
// the loop by posting to it, our timers are its Windows timers, and it owns
// the clipboard while we write it. Tool tips are the common controls' own.
//
// Mouse:  the press, release and double click come from Windows itself (the
//         class has CS_DBLCLKS: DOWN, UP, DBLCLK, UP); Windows' capture sends
//         them to the capture window; TrackMouseEvent tells when the pointer
//         leaves, and our own mouse-leave tracking takes it from there.
// Keys:   WM_KEYDOWN etc. and the WM_CHAR that TranslateMessage makes go to
//         the window with our keyboard focus; the input method's result
//         arrives as WM_IME_COMPOSITION (result in ImeResult).
// Places: WM_WINDOWPOSCHANGED from a move or size the user made (the system
//         loops, the taskbar) updates the record; our own placements do not
//         come back.
#include <atomic>
#include <memory>
#include <unordered_map>
#include <utility>

#include "platform/window/backend/win32/native_window.h"
#include "platform/window/backend/win32/tooltips.h"
#include "platform/window/backend/win32/win32_handles.h"
#include "platform/window/backend/win32/windows_api.h"
#include "platform/window/window_system_base.h"

namespace winsys::win32 {

class Win32System : public WindowSystemBase {
 public:
  // Null when Windows gives no window class (no desktop).
  static std::unique_ptr<Win32System> Open();
  ~Win32System() override;

  std::uint32_t Now() const override;
  void Sleep(std::uint32_t milliseconds) override;
  // Pumps what Windows has ready first, so that a loop of Sleep and
  // PeekMessage sees what GetMessage would.
  bool PeekMessage(Message& message, bool remove) override;
  gfx::PointF CursorPos() const override;
  // Asks Windows, so that other programs' windows count.
  WindowId WindowFromPoint(gfx::PointF screen_point) const override;
  void BeginMoveDrag(WindowId window) override;
  void BeginResizeDrag(WindowId window, int hit_test_edge) override;
  float Scale(WindowId window) const override;
  gfx::RectI WorkArea() const override;
  void Present(WindowId window, const gfx::Bitmap& back_buffer, const gfx::RectI& rect) override;
  void PresentLayered(WindowId window, const gfx::Bitmap& back_buffer, std::uint8_t alpha) override;
  std::string ClipboardText() override;
  void RequestClipboardText(std::function<void(std::string)> done) override;
  bool ClipboardOffersText() override;
  void SetClipboardText(std::string_view utf8) override;
  void Beep() override;

  HWND NativeOf(WindowId window) const;
  WindowId IdOf(HWND window) const;

 protected:
  bool NativeCreate(WindowRecord& record) override;
  void NativeDestroy(WindowRecord& record) override;
  void NativeShow(WindowRecord& record) override;
  void NativePlace(WindowRecord& record) override;
  void NativeTitle(WindowRecord& record) override;
  void NativeStack(WindowRecord& record) override;
  void NativeShape(WindowRecord& record) override;
  void NativeResizable(WindowRecord& record) override;
  void NativeActivate(WindowRecord& record) override;
  void NativeCapture(WindowId window) override;
  void NativeCursor(Cursor cursor) override;
  void NativeInputMethod(WindowRecord& record) override;
  void NativeIcon(WindowRecord& record) override;
  void NativeToolsChanged(WindowId owner) override;
  void NativeTimerSet(Timer& timer) override;
  void NativeTimerKilled(Timer& timer) override;
  void WakeUp() override;
  bool WaitForMessages() override;

 private:
  Win32System(ATOM window_class, ATOM helper_class);
  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK HelperProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // What Windows tells one of our windows (win32_events.cpp).
  LRESULT OnNative(WindowId window, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void OnMouse(WindowId window, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void OnWheel(WindowId window, WPARAM wparam, LPARAM lparam);
  void OnImeComposition(WindowId window, HWND hwnd, WPARAM wparam, LPARAM lparam);
  void OnActivate(WindowId window, WPARAM wparam, LPARAM lparam);
  void OnPositionChanged(WindowId window, HWND hwnd);
  void OnDpiChanged(WindowId window, unsigned dpi, const RECT& suggested);
  void OnPaint(WindowId window, HWND hwnd);
  void OnMinMaxInfo(WindowId window, MINMAXINFO& info);
  void OnTimer(UINT_PTR native_id);
  // Runs what Windows has queued for this thread; false when there was nothing.
  bool PumpNative();
  NativeWindow* Native(WindowId window) const;
  ScreenUnits UnitsOf(WindowId window) const;
  ScreenUnits SystemUnits() const;
  // One of the system's own loops (move, size) started from a pressed button.
  void RunSystemLoop(WindowId window, WPARAM command);

  ATOM window_class_;
  ATOM helper_class_;
  WindowHandle helper_;
  std::unordered_map<WindowId, std::unique_ptr<NativeWindow>> natives_;
  std::unordered_map<HWND, WindowId> by_hwnd_;
  Tooltips tooltips_;
  std::unordered_map<UINT_PTR, std::pair<WindowId, std::uintptr_t>> timer_keys_;
  UINT_PTR next_timer_ = 0;
  std::atomic<bool> wake_posted_{false};
  // Set while we move, show or stack a window ourselves: what Windows reports
  // back about it is already in the record.
  int placing_ = 0;
};

}  // namespace winsys::win32
