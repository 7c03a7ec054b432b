// GtkSystem: GDK events turned into Windows messages, once, at the boundary.
#include <cmath>

#include "platform/window/backend/gtk/gtk_system.h"
#include "platform/window/backend/gtk/key_mapping.h"

namespace winsys::gtk {

namespace {

constexpr LParam kKeyDownBits = 1;
constexpr LParam kKeyUpBits = 0xC0000001;
constexpr LParam kAltBit = 0x20000000;
constexpr double kWheelDelta = 120;

WParam MouseKeys(guint state) {
  WParam keys = 0;
  if (state & GDK_BUTTON1_MASK) keys |= MK_LBUTTON;
  if (state & GDK_BUTTON2_MASK) keys |= MK_MBUTTON;
  if (state & GDK_BUTTON3_MASK) keys |= MK_RBUTTON;
  if (state & GDK_SHIFT_MASK) keys |= MK_SHIFT;
  if (state & GDK_CONTROL_MASK) keys |= MK_CONTROL;
  return keys;
}

WParam ButtonBit(guint button) {
  switch (button) {
    case 1: return MK_LBUTTON;
    case 2: return MK_MBUTTON;
    case 3: return MK_RBUTTON;
  }
  return 0;
}

// GDK queues the 2BUTTON_PRESS right behind the PRESS it belongs to.
bool DoublePressFollows(const GdkEventButton& press) {
  EventPtr next(gdk_event_peek());
  return next && next->type == GDK_2BUTTON_PRESS && next->button.window == press.window &&
         next->button.button == press.button;
}

bool IsSingleAsciiCharacter(const std::string& utf8) {
  return utf8.size() == 1 && static_cast<unsigned char>(utf8[0]) >= 0x20 && static_cast<unsigned char>(utf8[0]) < 0x7F;
}

}  // namespace

void GtkSystem::OnEvent(GdkEvent* event, gpointer self) {
  auto* system = static_cast<GtkSystem*>(self);
  GdkWindow* window = event->any.window;
  if (const guint32 time = gdk_event_get_time(event); time != GDK_CURRENT_TIME) system->last_event_time_ = time;
  if (event->type == GDK_SETTING && event->setting.name && g_str_equal(event->setting.name, "gtk-xft-dpi"))
    system->RescanUnits();
  if (auto it = system->by_gdk_.find(window); it != system->by_gdk_.end()) {
    system->HandleEvent(event, it->second);
    return;
  }
  if (system->tooltip_.Owns(window)) {
    if (event->type == GDK_EXPOSE) system->tooltip_.Repaint();
    return;
  }
  // Everything else is GTK's own business (clipboard transfers, for one).
  gtk_main_do_event(event);
}

void GtkSystem::HandleEvent(GdkEvent* event, WindowId window) {
  switch (event->type) {
    case GDK_BUTTON_PRESS:
    case GDK_BUTTON_RELEASE: OnButton(event->button, window); break;
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS: break;  // the PRESS before it already went out
    case GDK_MOTION_NOTIFY: OnMotion(event->motion, window); break;
    case GDK_ENTER_NOTIFY:
    case GDK_LEAVE_NOTIFY: OnCrossing(event->crossing, window); break;
    case GDK_SCROLL: OnScroll(event->scroll, window); break;
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE: OnKey(event->key, window); break;
    case GDK_FOCUS_CHANGE: OnFocus(event->focus_change, window); break;
    case GDK_CONFIGURE: OnConfigure(event->configure, window); break;
    case GDK_WINDOW_STATE: OnWindowState(event->window_state, window); break;
    case GDK_EXPOSE: {
      const GdkRectangle& area = event->expose.area;
      // Outward, so that no exposed pixel is left out.
      const double per = units_.PerLogical();
      const int x = static_cast<int>(std::floor(area.x / per)), y = static_cast<int>(std::floor(area.y / per));
      Invalidate(window, {x, y, static_cast<int>(std::ceil((area.x + area.width) / per)) - x,
                          static_cast<int>(std::ceil((area.y + area.height) / per)) - y});
      break;
    }
    case GDK_DELETE: Post(window, WM_CLOSE, 0, 0); break;
    case GDK_GRAB_BROKEN:
      if (Capture() == window) ReleaseCapture();
      break;
    default: break;
  }
}

// --- mouse ----------------------------------------------------------------------------

WindowId GtkSystem::MouseTarget(WindowId event_window) const { return Capture() ? Capture() : event_window; }

void GtkSystem::QueueMouse(WindowId window, unsigned message, WParam keys, double x_root, double y_root) {
  const gfx::RectI rect = WindowRect(window);
  const int x = static_cast<int>(std::floor(units_.ToLogical(x_root))) - rect.x;
  const int y = static_cast<int>(std::floor(units_.ToLogical(y_root))) - rect.y;
  QueueInput(window, message, keys, PackPoint(x, y));
}

void GtkSystem::OnButton(const GdkEventButton& event, WindowId window) {
  const bool press = event.type == GDK_BUTTON_PRESS;
  if (event.button < 1 || event.button > 3) return;
  const WindowId target = MouseTarget(window);
  // GDK's state is from before the event; Windows reports the state after it.
  WParam keys = MouseKeys(event.state);
  keys = press ? keys | ButtonBit(event.button) : keys & ~ButtonBit(event.button);
  unsigned message;
  if (event.button == 1)
    message = !press ? WM_LBUTTONUP : DoublePressFollows(event) ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
  else if (event.button == 2)
    message = press ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  else
    message = !press ? WM_RBUTTONUP : DoublePressFollows(event) ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
  // Queued before the activation is sent: a loop that runs inside WM_ACTIVATE
  // (and reads more X input) must find the press ahead of its release.
  QueueMouse(target, message, keys, event.x_root, event.y_root);
  if (!press) return;
  last_press_root_ = {static_cast<float>(event.x_root), static_cast<float>(event.y_root)};
  tooltip_.Hide();
  // A click activates the window it lands on, as Windows does (and as no
  // window manager does for us on a bare X server).
  if (!Capture() && target != ActiveWindow() && !(ExStyle(target) & WS_EX_NOACTIVATE)) Activate(target, WA_CLICKACTIVE);
}

void GtkSystem::OnMotion(const GdkEventMotion& event, WindowId window) {
  if (!Capture() && Hovered() != window) PointerOver(window);
  QueueMouse(MouseTarget(window), WM_MOUSEMOVE, MouseKeys(event.state), event.x_root, event.y_root);
  UpdateTooltip(window, event.x_root, event.y_root);
}

// Crossings caused by grabs are not pointer movement; the ungrab ones tell
// where the pointer really is once the grab is gone.
void GtkSystem::OnCrossing(const GdkEventCrossing& event, WindowId window) {
  if (event.mode == GDK_CROSSING_GRAB || event.detail == GDK_NOTIFY_INFERIOR) return;
  if (event.type == GDK_ENTER_NOTIFY) {
    PointerOver(window);
  } else if (Hovered() == window) {
    PointerOver(0);
    tooltip_.Hide();
  }
}

void GtkSystem::OnScroll(const GdkEventScroll& event, WindowId window) {
  double notches = 0;
  switch (event.direction) {
    case GDK_SCROLL_UP: notches = 1; break;
    case GDK_SCROLL_DOWN: notches = -1; break;
    case GDK_SCROLL_SMOOTH: notches = -event.delta_y; break;
    default: return;
  }
  scroll_rest_ += notches * kWheelDelta;
  const int delta = static_cast<int>(scroll_rest_);
  if (delta == 0) return;
  scroll_rest_ -= delta;
  const WindowId target = Focus() ? Focus() : MouseTarget(window);
  const WParam wparam = MakeWParam(static_cast<unsigned>(MouseKeys(event.state)), static_cast<std::uint16_t>(delta));
  QueueInput(target, WM_MOUSEWHEEL, wparam,
             PackPoint(static_cast<int>(std::floor(units_.ToLogical(event.x_root))),
                       static_cast<int>(std::floor(units_.ToLogical(event.y_root)))));
}

void GtkSystem::UpdateTooltip(WindowId window, double x_root, double y_root) {
  const gfx::RectI rect = WindowRect(window);
  const int x = static_cast<int>(units_.ToLogical(x_root)) - rect.x,
            y = static_cast<int>(units_.ToLogical(y_root)) - rect.y;
  for (const ToolRecord& tool : Tools()) {
    if (tool.owner != window || x < tool.rect.x || y < tool.rect.y || x >= tool.rect.Right() || y >= tool.rect.Bottom())
      continue;
    tooltip_.PointerAt(TooltipWindow::ToolKey{tool.owner, tool.id}, tool.text,
                       {static_cast<float>(x_root), static_cast<float>(y_root)}, units_.ToNative(WorkArea()), units_);
    return;
  }
  tooltip_.PointerAt(std::nullopt, {}, {}, {});
}

// --- keyboard ---------------------------------------------------------------------------

WindowId GtkSystem::KeyTarget(WindowId event_window) const {
  const WindowId target = KeyboardTarget();
  return target ? target : event_window;
}

void GtkSystem::OnKey(GdkEventKey& event, WindowId window) {
  const WindowId target = KeyTarget(window);
  const WindowRecord* record = Record(target);
  if (!record) return;
  if (event.type == GDK_KEY_PRESS) tooltip_.Hide();
  if (record->ime_enabled) {
    input_method_.Attach(NativeOf(target));
    filtering_key_ = true;
    committed_while_filtering_.clear();
    const bool consumed = input_method_.Filter(&event);
    filtering_key_ = false;
    if (consumed) {
      // A plain key that the input method turned straight into its character
      // (the simple context does this for every printable key): the key went
      // down, then typed what it typed.
      if (!committed_while_filtering_.empty()) {
        if (event.type == GDK_KEY_PRESS && !input_method_.Composing()) {
          const unsigned vk = VirtualKeyFor(event);
          QueueInput(target, WM_KEYDOWN, vk, kKeyDownBits);
        }
        OnCommit(committed_while_filtering_);
      }
      if (event.type == GDK_KEY_RELEASE) QueueKey(event, target);
      return;
    }
  }
  QueueKey(event, target);
}

void GtkSystem::QueueKey(const GdkEventKey& event, WindowId target) {
  const unsigned vk = VirtualKeyFor(event);
  const bool alt = ((event.state & GDK_MOD1_MASK) || vk == VK_MENU) && !(event.state & GDK_CONTROL_MASK);
  if (event.type == GDK_KEY_RELEASE) {
    QueueInput(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, alt ? kKeyUpBits | kAltBit : kKeyUpBits);
    return;
  }
  const unsigned ch = TypedCharacter(event);
  if (alt) {
    QueueInput(target, WM_SYSKEYDOWN, vk, kKeyDownBits | kAltBit);
    if (ch && vk != VK_MENU) QueueInput(target, WM_SYSCHAR, ch, kKeyDownBits | kAltBit);
    return;
  }
  QueueInput(target, WM_KEYDOWN, vk, kKeyDownBits);
  if (!ch) return;
  // WM_CHAR carries UTF-16 code units, a surrogate pair for characters beyond them.
  gunichar2 units[2];
  const int count = ch > 0xFFFF ? 2 : 1;
  if (count == 2) {
    units[0] = static_cast<gunichar2>(0xD800 + ((ch - 0x10000) >> 10));
    units[1] = static_cast<gunichar2>(0xDC00 + ((ch - 0x10000) & 0x3FF));
  } else {
    units[0] = static_cast<gunichar2>(ch);
  }
  for (int i = 0; i < count; ++i) QueueInput(target, WM_CHAR, units[i], kKeyDownBits);
}

void GtkSystem::OnCommit(const std::string& utf8) {
  if (filtering_key_) {
    committed_while_filtering_ += utf8;
    return;
  }
  const WindowId target = KeyTarget(0);
  if (!target) return;
  if (IsSingleAsciiCharacter(utf8))
    QueueInput(target, WM_CHAR, static_cast<unsigned char>(utf8[0]), kKeyDownBits);
  else
    QueueImeResult(target, utf8);
}

// A window manager gives the keyboard only to the windows it manages: while
// one of our popups is the active window, the X focus stays with the top-level
// that owns it, and that top-level's focus events speak for the popup.
WindowId GtkSystem::FocusHolder(WindowId window) const {
  if (!window_manager_) return window;
  for (WindowId holder = window; holder; holder = Owner(holder)) {
    const NativeWindow* native = Native(holder);
    if (native && native->Managed()) return holder;
  }
  return window;
}

void GtkSystem::OnFocus(const GdkEventFocus& event, WindowId window) {
  const bool holds_active = FocusHolder(ActiveWindow()) == window;
  if (event.in) {
    if (!holds_active) Activate(window, WA_ACTIVE, false);
  } else if (holds_active) {
    Activate(0, WA_INACTIVE, false);
  }
}

// --- geometry -----------------------------------------------------------------------------

void GtkSystem::OnConfigure(const GdkEventConfigure& event, WindowId window) {
  ApplyRect(window, units_.ToLogical(gfx::RectI{event.x, event.y, event.width, event.height}), false);
}

void GtkSystem::OnWindowState(const GdkEventWindowState& event, WindowId window) {
  if (event.changed_mask & GDK_WINDOW_STATE_MAXIMIZED) {
    const bool zoomed = (event.new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
    if (NativeWindow* native = Native(window)) native->SetZoomed(zoomed);
    ApplyZoomed(window, zoomed);
  }
  if (event.changed_mask & GDK_WINDOW_STATE_ICONIFIED)
    ApplyIconic(window, (event.new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0);
}

}  // namespace winsys::gtk
