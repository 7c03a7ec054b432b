#include "platform/window/backend/gtk/gtk_system.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cmath>
#include <mutex>

#include "platform/window/backend/gtk/display_loss.h"
#include "platform/window/backend/gtk/window_at_point.h"
#include "platform/window/backend/gtk/window_icon.h"
#include "platform/window/native_start.h"

namespace winsys {

std::unique_ptr<WindowSystem> StartNativeSystem() { return gtk::GtkSystem::Open(); }

namespace gtk {

namespace {

// A timer's GLib source carries this; the timer itself is looked up again, so a
// killed timer whose source is being removed is never touched.
struct TimerContext {
  GtkSystem* system;
  WindowId window;
  std::uintptr_t id;
};

const char* CursorName(Cursor cursor) {
  switch (cursor) {
    case Cursor::Arrow: return "default";
    case Cursor::IBeam: return "text";
    case Cursor::Wait: return "wait";
    case Cursor::Cross: return "crosshair";
    case Cursor::SizeNWSE: return "nwse-resize";
    case Cursor::SizeNESW: return "nesw-resize";
    case Cursor::SizeWE: return "ew-resize";
    case Cursor::SizeNS: return "ns-resize";
    case Cursor::SizeAll: return "move";
    case Cursor::Hand: return "pointer";
  }
  return "default";
}

GdkWindowEdge EdgeFor(int hit_test_edge) {
  switch (hit_test_edge) {
    case HTLEFT: return GDK_WINDOW_EDGE_WEST;
    case HTRIGHT: return GDK_WINDOW_EDGE_EAST;
    case HTTOP: return GDK_WINDOW_EDGE_NORTH;
    case HTTOPLEFT: return GDK_WINDOW_EDGE_NORTH_WEST;
    case HTTOPRIGHT: return GDK_WINDOW_EDGE_NORTH_EAST;
    case HTBOTTOM: return GDK_WINDOW_EDGE_SOUTH;
    case HTBOTTOMLEFT: return GDK_WINDOW_EDGE_SOUTH_WEST;
  }
  return GDK_WINDOW_EDGE_SOUTH_EAST;
}

NativeWindow::Kind KindFor(const WindowRecord& record) {
  return (record.ex_style & WS_EX_TOOLWINDOW) ? NativeWindow::Kind::kPopup : NativeWindow::Kind::kTopLevel;
}

}  // namespace

std::unique_ptr<GtkSystem> GtkSystem::Open() {
  // Only X11 carries what the framework needs (placed popups, grabs, shapes).
  // Set once: GDK keeps each string it is given.
  static std::once_flag x11_only;
  std::call_once(x11_only, [] {
    gdk_set_allowed_backends("x11");
    // Windows present our own ARGB buffers; GL is never used, and probing it
    // when the display opens loads the GL driver (hundreds of milliseconds
    // with Mesa's llvmpipe). A user's own setting is kept.
    g_setenv("GDK_GL", "disable", FALSE);
  });
  if (!gtk_init_check(nullptr, nullptr) || !gdk_display_get_default()) return nullptr;
  return std::unique_ptr<GtkSystem>(new GtkSystem());
}

GtkSystem::GtkSystem()
    : display_(gdk_display_get_default()),
      units_(ReadUnits(display_)),
      composited_(gdk_screen_is_composited(gdk_screen_get_default()) &&
                  gdk_screen_get_rgba_visual(gdk_screen_get_default())),
      window_manager_(gdk_x11_screen_supports_net_wm_hint(
          gdk_screen_get_default(), gdk_atom_intern_static_string("_NET_WM_STATE_MAXIMIZED_VERT"))),
      input_method_([this](const std::string& utf8) { OnCommit(utf8); }),
      tooltip_(composited_),
      clipboard_([this](std::function<void()> task) { PostTask(std::move(task)); }),
      primary_([this](std::function<void()> task) { PostTask(std::move(task)); }, GDK_SELECTION_PRIMARY) {
  gdk_event_handler_set(&GtkSystem::OnEvent, this, nullptr);
  WatchScale();
}

// GDK's window scale follows the monitors; the font resolution arrives as a
// setting (an XSETTINGS manager announces changes).
void GtkSystem::WatchScale() {
  for (int i = 0; i < gdk_display_get_n_monitors(display_); ++i)
    g_signal_connect(gdk_display_get_monitor(display_, i), "notify::scale-factor",
                     G_CALLBACK(&GtkSystem::OnScaleSetting), this);
}

void GtkSystem::OnScaleSetting(GObject*, GParamSpec*, gpointer self) { static_cast<GtkSystem*>(self)->RescanUnits(); }

void GtkSystem::RescanUnits() {
  const GdkUnits now = ReadUnits(display_);
  if (now == units_) return;
  units_ = now;
  for (auto& [id, native] : natives_) {
    native->SetUnits(units_);
    if (WindowRecord* record = Record(id)) {
      NativePlace(*record);
      NativeShape(*record);
    }
  }
  for (WindowId id : Windows().Ids())
    if (IsWindow(id)) Send(id, WM_DPICHANGED, 0, 0);
}

GtkSystem::~GtkSystem() {
  WaitForSenders();
  for (int i = 0; i < gdk_display_get_n_monitors(display_); ++i)
    g_signal_handlers_disconnect_by_data(gdk_display_get_monitor(display_, i), this);
  gdk_event_handler_set([](GdkEvent* event, gpointer) { gtk_main_do_event(event); }, nullptr, nullptr);
  input_method_.Attach(nullptr);
  tooltip_.Hide();
  ForgetAllWindows();
  gdk_display_flush(display_);
}

void GtkSystem::SetDisplayLostHandler(std::function<void()> handler) { CallOnDisplayLoss(std::move(handler)); }

std::uint32_t GtkSystem::Now() const { return static_cast<std::uint32_t>(g_get_monotonic_time() / 1000); }

void GtkSystem::Sleep(std::uint32_t milliseconds) { g_usleep(static_cast<gulong>(milliseconds) * 1000); }

gfx::PointF GtkSystem::CursorPos() const {
  int x = 0, y = 0;
  gdk_device_get_position(gdk_seat_get_pointer(gdk_display_get_default_seat(display_)), nullptr, &x, &y);
  return {static_cast<float>(std::floor(units_.ToLogical(x))), static_cast<float>(std::floor(units_.ToLogical(y)))};
}

// The server says which top-level shows at the point; it is ours when one of
// our windows sits in it (directly, or inside a window manager's frame).
WindowId GtkSystem::WindowFromPoint(gfx::PointF screen_point) const {
  const int x = static_cast<int>(std::floor(screen_point.x)), y = static_cast<int>(std::floor(screen_point.y));
  const Window top = TopLevelAt(display_, units_.ToNative(x), units_.ToNative(y));
  if (top == None) return 0;
  for (const auto& [id, native] : natives_) {
    const WindowRecord* record = Record(id);
    if (record && record->ShowsAt(x, y) && TopLevelOf(display_, GDK_WINDOW_XID(native->Gdk())) == top) return id;
  }
  return 0;
}

gfx::RectI GtkSystem::WorkArea() const {
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display_);
  if (!monitor) monitor = gdk_display_get_monitor(display_, 0);
  if (!monitor) return {0, 0, 1024, 768};
  GdkRectangle area{};
  gdk_monitor_get_workarea(monitor, &area);
  return units_.ToLogical({area.x, area.y, area.width, area.height});
}

NativeWindow* GtkSystem::Native(WindowId window) const {
  auto it = natives_.find(window);
  return it == natives_.end() ? nullptr : it->second.get();
}

GdkWindow* GtkSystem::NativeOf(WindowId window) const {
  NativeWindow* native = Native(window);
  return native ? native->Gdk() : nullptr;
}

// --- windows ----------------------------------------------------------------------

bool GtkSystem::NativeCreate(WindowRecord& record) {
  auto native = std::make_unique<NativeWindow>(KindFor(record), units_.ToNative(record.rect), record.title,
                                               NativeOf(record.owner), composited_);
  if (!native->Gdk()) return false;
  native->SetUnits(units_);
  if (record.Topmost()) native->SetKeepAbove(true);
  by_gdk_[native->Gdk()] = record.id;
  natives_[record.id] = std::move(native);
  NativeResizable(record);
  return true;
}

void GtkSystem::NativeDestroy(WindowRecord& record) {
  NativeWindow* native = Native(record.id);
  if (!native) return;
  if (input_method_.Attached() == native->Gdk()) input_method_.Attach(nullptr);
  by_gdk_.erase(native->Gdk());
  natives_.erase(record.id);
}

void GtkSystem::NativeShow(WindowRecord& record) {
  NativeWindow* native = Native(record.id);
  if (!native) return;
  // A window manager keeps an iconified window in its own way (mapping it
  // again would bring it back); without one, minimising is emulated by hiding.
  if (window_manager_ && record.visible && record.iconic) return;
  const bool mapped = record.visible && !record.iconic;
  native->SetVisible(mapped);
  if (mapped)
    native->Raise();
  else
    tooltip_.Hide();
}

void GtkSystem::NativePlace(WindowRecord& record) {
  if (NativeWindow* native = Native(record.id)) native->Place(units_.ToNative(record.rect));
}

void GtkSystem::NativeResizable(WindowRecord& record) {
  const WindowId id = record.id;
  const bool resizable = (record.style & WS_THICKFRAME) != 0;
  const MinMaxInfo limits = resizable ? QueryMinMax(id) : MinMaxInfo{};
  if (NativeWindow* native = Native(id))
    native->SetResizable(resizable, units_.ToNative(limits.min_track_width), units_.ToNative(limits.min_track_height));
}

void GtkSystem::NativeTitle(WindowRecord& record) {
  if (NativeWindow* native = Native(record.id)) native->SetTitle(record.title);
}

// GDK names new windows' WM_CLASS after these two: the instance part after the
// program name, the class part after the program class.
void GtkSystem::NativeProgramClass(const std::string& name) {
  g_set_prgname(name.c_str());
  gdk_set_program_class(name.c_str());
}

void GtkSystem::NativeIcon(WindowRecord& record) {
  if (NativeWindow* native = Native(record.id)) gtk::SetIconList(native->Gdk(), record.icons);
}

void GtkSystem::NativeStack(WindowRecord& record) {
  NativeWindow* native = Native(record.id);
  if (!native) return;
  native->SetKeepAbove(record.Topmost());
  if (record.Shown()) native->Raise();
}

void GtkSystem::NativeShape(WindowRecord& record) {
  NativeWindow* native = Native(record.id);
  if (!native) return;
  native->SetRegion(record.region);
  if (!record.Layered()) native->DropAlphaShape();
}

// The input method follows the keyboard only once text input has begun (a
// caret was placed or a key came): attaching needs GTK's settings, whose
// first use parses the whole widget theme, about 25 ms that a window which
// has not yet taken text need not spend before it shows.
void GtkSystem::NativeActivate(WindowRecord& record) {
  NativeWindow* native = Native(record.id);
  if (!native || !record.Shown()) return;
  gdk_window_focus(native->Gdk(), last_event_time_);
  if (record.ime_enabled && input_method_.EverAttached()) input_method_.Attach(native->Gdk());
}

void GtkSystem::NativeCapture(WindowId window) {
  GdkSeat* seat = gdk_display_get_default_seat(display_);
  if (!window) {
    gdk_seat_ungrab(seat);
    return;
  }
  if (GdkWindow* gdk = NativeOf(window); gdk && gdk_window_is_viewable(gdk))
    gdk_seat_grab(seat, gdk, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, nullptr, nullptr, nullptr, nullptr);
}

GdkCursor* GtkSystem::CursorFor(Cursor cursor) {
  auto& slot = cursors_[static_cast<int>(cursor)];
  if (!slot) slot.reset(gdk_cursor_new_from_name(display_, CursorName(cursor)));
  if (!slot) slot.reset(gdk_cursor_new_for_display(display_, GDK_LEFT_PTR));
  return slot.get();
}

void GtkSystem::NativeCursor(Cursor cursor) {
  const WindowId under = Capture() ? Capture() : Hovered();
  if (GdkWindow* gdk = NativeOf(under)) gdk_window_set_cursor(gdk, CursorFor(cursor));
}

// The input method follows the window with the keyboard; a window that turned
// it off drops any composition in progress.
void GtkSystem::NativeInputMethod(WindowRecord& record) {
  GdkWindow* gdk = NativeOf(record.id);
  if (!gdk || record.id != KeyboardTarget()) return;
  if (!record.ime_enabled) {
    input_method_.Reset();
    return;
  }
  input_method_.Attach(gdk);
  input_method_.SetCaret(units_.ToNative(record.ime_caret));
}

void GtkSystem::NativeToolsChanged(WindowId) { tooltip_.Hide(); }

// With a window manager the commands go to it and the state follows from its
// events; without one (plain X) the shared emulation moves the window itself.
bool GtkSystem::NativeMaximize(WindowRecord& record) {
  NativeWindow* native = Native(record.id);
  if (!window_manager_ || !native) return false;
  native->SetZoomed(true);
  gdk_window_maximize(native->Gdk());
  return true;
}

bool GtkSystem::NativeMinimize(WindowRecord& record) {
  if (!window_manager_) return false;
  gdk_window_iconify(NativeOf(record.id));
  return true;
}

bool GtkSystem::NativeRestore(WindowRecord& record) {
  if (!window_manager_) return false;
  if (record.iconic)
    gdk_window_deiconify(NativeOf(record.id));
  else if (record.zoomed)
    gdk_window_unmaximize(NativeOf(record.id));
  return true;
}

void GtkSystem::BeginMoveDrag(WindowId window) {
  GdkWindow* gdk = NativeOf(window);
  if (!gdk) return;
  gdk_window_begin_move_drag(gdk, 1, static_cast<int>(last_press_root_.x), static_cast<int>(last_press_root_.y),
                             last_event_time_);
}

void GtkSystem::BeginResizeDrag(WindowId window, int hit_test_edge) {
  if (WindowRecord* record = Record(window)) NativeResizable(*record);  // the limits as the window gives them now
  GdkWindow* gdk = NativeOf(window);
  if (!gdk) return;
  gdk_window_begin_resize_drag(gdk, EdgeFor(hit_test_edge), 1, static_cast<int>(last_press_root_.x),
                               static_cast<int>(last_press_root_.y), last_event_time_);
}

// --- pixels -----------------------------------------------------------------------

void GtkSystem::Present(WindowId window, const gfx::Bitmap& back_buffer, const gfx::RectI& rect) {
  if (NativeWindow* native = Native(window)) native->Present(back_buffer, rect);
}

void GtkSystem::PresentLayered(WindowId window, const gfx::Bitmap& back_buffer, std::uint8_t alpha) {
  if (NativeWindow* native = Native(window)) native->PresentLayered(back_buffer, alpha);
}

// --- clipboard and sound ------------------------------------------------------------

std::string GtkSystem::ClipboardText() {
  CharPtr text(gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD)));
  return text ? std::string(text.get()) : std::string();
}

