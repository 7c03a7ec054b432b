#pragma once
// The part of the window system that is the same on every backend: window
// records and their messages, the queue, dispatch, activation and focus,
// capture and mouse-leave tracking, timers' bookkeeping, paint regions, key
// state, tool records. A backend supplies the native side through the Native*
// hooks and says how to wait for the next message.
#include <atomic>
#include <bitset>
#include <thread>
#include <vector>

#include "platform/window/message_queue.h"
#include "platform/window/timer_table.h"
#include "platform/window/tool_record.h"
#include "platform/window/window_system.h"
#include "platform/window/window_table.h"

namespace winsys {

class WindowSystemBase : public WindowSystem {
 public:
  ~WindowSystemBase() override;

  WindowId CreateWindow(const CreateParams& params) override;
  bool DestroyWindow(WindowId window) override;
  bool IsWindow(WindowId window) const override;
  bool ShowWindow(WindowId window, int show_command) override;
  bool IsVisible(WindowId window) const override;
  bool IsZoomed(WindowId window) const override;
  bool IsIconic(WindowId window) const override;
  void SetWindowRect(WindowId window, const gfx::RectI& rect) override;
  gfx::RectI WindowRect(WindowId window) const override;
  void SetTopmost(WindowId window, bool topmost) override;
  WindowId Owner(WindowId window) const override;
  std::uint32_t Style(WindowId window) const override;
  std::uint32_t ExStyle(WindowId window) const override;
  void SetStyle(WindowId window, std::uint32_t style) override;
  void SetExStyle(WindowId window, std::uint32_t ex_style) override;
  bool SetWindowText(WindowId window, std::string_view utf8) override;
  std::string WindowText(WindowId window) const override;
  WindowProc SetWindowProc(WindowId window, WindowProc proc) override;
  LResult DefWindowProc(WindowId window, unsigned message, WParam wparam, LParam lparam) override;
  void Maximize(WindowId window) override;
  void Restore(WindowId window) override;
  void Minimize(WindowId window) override;
  void SetWindowRegion(WindowId window, std::optional<gfx::Region> region) override;
  void SetForeground(WindowId window) override;
  WindowId ActiveWindow() const override { return active_; }
  void SetFocus(WindowId window) override;
  WindowId Focus() const override { return focus_; }

  void SetProp(WindowId window, std::string_view name, std::intptr_t value) override;
  std::intptr_t GetProp(WindowId window, std::string_view name) const override;
  void RemoveProp(WindowId window, std::string_view name) override;

  LResult Send(WindowId window, unsigned message, WParam wparam, LParam lparam) override;
  bool Post(WindowId window, unsigned message, WParam wparam, LParam lparam) override;
  void PostTask(std::function<void()> task) override;
  bool GetMessage(Message& message) override;
  bool PeekMessage(Message& message, bool remove) override;
  LResult DispatchMessage(const Message& message) override;
  void PostQuitMessage(int exit_code) override;

  void SetTimer(WindowId window, std::uintptr_t timer_id, std::uint32_t interval_ms, TimerProc proc = nullptr) override;
  void KillTimer(WindowId window, std::uintptr_t timer_id) override;

  void SetCapture(WindowId window) override;
  void ReleaseCapture() override;
  WindowId Capture() const override { return capture_; }
  void TrackMouseLeave(WindowId window) override;
  void SetCursor(Cursor cursor) override;

  gfx::RectI BeginPaint(WindowId window) override;
  void EndPaint(WindowId window) override;
  void InvalidateRect(WindowId window, std::optional<gfx::RectI> rect) override;

  bool IsKeyDown(unsigned virtual_key) const override;
  void EnableInputMethod(WindowId window, bool enabled) override;
  void SetImeCaret(WindowId window, const gfx::RectI& caret) override;
  std::string ImeResult(WindowId window) const override;
  void SetTool(WindowId owner, std::uintptr_t tool_id, const gfx::RectI& rect, std::string_view utf8) override;
  void RemoveTool(WindowId owner, std::uintptr_t tool_id) override;
  void SetProgramClass(std::string_view name) override;
  std::string ProgramClass() const override { return program_class_; }
  void SetWindowIcon(WindowId window, const std::vector<gfx::Bitmap>& icons) override;
  // The icons the window was given last (none for an unknown window).
  const std::vector<gfx::Bitmap>& WindowIcons(WindowId window) const;

  // By our own stacking order: the topmost shown window whose shape holds the point.
  WindowId WindowFromPoint(gfx::PointF screen_point) const override;
  Cursor CurrentCursor() const { return cursor_; }
  // The exit code of a PostQuitMessage that no loop has taken yet.
  std::optional<int> PendingQuit() const { return quit_pending_ ? std::optional<int>(quit_code_) : std::nullopt; }
  const std::vector<ToolRecord>& Tools() const { return tools_; }

 protected:
  WindowSystemBase();

