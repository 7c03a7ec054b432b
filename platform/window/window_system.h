#pragma once
// The window system the framework runs on: windows with window procedures, one
// message queue per UI thread, timers, capture and focus, properties, present of
// ARGB back buffers, the input method, clipboard, cursors and the system move
// and size loops, with the meanings of the Windows calls they replace.
//
// One implementation is active per process (Current()); it is chosen at start:
// the real display's (GTK on Linux, Win32 on Windows), unless
// BRIVO_PLATFORM=headless asks for the headless one (for tests). All calls are
// made on the UI thread (the thread that called Start()), except Post, PostTask
// and Send, which are safe from any thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/window/messages.h"

namespace winsys {

// A window handle: 0 is none. Handles are never reused within a process.
using WindowId = std::uint32_t;

using WindowProc = std::function<LResult(WindowId, unsigned message, WParam, LParam)>;
using TimerProc = std::function<void(WindowId, unsigned message, std::uintptr_t timer_id, std::uint32_t time)>;

struct Message {
  WindowId window = 0;
  unsigned message = 0;
  WParam wparam = 0;
  LParam lparam = 0;
  std::uint32_t time = 0;  // milliseconds of the system's clock when it was queued
};

struct CreateParams {
  WindowId parent = 0;  // owner of a top-level (popup) window; 0 for none
  std::string title;    // UTF-8
  gfx::RectI rect;      // screen coordinates
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  WindowProc proc;  // empty: DefWindowProc
};

// WM_GETMINMAXINFO's record; lparam points at one.
struct MinMaxInfo {
  gfx::RectI max_rect;  // position and size of the maximised window
  int min_track_width = 0;
  int min_track_height = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // --- windows -------------------------------------------------------------------
  // Creates the window (sending WM_CREATE) and returns its handle, 0 on failure.
  // The window is hidden unless the style holds WS_VISIBLE.
  virtual WindowId CreateWindow(const CreateParams& params) = 0;
  // Sends WM_DESTROY to the window (and first to the windows it owns), then forgets it.
  virtual bool DestroyWindow(WindowId window) = 0;
  virtual bool IsWindow(WindowId window) const = 0;
  virtual bool ShowWindow(WindowId window, int show_command) = 0;  // SW_*; true if it was visible
  virtual bool IsVisible(WindowId window) const = 0;
  virtual bool IsZoomed(WindowId window) const = 0;
  virtual bool IsIconic(WindowId window) const = 0;
  // Moves and/or resizes; a size change sends WM_SIZE (SIZE_RESTORED, packed size).
  virtual void SetWindowRect(WindowId window, const gfx::RectI& rect) = 0;
  virtual gfx::RectI WindowRect(WindowId window) const = 0;  // screen coordinates
  virtual void SetTopmost(WindowId window, bool topmost) = 0;
  virtual WindowId Owner(WindowId window) const = 0;

  virtual std::uint32_t Style(WindowId window) const = 0;
  virtual std::uint32_t ExStyle(WindowId window) const = 0;
  // Stores the new styles and sends WM_STYLECHANGED (wparam -16 style / -20 ex style).
  virtual void SetStyle(WindowId window, std::uint32_t style) = 0;
  virtual void SetExStyle(WindowId window, std::uint32_t ex_style) = 0;

  // Sends WM_SETTEXT (lparam: const char* UTF-8); DefWindowProc stores the title.
  virtual bool SetWindowText(WindowId window, std::string_view utf8) = 0;
  virtual std::string WindowText(WindowId window) const = 0;

  // Replaces the window procedure and returns the one it had (subclassing).
  virtual WindowProc SetWindowProc(WindowId window, WindowProc proc) = 0;
  // Default processing: WM_SETTEXT stores the title, WM_CLOSE destroys the window,
  // WM_SYSCOMMAND carries out SC_MAXIMIZE/SC_RESTORE/SC_MINIMIZE/SC_CLOSE, Alt+F4
  // (WM_SYSKEYDOWN VK_F4) sends SC_CLOSE; 0 otherwise.
  virtual LResult DefWindowProc(WindowId window, unsigned message, WParam wparam, LParam lparam) = 0;

