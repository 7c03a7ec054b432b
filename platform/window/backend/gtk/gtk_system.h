#pragma once
// The window system on GDK 3 (X11). Our windows are plain GdkWindows without any
// GTK widget; GDK events become Windows messages in our own FIFO queue, which
// GetMessage fills by running the GLib main loop.
//
// Double clicks: GDK reports PRESS, RELEASE, PRESS, 2BUTTON_PRESS, RELEASE; the
// second PRESS (with the 2BUTTON_PRESS queued right behind it) becomes one
// WM_LBUTTONDBLCLK, giving Windows' DOWN, UP, DBLCLK, UP.
// Keys: the input method sees each key first; a key it leaves alone becomes
// WM_KEYDOWN (WM_SYSKEYDOWN with Alt) plus WM_CHAR / WM_SYSCHAR. Text it commits
// arrives as WM_CHAR when it is one ASCII character typed by a key, and as
// WM_IME_COMPOSITION (result in ImeResult) otherwise.
#include <gdk/gdk.h>

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>

#include "platform/window/backend/gtk/clipboard_reader.h"
#include "platform/window/backend/gtk/gtk_ptr.h"
#include "platform/window/backend/gtk/input_method.h"
#include "platform/window/backend/gtk/native_window.h"
#include "platform/window/backend/gtk/tooltip_window.h"
#include "platform/window/window_system_base.h"

namespace winsys::gtk {

class GtkSystem : public WindowSystemBase {
 public:
  // Opens the X display (through GTK); null when there is none.
  static std::unique_ptr<GtkSystem> Open();
  ~GtkSystem() override;

  std::uint32_t Now() const override;
  void Sleep(std::uint32_t milliseconds) override;
  // Runs the GLib sources that are ready (X input, due timers) without waiting,
  // so that a loop of Sleep and PeekMessage sees what GetMessage would.
  bool PeekMessage(Message& message, bool remove) override;
  gfx::PointF CursorPos() const override;
  // Asks the X server, so that other applications' windows and the window
  // manager's stacking count.
  WindowId WindowFromPoint(gfx::PointF screen_point) const override;
  void BeginMoveDrag(WindowId window) override;
  void BeginResizeDrag(WindowId window, int hit_test_edge) override;
  float Scale(WindowId) const override { return units_.scale; }
  gfx::RectI WorkArea() const override;
  void Present(WindowId window, const gfx::Bitmap& back_buffer, const gfx::RectI& rect) override;
  void PresentLayered(WindowId window, const gfx::Bitmap& back_buffer, std::uint8_t alpha) override;
  std::string ClipboardText() override;
  void RequestClipboardText(std::function<void(std::string)> done) override;
  bool ClipboardOffersText() override;
  void SetClipboardText(std::string_view utf8) override;
  void SetPrimaryText(std::string_view utf8) override;
  void RequestPrimaryText(std::function<void(std::string)> done) override;
  void Beep() override;
  void SetDisplayLostHandler(std::function<void()> handler) override;

  GdkWindow* NativeOf(WindowId window) const;

 protected:
  bool NativeCreate(WindowRecord& record) override;
  void NativeDestroy(WindowRecord& record) override;
  void NativeShow(WindowRecord& record) override;
  void NativePlace(WindowRecord& record) override;
  void NativeResizable(WindowRecord& record) override;
  void NativeTitle(WindowRecord& record) override;
  void NativeStack(WindowRecord& record) override;
  void NativeShape(WindowRecord& record) override;
  void NativeActivate(WindowRecord& record) override;
  void NativeCapture(WindowId window) override;
  void NativeCursor(Cursor cursor) override;
  void NativeInputMethod(WindowRecord& record) override;
  void NativeToolsChanged(WindowId owner) override;
  void NativeProgramClass(const std::string& name) override;
  void NativeIcon(WindowRecord& record) override;
  bool NativeMaximize(WindowRecord& record) override;
  bool NativeMinimize(WindowRecord& record) override;
  bool NativeRestore(WindowRecord& record) override;
  void NativeTimerSet(Timer& timer) override;
  void NativeTimerKilled(Timer& timer) override;
  void WakeUp() override;
  bool WaitForMessages() override;

 private:
  GtkSystem();
  static void OnEvent(GdkEvent* event, gpointer self);
  static gboolean OnTimer(gpointer context);
  static void OnScaleSetting(GObject*, GParamSpec*, gpointer self);
  // Reads the display's units again; on a change every window keeps its
  // logical geometry and hears WM_DPICHANGED.
  void RescanUnits();
  void WatchScale();
  void HandleEvent(GdkEvent* event, WindowId window);
  void OnButton(const GdkEventButton& event, WindowId window);
  void OnMotion(const GdkEventMotion& event, WindowId window);
  void OnCrossing(const GdkEventCrossing& event, WindowId window);
  void OnScroll(const GdkEventScroll& event, WindowId window);
  void OnKey(GdkEventKey& event, WindowId window);
  void OnFocus(const GdkEventFocus& event, WindowId window);
  void OnConfigure(const GdkEventConfigure& event, WindowId window);
  void OnWindowState(const GdkEventWindowState& event, WindowId window);
  void OnCommit(const std::string& utf8);
  void QueueKey(const GdkEventKey& event, WindowId target);
  void QueueMouse(WindowId window, unsigned message, WParam keys, double x_root, double y_root);
  void UpdateTooltip(WindowId window, double x_root, double y_root);
  WindowId MouseTarget(WindowId event_window) const;
  WindowId KeyTarget(WindowId event_window) const;
  WindowId FocusHolder(WindowId window) const;
  void RunReadySources();
  NativeWindow* Native(WindowId window) const;
  GdkCursor* CursorFor(Cursor cursor);

  GdkDisplay* display_;
  GdkUnits units_;
  bool composited_;
  bool window_manager_;
  std::unordered_map<WindowId, std::unique_ptr<NativeWindow>> natives_;
  std::unordered_map<GdkWindow*, WindowId> by_gdk_;
  std::unordered_map<int, ObjectPtr<GdkCursor>> cursors_;
  InputMethod input_method_;
  TooltipWindow tooltip_;
  ClipboardReader clipboard_;
  ClipboardReader primary_;
  guint32 last_event_time_ = GDK_CURRENT_TIME;
  // Where the last button went down: the system move and size loops start
  // there, not where the pointer has got to by the time the press is handled.
  gfx::PointF last_press_root_{};
  bool filtering_key_ = false;  // a key is with the input method right now
  std::string committed_while_filtering_;
  bool skip_double_press_ = false;  // the PRESS already went out as a double click
  double scroll_rest_ = 0;          // smooth-scroll distance not yet sent
};

}  // namespace winsys::gtk
