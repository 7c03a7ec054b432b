#include "platform/window/window_system_base.h"

#include <algorithm>
#include <cmath>

namespace winsys {

namespace {

constexpr WParam kGwlStyle = static_cast<WParam>(-16);
constexpr WParam kGwlExStyle = static_cast<WParam>(-20);

gfx::RectI Intersect(const gfx::RectI& a, const gfx::RectI& b) {
  const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
  const int right = std::min(a.Right(), b.Right()), bottom = std::min(a.Bottom(), b.Bottom());
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

}  // namespace

WindowSystemBase::WindowSystemBase() : ui_thread_(std::this_thread::get_id()) {}

WindowSystemBase::~WindowSystemBase() = default;

// --- windows ------------------------------------------------------------------

WindowId WindowSystemBase::CreateWindow(const CreateParams& params) {
  if (params.parent && !IsWindow(params.parent)) return 0;
  WindowRecord& record = windows_.Add();
  const WindowId id = record.id;
  record.owner = params.parent;
  record.title = params.title;
  record.rect = params.rect;
  record.restore_rect = params.rect;
  record.style = params.style & ~WS_VISIBLE;
  record.ex_style = params.ex_style;
  if (params.proc) record.proc = std::make_shared<const WindowProc>(params.proc);
  if (!NativeCreate(record)) {
    windows_.Remove(id);
    return 0;
  }
  if (Send(id, WM_CREATE, 0, reinterpret_cast<LParam>(&params)) == -1) {
    DestroyWindow(id);
    return 0;
  }
  if ((params.style & WS_VISIBLE) && IsWindow(id)) ShowWindow(id, SW_SHOW);
  return IsWindow(id) ? id : 0;
}

bool WindowSystemBase::DestroyWindow(WindowId window) {
  WindowRecord* record = Record(window);
  if (!record) return false;
  if (record->destroying) return true;
  record->destroying = true;
  for (WindowId owned : windows_.OwnedBy(window)) DestroyWindow(owned);
  if (record->visible) Hide(*record);
  PassActivationOn(window);
  if (focus_ == window) ChangeFocus(0);
  if (capture_ == window) ReleaseCapture();
  if (leave_tracked_ == window) leave_tracked_ = 0;
  Send(window, WM_DESTROY, 0, 0);
  KillTimersOf(window);
  queue_.RemoveIf([window](const Message& m) { return m.window == window; });
  const bool had_tools = std::erase_if(tools_, [window](const ToolRecord& t) { return t.owner == window; }) > 0;
  if (had_tools) NativeToolsChanged(window);
  if (hover_ == window) hover_ = 0;
  NativeDestroy(*Record(window));
  windows_.Remove(window);
  return true;
}

void WindowSystemBase::ForgetAllWindows() {
  for (WindowId id : windows_.Ids()) {
    NativeDestroy(*Record(id));
    windows_.Remove(id);
  }
  for (auto& timer : timers_.TakeAll()) NativeTimerKilled(*timer);
  active_ = focus_ = capture_ = hover_ = leave_tracked_ = 0;
}

bool WindowSystemBase::IsWindow(WindowId window) const { return Record(window) != nullptr; }

bool WindowSystemBase::ShowWindow(WindowId window, int show_command) {
  WindowRecord* record = Record(window);
  if (!record) return false;
  const bool was_visible = record->visible;
  const bool may_activate = !(record->ex_style & WS_EX_NOACTIVATE);
  switch (show_command) {
    case SW_HIDE:
      if (was_visible) Hide(*record);
      PassActivationOn(window);
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
      MakeVisible(*record, false);
      Minimize(window);
      break;
    case SW_SHOWMAXIMIZED:
      MakeVisible(*record, may_activate);
      Maximize(window);
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
      if (record->iconic || record->zoomed) Restore(window);
      if (WindowRecord* again = Record(window)) MakeVisible(*again, may_activate);
      break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE: MakeVisible(*record, false); break;
    default: MakeVisible(*record, may_activate); break;
  }
  return was_visible;
}

void WindowSystemBase::MakeVisible(WindowRecord& record, bool activate) {
  const WindowId id = record.id;
  if (!record.visible) {
    record.visible = true;
    record.style |= WS_VISIBLE;
    windows_.Raise(id);
    NativeShow(record);
    Invalidate(id, record.ClientRect());
  }
  if (activate) Activate(id, WA_ACTIVE);
}

void WindowSystemBase::Hide(WindowRecord& record) {
  record.visible = false;
  record.style &= ~WS_VISIBLE;
  NativeShow(record);
  if (hover_ == record.id) PointerOver(0);
}

bool WindowSystemBase::IsVisible(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record && record->visible;
}

bool WindowSystemBase::IsZoomed(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record && record->zoomed;
}

bool WindowSystemBase::IsIconic(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record && record->iconic;
}

void WindowSystemBase::SetWindowRect(WindowId window, const gfx::RectI& rect) { ApplyRect(window, rect, true); }

void WindowSystemBase::ApplyRect(WindowId window, const gfx::RectI& rect, bool tell_native, bool force_size) {
  WindowRecord* record = Record(window);
  if (!record) return;
  const gfx::RectI old = record->rect;
  if (old == rect && !force_size) return;
  record->rect = rect;
  if (tell_native && !(old == rect)) NativePlace(*record);
  if (old.x != rect.x || old.y != rect.y) Send(window, WM_MOVE, 0, PackPoint(rect.x, rect.y));
  if (old.width != rect.width || old.height != rect.height || force_size) {
    if (WindowRecord* now = Record(window)) {
      SendSize(*now);
      Invalidate(window, now->ClientRect());
    }
  }
}

void WindowSystemBase::SendSize(WindowRecord& record) {
  const WParam kind = record.iconic ? SIZE_MINIMIZED : record.zoomed ? SIZE_MAXIMIZED : SIZE_RESTORED;
  Send(record.id, WM_SIZE, kind, PackPoint(record.rect.width, record.rect.height));
}

gfx::RectI WindowSystemBase::WindowRect(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record ? record->rect : gfx::RectI{};
}

void WindowSystemBase::SetTopmost(WindowId window, bool topmost) {
  WindowRecord* record = Record(window);
  if (!record) return;
  record->ex_style = topmost ? record->ex_style | WS_EX_TOPMOST : record->ex_style & ~WS_EX_TOPMOST;
  windows_.Raise(window);
  NativeStack(*record);
}

WindowId WindowSystemBase::Owner(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record ? record->owner : 0;
}

std::uint32_t WindowSystemBase::Style(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record ? record->style : 0;
}

std::uint32_t WindowSystemBase::ExStyle(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record ? record->ex_style : 0;
}

void WindowSystemBase::SetStyle(WindowId window, std::uint32_t style) {
  WindowRecord* record = Record(window);
  if (!record || record->style == style) return;
  StyleChange change{record->style, style};
  record->style = style;
  if ((change.old_style ^ style) & WS_THICKFRAME) NativeResizable(*record);
  Send(window, WM_STYLECHANGED, kGwlStyle, reinterpret_cast<LParam>(&change));
}

void WindowSystemBase::SetExStyle(WindowId window, std::uint32_t ex_style) {
  WindowRecord* record = Record(window);
  if (!record || record->ex_style == ex_style) return;
  StyleChange change{record->ex_style, ex_style};
  record->ex_style = ex_style;
  if ((change.old_style ^ ex_style) & WS_EX_TOPMOST) NativeStack(*record);
  if ((change.old_style ^ ex_style) & WS_EX_LAYERED) NativeShape(*record);
  Send(window, WM_STYLECHANGED, kGwlExStyle, reinterpret_cast<LParam>(&change));
}

bool WindowSystemBase::SetWindowText(WindowId window, std::string_view utf8) {
  if (!IsWindow(window)) return false;
  const std::string text(utf8);
  return Send(window, WM_SETTEXT, 0, reinterpret_cast<LParam>(text.c_str())) != 0;
}

std::string WindowSystemBase::WindowText(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record ? record->title : std::string();
}

WindowProc WindowSystemBase::SetWindowProc(WindowId window, WindowProc proc) {
  WindowRecord* record = Record(window);
  if (!record) return nullptr;
  auto previous = std::move(record->proc);
  record->proc = proc ? std::make_shared<const WindowProc>(std::move(proc)) : nullptr;
  if (previous) return [previous](WindowId w, unsigned m, WParam wp, LParam lp) { return (*previous)(w, m, wp, lp); };
  return [this](WindowId w, unsigned m, WParam wp, LParam lp) { return DefWindowProc(w, m, wp, lp); };
}

LResult WindowSystemBase::DefWindowProc(WindowId window, unsigned message, WParam wparam, LParam lparam) {
  WindowRecord* record = Record(window);
  if (!record) return 0;
  switch (message) {
    case WM_SETTEXT:
      record->title = lparam ? reinterpret_cast<const char*>(lparam) : "";
      NativeTitle(*record);
      return 1;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_PAINT:
      BeginPaint(window);
      EndPaint(window);
      return 0;
    case WM_NCACTIVATE: return 1;
    case WM_SETCURSOR:
      if (static_cast<int>(LowWord(static_cast<std::uintptr_t>(lparam))) != HTCLIENT) return 0;
      SetCursor(Cursor::Arrow);
      return 1;
    case WM_NCLBUTTONDOWN:
      if (static_cast<int>(wparam) == HTCAPTION) BeginMoveDrag(window);
      return 0;
    case WM_SYSKEYDOWN:
      if (wparam == VK_F4) Send(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSCOMMAND:
      switch (wparam & 0xFFF0) {
        case SC_MAXIMIZE: Maximize(window); break;
        case SC_RESTORE: Restore(window); break;
        case SC_MINIMIZE: Minimize(window); break;
        case SC_CLOSE: Send(window, WM_CLOSE, 0, 0); break;
        case SC_MOVE: BeginMoveDrag(window); break;
        case SC_SIZE: {
          // The low bits are the edge in WMSZ_ numbering (1 left .. 8 bottom-right),
          // which runs parallel to the HT edge codes.
          const int edge = static_cast<int>(wparam & 0xF);
          if (edge >= 1 && edge <= 8) BeginResizeDrag(window, HTLEFT + edge - 1);
          break;
        }
      }
      return 0;
  }
  return 0;
}

MinMaxInfo WindowSystemBase::QueryMinMax(WindowId window) {
  MinMaxInfo info{WorkArea(), 0, 0};
  Send(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LParam>(&info));
  return info;
}

void WindowSystemBase::Maximize(WindowId window) {
  WindowRecord* record = Record(window);
  if (!record || record->zoomed) return;
  if (NativeMaximize(*record)) return;
  const MinMaxInfo info = QueryMinMax(window);
  record = Record(window);
  if (!record) return;
  if (!record->iconic) record->restore_rect = record->rect;
  record->zoomed = true;
  record->style |= WS_MAXIMIZE;
  if (record->iconic) ApplyIconic(window, false);
  if (WindowRecord* shown = Record(window); shown && !shown->visible) MakeVisible(*shown, false);
  ApplyRect(window, info.max_rect, true, true);
}

void WindowSystemBase::Restore(WindowId window) {
  WindowRecord* record = Record(window);
  if (!record) return;
  if (NativeRestore(*record)) return;
  if (record->iconic) {
    ApplyIconic(window, false);
  } else if (record->zoomed) {
    record->zoomed = false;
    record->style &= ~WS_MAXIMIZE;
    ApplyRect(window, record->restore_rect, true, true);
  }
}

void WindowSystemBase::Minimize(WindowId window) {
  WindowRecord* record = Record(window);
  if (!record || record->iconic) return;
  if (NativeMinimize(*record)) return;
  ApplyIconic(window, true);
}

void WindowSystemBase::ApplyZoomed(WindowId window, bool zoomed) {
  WindowRecord* record = Record(window);
  if (!record || record->zoomed == zoomed) return;
  if (zoomed) record->restore_rect = record->rect;
  record->zoomed = zoomed;
  record->style = zoomed ? record->style | WS_MAXIMIZE : record->style & ~WS_MAXIMIZE;
  SendSize(*record);
}

void WindowSystemBase::ApplyIconic(WindowId window, bool iconic) {
  WindowRecord* record = Record(window);
  if (!record || record->iconic == iconic) return;
  record->iconic = iconic;
  record->style = iconic ? record->style | WS_MINIMIZE : record->style & ~WS_MINIMIZE;
  NativeShow(*record);
  SendSize(*record);
  if (iconic) {
    PassActivationOn(window);
  } else if (WindowRecord* shown = Record(window)) {
    Invalidate(window, shown->ClientRect());
  }
}

void WindowSystemBase::SetWindowRegion(WindowId window, std::optional<gfx::Region> region) {
  WindowRecord* record = Record(window);
  if (!record) return;
  record->region = std::move(region);
  NativeShape(*record);
}

WindowId WindowSystemBase::WindowFromPoint(gfx::PointF screen_point) const {
  const int x = static_cast<int>(std::floor(screen_point.x)), y = static_cast<int>(std::floor(screen_point.y));
  for (WindowId id : windows_.TopFirst()) {
    if (Record(id)->ShowsAt(x, y)) return id;
  }
  return 0;
}

// --- properties ---------------------------------------------------------------

void WindowSystemBase::SetProp(WindowId window, std::string_view name, std::intptr_t value) {
  if (WindowRecord* record = Record(window)) record->props[std::string(name)] = value;
}

std::intptr_t WindowSystemBase::GetProp(WindowId window, std::string_view name) const {
  const WindowRecord* record = Record(window);
  if (!record) return 0;
  auto it = record->props.find(name);
  return it == record->props.end() ? 0 : it->second;
}

void WindowSystemBase::RemoveProp(WindowId window, std::string_view name) {
  WindowRecord* record = Record(window);
  if (!record) return;
  if (auto it = record->props.find(name); it != record->props.end()) record->props.erase(it);
}

// --- painting -----------------------------------------------------------------

void WindowSystemBase::Invalidate(WindowId window, const gfx::RectI& rect) {
  WindowRecord* record = Record(window);
  if (!record) return;
  const gfx::RectI clipped = Intersect(rect, record->ClientRect());
  if (!clipped.IsEmpty()) record->update.Union(gfx::Region(clipped));
}

void WindowSystemBase::InvalidateRect(WindowId window, std::optional<gfx::RectI> rect) {
  if (const WindowRecord* record = Record(window)) Invalidate(window, rect.value_or(record->ClientRect()));
}

gfx::RectI WindowSystemBase::BeginPaint(WindowId window) {
  WindowRecord* record = Record(window);
  if (!record) return {};
  const gfx::RectI rect = record->update.IsEmpty() ? gfx::RectI{} : record->update.Bounds();
  record->update = gfx::Region();
  record->painting = rect;
  return rect;
}

void WindowSystemBase::EndPaint(WindowId window) {
  if (WindowRecord* record = Record(window)) record->painting.reset();
}

}  // namespace winsys