void GtkSystem::RequestClipboardText(std::function<void(std::string)> done) { clipboard_.RequestText(std::move(done)); }

bool GtkSystem::ClipboardOffersText() { return clipboard_.OffersText(); }

void GtkSystem::SetClipboardText(std::string_view utf8) {
  gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), utf8.data(), static_cast<gint>(utf8.size()));
}

void GtkSystem::SetPrimaryText(std::string_view utf8) {
  gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_PRIMARY), utf8.data(), static_cast<gint>(utf8.size()));
}

void GtkSystem::RequestPrimaryText(std::function<void(std::string)> done) { primary_.RequestText(std::move(done)); }

void GtkSystem::Beep() { gdk_display_beep(display_); }

// --- timers and the loop -------------------------------------------------------------

void GtkSystem::NativeTimerSet(Timer& timer) {
  auto* context = new TimerContext{this, timer.window, timer.id};
  timer.native_source = g_timeout_add_full(G_PRIORITY_DEFAULT, timer.interval, &GtkSystem::OnTimer, context,
                                           [](gpointer c) { delete static_cast<TimerContext*>(c); });
}

void GtkSystem::NativeTimerKilled(Timer& timer) {
  if (timer.native_source) g_source_remove(timer.native_source);
  timer.native_source = 0;
}

