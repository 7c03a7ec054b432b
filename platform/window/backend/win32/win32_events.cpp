// Win32System: what Windows tells our windows, turned into our messages once,
// at the boundary (device pixels become logical ones here).
#include <cmath>

#include "platform/window/backend/win32/dpi.h"
#include "platform/window/backend/win32/input_method.h"
#include "platform/window/backend/win32/win32_system.h"

namespace winsys::win32 {

namespace {

// The parts of a WM_IME_COMPOSITION that concern the result, which we take.
constexpr LPARAM kResultParts = GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE;

int Floor(double v) { return static_cast<int>(std::floor(v)); }

bool IsMouseButtonOrMove(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP; }

bool IsKey(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR: return true;
  }
  return false;
}

}  // namespace

LRESULT Win32System::OnNative(WindowId window, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (IsMouseButtonOrMove(message)) {
    OnMouse(window, hwnd, message, wparam, lparam);
    return 0;
  }
  if (IsKey(message)) {
    // Returning here also keeps Windows from opening the system menu on Alt.
    QueueInput(KeyboardTarget() ? KeyboardTarget() : window, message, wparam, lparam);
    return 0;
  }
  switch (message) {
    case WM_MOUSEWHEEL: OnWheel(window, wparam, lparam); return 0;
    case WM_MOUSELEAVE:
      if (Hovered() == window) PointerOver(0);
      return 0;
    case WM_CAPTURECHANGED:
      if (Capture() == window && reinterpret_cast<HWND>(lparam) != hwnd) ReleaseCapture();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT) break;
      NativeCursor(CurrentCursor());
      return TRUE;
    case WM_IME_STARTCOMPOSITION:
      if (const WindowRecord* record = Record(window))
        PlaceImeWindows(hwnd, UnitsOf(window).ToNative(record->ime_caret));
      break;
    case WM_IME_COMPOSITION: OnImeComposition(window, hwnd, wparam, lparam); return 0;
    case WM_ACTIVATE: OnActivate(window, wparam, lparam); break;  // Windows' default gives the focus
    case WM_WINDOWPOSCHANGED: OnPositionChanged(window, hwnd); return 0;
    case WM_GETMINMAXINFO: OnMinMaxInfo(window, *reinterpret_cast<MINMAXINFO*>(lparam)); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
    case WM_NCCALCSIZE:
      if (wparam) return 0;  // the client area is the whole window, frame or not
      break;
    case WM_NCHITTEST: return HTCLIENT;
    case WM_PAINT: OnPaint(window, hwnd); return 0;
    case WM_ERASEBKGND: return 1;  // the next present covers it
    case WM_CLOSE: Post(window, WM_CLOSE, 0, 0); return 0;
    case WM_SYSCOMMAND:
      // The taskbar's and the keyboard's commands go to our procedure.
      switch (wparam & 0xFFF0) {
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_RESTORE:
        case SC_CLOSE: Post(window, WM_SYSCOMMAND, wparam & 0xFFF0, 0); return 0;
        case SC_KEYMENU: return 0;
      }
      break;
  }
  return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

// --- mouse ------------------------------------------------------------------------

void Win32System::OnMouse(WindowId window, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!Capture() && Hovered() != window) {
    PointerOver(window);
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
    ::TrackMouseEvent(&track);
  }
  const ScreenUnits units = UnitsOf(window);
  const int x = Floor(units.ToLogical(PointX(lparam))), y = Floor(units.ToLogical(PointY(lparam)));
  QueueInput(window, message, wparam, PackPoint(x, y));
}

// Windows sends the wheel to the focus window, with screen coordinates.
void Win32System::OnWheel(WindowId window, WPARAM wparam, LPARAM lparam) {
  const ScreenUnits units = SystemUnits();
  const int x = Floor(units.ToLogical(PointX(lparam))), y = Floor(units.ToLogical(PointY(lparam)));
  QueueInput(Focus() ? Focus() : window, WM_MOUSEWHEEL, wparam, PackPoint(x, y));
}

// --- keyboard -----------------------------------------------------------------------

// The result is ours; a composition still in progress is Windows' to draw
// (its composition window sits at our caret).
void Win32System::OnImeComposition(WindowId window, HWND hwnd, WPARAM wparam, LPARAM lparam) {
  if (lparam & GCS_RESULTSTR) QueueImeResult(KeyboardTarget() ? KeyboardTarget() : window, ImeResultText(hwnd));
  if (const LPARAM rest = lparam & ~kResultParts) ::DefWindowProcW(hwnd, WM_IME_COMPOSITION, wparam, rest);
}

// Windows deactivates the old window before it activates the new one; our
// record moves once, when the new one is ours, and to none otherwise.
void Win32System::OnActivate(WindowId window, WPARAM wparam, LPARAM lparam) {
  const WPARAM how = LOWORD(wparam);
  if (how != WA_INACTIVE) {
    Activate(window, how, false);
  } else if (ActiveWindow() == window && !IdOf(reinterpret_cast<HWND>(lparam))) {
    Activate(0, WA_INACTIVE, false);
  }
}

// --- geometry -------------------------------------------------------------------------

void Win32System::OnPositionChanged(WindowId window, HWND hwnd) {
  if (placing_) return;
  const bool iconic = ::IsIconic(hwnd);
  if (iconic != IsIconic(window)) ApplyIconic(window, iconic);
  if (iconic) return;
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  const gfx::RectI device{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  ApplyRect(window, UnitsOf(window).ToLogical(device), false);
}

// Only the system's size loop asks; the program places its windows itself.
void Win32System::OnMinMaxInfo(WindowId window, MINMAXINFO& info) {
  if (placing_ || !IsWindow(window)) return;
  const MinMaxInfo limits = QueryMinMax(window);
  const ScreenUnits units = UnitsOf(window);
  info.ptMinTrackSize = {units.ToNative(limits.min_track_width), units.ToNative(limits.min_track_height)};
}

// The window keeps its logical size at the new scale, where Windows puts it.
void Win32System::OnDpiChanged(WindowId window, unsigned dpi, const RECT& suggested) {
  NativeWindow* native = Native(window);
  WindowRecord* record = Record(window);
  if (!native || !record) return;
  native->SetUnits(UnitsForDpi(dpi));
  const gfx::RectI rect{Floor(native->Units().ToLogical(suggested.left)),
                        Floor(native->Units().ToLogical(suggested.top)), record->rect.width, record->rect.height};
  ApplyRect(window, rect, false);
  if ((record = Record(window))) {
    NativePlace(*record);
    NativeShape(*record);
    NativeInputMethod(*record);
    NativeToolsChanged(window);
  }
  Send(window, WM_DPICHANGED, dpi, 0);
}

// What Windows wants painted becomes our update region (outward, so that no
// exposed pixel is left out); our WM_PAINT presents it.
void Win32System::OnPaint(WindowId window, HWND hwnd) {
  RECT area{};
  if (::GetUpdateRect(hwnd, &area, FALSE)) {
    const double per = UnitsOf(window).PerLogical();
    const int x = Floor(area.left / per), y = Floor(area.top / per);
    Invalidate(window, {x, y, static_cast<int>(std::ceil(area.right / per)) - x,
                        static_cast<int>(std::ceil(area.bottom / per)) - y});
  }
  ::ValidateRect(hwnd, nullptr);
}

}  // namespace winsys::win32