  // Maximise / restore / minimise as the system's own commands.
  virtual void Maximize(WindowId window) = 0;
  virtual void Restore(WindowId window) = 0;
  virtual void Minimize(WindowId window) = 0;

  // The window's visible shape; none: the whole rectangle.
  virtual void SetWindowRegion(WindowId window, std::optional<gfx::Region> region) = 0;

  // Activation and keyboard focus (WM_ACTIVATE, WM_SETFOCUS / WM_KILLFOCUS).
  virtual void SetForeground(WindowId window) = 0;
  virtual WindowId ActiveWindow() const = 0;
  virtual void SetFocus(WindowId window) = 0;
  virtual WindowId Focus() const = 0;

  // --- properties ----------------------------------------------------------------
  virtual void SetProp(WindowId window, std::string_view name, std::intptr_t value) = 0;
  virtual std::intptr_t GetProp(WindowId window, std::string_view name) const = 0;  // 0 when absent
  virtual void RemoveProp(WindowId window, std::string_view name) = 0;

  // --- messages ------------------------------------------------------------------
  // Calls the window procedure and returns its result; from another thread it
  // hands the call to the UI thread and blocks until it has been handled.
  virtual LResult Send(WindowId window, unsigned message, WParam wparam, LParam lparam) = 0;
  // Queues a message; safe from any thread. False when the window does not exist.
  virtual bool Post(WindowId window, unsigned message, WParam wparam, LParam lparam) = 0;
  // Queues a task for the UI thread; safe from any thread.
  virtual void PostTask(std::function<void()> task) = 0;
  // Waits for the next message (running tasks and timers meanwhile). False for WM_QUIT.
  virtual bool GetMessage(Message& message) = 0;
  // The next message if there is one, without waiting.
  virtual bool PeekMessage(Message& message, bool remove) = 0;
  // Key messages already come with their WM_CHAR/WM_SYSCHAR; this is a no-op kept
  // for the shape of the message loop.
  virtual void TranslateMessage(const Message&) {}
  virtual LResult DispatchMessage(const Message& message) = 0;
  virtual void PostQuitMessage(int exit_code) = 0;

  // --- time and timers -----------------------------------------------------------
  virtual std::uint32_t Now() const = 0;  // milliseconds, monotonic
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Periodic timer per (window, id): posts WM_TIMER (wparam id) or calls proc.
  // Setting an existing (window, id) again replaces it.
  virtual void SetTimer(WindowId window, std::uintptr_t timer_id, std::uint32_t interval_ms,
                        TimerProc proc = nullptr) = 0;
  virtual void KillTimer(WindowId window, std::uintptr_t timer_id) = 0;

  // --- mouse ---------------------------------------------------------------------
  virtual void SetCapture(WindowId window) = 0;
  virtual void ReleaseCapture() = 0;
  virtual WindowId Capture() const = 0;
  // One WM_MOUSELEAVE when the pointer next leaves the window.
  virtual void TrackMouseLeave(WindowId window) = 0;
  virtual gfx::PointF CursorPos() const = 0;  // screen coordinates (whole pixels)
  // The window of ours that shows at the screen point: the topmost one there
  // that is shown and whose region holds the point. 0 when none of ours does,
  // also when another application's window covers the point.
  virtual WindowId WindowFromPoint(gfx::PointF screen_point) const = 0;
  virtual void SetCursor(Cursor cursor) = 0;
  // The window manager's own move and size loops, started from a pressed button.
  virtual void BeginMoveDrag(WindowId window) = 0;
  virtual void BeginResizeDrag(WindowId window, int hit_test_edge) = 0;