  // --- native side (called on the UI thread after the record changed) ---
  virtual bool NativeCreate(WindowRecord&) { return true; }
  virtual void NativeDestroy(WindowRecord&) {}
  virtual void NativeShow(WindowRecord&) {}   // visible / iconic changed
  virtual void NativePlace(WindowRecord&) {}  // rect changed by the program
  virtual void NativeTitle(WindowRecord&) {}
  virtual void NativeStack(WindowRecord&) {}      // raised, or topmost changed
  virtual void NativeShape(WindowRecord&) {}      // region or layering changed
  virtual void NativeResizable(WindowRecord&) {}  // WS_THICKFRAME came or went
  virtual void NativeActivate(WindowRecord&) {}   // give it the keyboard
  virtual void NativeCapture(WindowId) {}         // 0: released
  virtual void NativeCursor(Cursor) {}
  virtual void NativeInputMethod(WindowRecord&) {}  // enabled flag or caret changed
  virtual void NativeToolsChanged(WindowId) {}
  virtual void NativeProgramClass(const std::string&) {}
  virtual void NativeIcon(WindowRecord&) {}
  // Return true when the native system carries out the command itself (a
  // window manager); the state then follows from its events.
  virtual bool NativeMaximize(WindowRecord&) { return false; }
  virtual bool NativeMinimize(WindowRecord&) { return false; }
  virtual bool NativeRestore(WindowRecord&) { return false; }
  virtual void NativeTimerSet(Timer&) {}
  virtual void NativeTimerKilled(Timer&) {}
  // Something was queued (maybe from another thread): wake a waiting loop.
  virtual void WakeUp() {}
  // The queue is empty and nothing is due: wait until something may be.
  // False when nothing ever can be: GetMessage then returns false.
  virtual bool WaitForMessages() = 0;
  // A WM_TIMER generated on demand when the queue is empty (virtual clocks).
  virtual bool DueTimerMessage(Message&, bool /*remove*/) { return false; }

  // --- for backends ---
  WindowRecord* Record(WindowId window) { return windows_.Find(window); }
  const WindowRecord* Record(WindowId window) const { return windows_.Find(window); }
  WindowTable& Windows() { return windows_; }
  const WindowTable& Windows() const { return windows_; }
  TimerTable& Timers() { return timers_; }
  MessageQueue& Queue() { return queue_; }
  bool OnUiThread() const { return std::this_thread::get_id() == ui_thread_; }
  // Queues an input message, time-stamped now.
  void QueueInput(WindowId window, unsigned message, WParam wparam, LParam lparam);
  // Queues a composition result: WM_IME_COMPOSITION carrying it on dispatch.
  void QueueImeResult(WindowId window, std::string utf8);
  // Activation that came from (or goes to) the native side.
  void Activate(WindowId window, WParam how, bool tell_native = true);
  // The native window moved or was resized (by the program or the user).
  void ApplyRect(WindowId window, const gfx::RectI& rect, bool tell_native, bool force_size = false);
  // The native side reports maximised / minimised states changed by the window manager.
  void ApplyZoomed(WindowId window, bool zoomed);
  void ApplyIconic(WindowId window, bool iconic);
  // The window under the pointer changed (0: none of ours).
  void PointerOver(WindowId window);
  WindowId Hovered() const { return hover_; }
  // Where keys go: the focus window, else the active window.
  WindowId KeyboardTarget() const { return focus_ ? focus_ : active_; }
  void Invalidate(WindowId window, const gfx::RectI& rect);
  // The minimum tracking size and maximised rectangle the window asks for.
  MinMaxInfo QueryMinMax(WindowId window);
  // Destroys the native side of every window without messages (shutdown).
  void ForgetAllWindows();
  // Shutdown, first thing in the most derived destructor: waits until no other
  // thread is inside Post, PostTask or the queueing part of Send, so that a
  // worker blocked in Send gets a broken answer (0) instead of racing the end.
  void WaitForSenders() const;

 private:
  LResult CallProc(WindowId window, unsigned message, WParam wparam, LParam lparam);
  LResult SendFromOtherThread(WindowId window, unsigned message, WParam wparam, LParam lparam);
  bool NextMessage(Message& message, bool remove);
  bool PaintMessage(Message& message) const;
  void MakeVisible(WindowRecord& record, bool activate);
  void Hide(WindowRecord& record);
  void PassActivationOn(WindowId leaving);
  void ChangeFocus(WindowId window);
  void CheckMouseLeave();
  void TrackKeyState(const Message& message);
  void SendSetCursor(const Message& message);
  void TakeImeResult(const Message& message);
  void SendSize(WindowRecord& record);
  void KillTimersOf(WindowId window);

  std::thread::id ui_thread_;
  mutable std::atomic<int> senders_in_flight_{0};
  WindowTable windows_;
  MessageQueue queue_;
  TimerTable timers_;
  std::vector<ToolRecord> tools_;
  std::string program_class_;
  std::bitset<256> keys_;
  WindowId active_ = 0;
  WindowId focus_ = 0;
  WindowId capture_ = 0;
  WindowId hover_ = 0;
  WindowId leave_tracked_ = 0;
  Cursor cursor_ = Cursor::Arrow;
  bool quit_pending_ = false;
  int quit_code_ = 0;
};

}  // namespace winsys