// A due timer queues one WM_TIMER; it does not pile up more while that one waits.
gboolean GtkSystem::OnTimer(gpointer data) {
  const auto* context = static_cast<TimerContext*>(data);
  GtkSystem* system = context->system;
  Timer* timer = system->Timers().Find(context->window, context->id);
  if (!timer) return G_SOURCE_REMOVE;
  if (!timer->queued) {
    timer->queued = true;
    system->Queue().PushMessage({context->window, WM_TIMER, context->id, 0, system->Now()});
  }
  return G_SOURCE_CONTINUE;
}

bool GtkSystem::PeekMessage(Message& message, bool remove) {
  RunReadySources();
  return WindowSystemBase::PeekMessage(message, remove);
}

// Each iteration hands over at most one X event; the bound keeps a flood of
// input (or a source that is always ready) from holding the caller for ever.
void GtkSystem::RunReadySources() {
  constexpr int kMostIterations = 256;
  for (int i = 0; i < kMostIterations && g_main_context_iteration(nullptr, FALSE); ++i) {
  }
}

// Safe from any thread: a posted message must end a blocking iteration.
void GtkSystem::WakeUp() { g_main_context_wakeup(nullptr); }

bool GtkSystem::WaitForMessages() {
  g_main_context_iteration(nullptr, TRUE);
  return true;
}

}  // namespace gtk
}  // namespace winsys