  // --- screen --------------------------------------------------------------------
  // Every coordinate of this interface is in logical pixels; a window's screen
  // has Scale() device pixels for each (1, 1.25, 1.5, ... 3). A window whose
  // scale changes (moved to another monitor, the desktop's scaling changed)
  // gets WM_DPICHANGED and then draws at the new scale.
  virtual float Scale(WindowId window) const = 0;
  virtual gfx::RectI WorkArea() const = 0;
  // Copies `rect` (window coordinates) of the window's back buffer to the screen;
  // a buffer at the window's scale is copied pixel for pixel, another is scaled.
  virtual void Present(WindowId window, const gfx::Bitmap& back_buffer, const gfx::RectI& rect) = 0;
  // Pushes the whole buffer with per-pixel alpha times `alpha` (a layered window).
  // Without a compositor the transparent pixels are cut away by a shape instead.
  virtual void PresentLayered(WindowId window, const gfx::Bitmap& back_buffer, std::uint8_t alpha) = 0;
  // For WM_PAINT: the part of the window that needs painting (and validates it).
  virtual gfx::RectI BeginPaint(WindowId window) = 0;
  virtual void EndPaint(WindowId window) = 0;
  virtual void InvalidateRect(WindowId window, std::optional<gfx::RectI> rect) = 0;
  // 0 here: no desktop-composition blur on Linux.
  virtual int OsMajorVersion() const { return 0; }

  // --- keyboard state, input method, clipboard, sound, tooltips -----------------
  virtual bool IsKeyDown(unsigned virtual_key) const = 0;
  virtual void EnableInputMethod(WindowId window, bool enabled) = 0;
  // Places the candidate window at the caret (window coordinates).
  virtual void SetImeCaret(WindowId window, const gfx::RectI& caret) = 0;
  // The result string of the last WM_IME_COMPOSITION (UTF-8).
  virtual std::string ImeResult(WindowId window) const = 0;
  // Waits for the clipboard's text (UTF-8), however long its owner takes.
  virtual std::string ClipboardText() = 0;
  // Asks for the clipboard's text without waiting: `done` runs later on the UI
  // thread with the text (UTF-8, empty when there is none), or never when the
  // clipboard's owner does not answer within a second or two.
  virtual void RequestClipboardText(std::function<void(std::string)> done) = 0;
  // Whether the clipboard offers text, as far as is known without asking its owner.
  virtual bool ClipboardOffersText() = 0;
  virtual void SetClipboardText(std::string_view utf8) = 0;
  // The X primary selection: what is selected is offered, a middle click
  // pastes it. The same without waiting as the clipboard; none where there is
  // no such selection.
  virtual void SetPrimaryText(std::string_view /*utf8*/) {}
  virtual void RequestPrimaryText(std::function<void(std::string)> /*done*/) {}
  virtual void Beep() = 0;
  // Tool tips: a tip shows after the pointer rests in `rect` (window coordinates)
  // of `owner`; an empty text removes the tool.
  virtual void SetTool(WindowId owner, std::uintptr_t tool_id, const gfx::RectI& rect, std::string_view utf8) = 0;
  virtual void RemoveTool(WindowId owner, std::uintptr_t tool_id) = 0;

  // --- desktop identity ----------------------------------------------------------
  // The program's window class (on X11 both parts of WM_CLASS), by which docks
  // and task switchers match its windows to its desktop entry (StartupWMClass).
  // It applies to windows created afterwards: set it before the first window.
  virtual void SetProgramClass(std::string_view name) = 0;
  virtual std::string ProgramClass() const = 0;
  // The window's icon in the sizes given (square pictures; a dock picks the
  // size it shows). An empty list takes the icon away.
  virtual void SetWindowIcon(WindowId window, const std::vector<gfx::Bitmap>& icons) = 0;

  // --- the display's end ---------------------------------------------------------
  // `handler` runs when the connection to the display is lost (the server
  // ended, or the program's windows were killed with xkill), on the thread
  // that noticed, right before the program ends with exit status 1. No window
  // call works any more: the handler only finishes what must not be left half
  // done. Backends without a display never call it.
  virtual void SetDisplayLostHandler(std::function<void()> handler) { (void)handler; }
};

// The active window system; Start() must have been called.
WindowSystem& Current();

// Chooses and starts the window system for this process (GTK or Win32, or
// headless when BRIVO_PLATFORM=headless). Returns false when there is no display.
bool Start();
// Makes `system` the active one (tests install a headless system this way).
void Install(std::unique_ptr<WindowSystem> system);

}  // namespace winsys
