// The host's window procedure: every message of the window passes here.
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/widgets/control_events.h"
#include "razezazo/widgets/message_payload.h"
#include "razezazo/widgets/paint_cycle.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

// The control a host message names by handle; null when it is gone or belongs
// to another host.
ControlBase* NamedControl(winsys::WParam handle, const RazezaZOHost& host) {
  ControlBase* control = Lookup<ControlBase>(static_cast<Handle>(handle));
  return control && control->host() == &host ? control : nullptr;
}

int CaptionButtonCount(std::uint32_t flags) {
  int count = 0;
  for (std::uint32_t bit = kCaptionClose; bit <= kCaptionFree256; bit <<= 1) count += (flags & bit) ? 1 : 0;
  return count;
}

}  // namespace

winsys::LResult RazezaZOHost::Message(unsigned message, winsys::WParam wparam, winsys::LParam lparam) {
  if (hooks_.message) {
    winsys::LResult answer = hooks_.message(window_, message, wparam, lparam);
    if (answer != -1) return answer;
  }
  return Dispatch(message, wparam, lparam);
}

winsys::LResult RazezaZOHost::PassOn(unsigned message, winsys::WParam wparam, winsys::LParam lparam) {
  winsys::WindowId window = window_;
  if (previous_proc_) return previous_proc_(window, message, wparam, lparam);
  return System().DefWindowProc(window, message, wparam, lparam);
}

winsys::LResult RazezaZOHost::Dispatch(unsigned message, winsys::WParam wparam, winsys::LParam lparam) {
  using namespace winsys;
  switch (message) {
    case WM_DESTROY: {
      WindowProc previous = previous_proc_;
      WindowId window = window_;
      OnDestroy();
      return previous ? previous(window, message, wparam, lparam)
                      : System().DefWindowProc(window, message, wparam, lparam);
    }
    case WM_SIZE: OnSize(wparam); break;
    case WM_DPICHANGED: OnScaleChanged(); break;
    case WM_ACTIVATE: OnActivate(wparam, lparam); break;
    case WM_SETTEXT: {
      LResult result = PassOn(message, wparam, lparam);
      if (result) ShowWindowTitle(reinterpret_cast<const char*>(lparam));
      return result;
    }
    case WM_PAINT: {
      gfx::RectI area = System().BeginPaint(window_);
      // A layered window is pushed whole, with its per-pixel alpha.
      if (layer_alpha_ != -1)
        Present(*this, WholeWindow());
      else
        System().Present(window_, back_buffer_, area);
      System().EndPaint(window_);
      return 0;
    }
    case WM_CLOSE: {
      // Busy until the window is gone: a control repainting now would present
      // its full-opacity picture over the fading frames.
      const bool was_busy = busy_;
      busy_ = true;
      RunCloseAnimation();
      if (!attached()) return 0;
      System().ShowWindow(window_, SW_HIDE);
      LResult result = PassOn(message, wparam, lparam);
      if (attached() && !was_busy) SetBusy(false);
      return result;
    }
    case WM_SETCURSOR:
      if (static_cast<WindowId>(wparam) != window_) break;
      System().SetCursor(hot_ && hot_->cursor() ? *hot_->cursor() : default_cursor_);
      return 1;
    case WM_GETMINMAXINFO: OnMinMaxInfo(lparam); return 0;
    case WM_NCACTIVATE: return 1;
    case WM_NCCALCSIZE:
      if (wparam == 1) return 1;
      break;
    case WM_STYLECHANGED: {
      std::uint32_t style = System().Style(window_);
      if (style & (WS_DLGFRAME | WS_BORDER)) System().SetStyle(window_, style & ~(WS_DLGFRAME | WS_BORDER));
      break;
    }
    case WM_KEYDOWN:
      if (KeyDown(message, wparam, lparam)) return 0;
      break;
    case WM_SYSCHAR:
      if (AcceleratorKey(message, wparam, lparam)) return 0;
      break;
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_IME_COMPOSITION:
    case WM_COMMAND: DeliverTo(focused_ ? focused_->self() : 0, message, wparam, lparam); break;
    case WM_MOUSEWHEEL: WheelUnderPointer(wparam, lparam); break;
    case WM_TIMER: DeliverTo(static_cast<Handle>(wparam), message, wparam, lparam); break;
    case WM_MOUSEMOVE:
      if (!leave_tracking_) {
        System().TrackMouseLeave(window_);
        leave_tracking_ = true;
      }
      Mouse(message, wparam, lparam);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: Mouse(message, wparam, lparam); break;
    case WM_LBUTTONDBLCLK:
      System().Send(window_, WM_LBUTTONDOWN, static_cast<WParam>(event::kDoubleClickMark), lparam);
      return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); break;
    default:
      if (std::optional<LResult> answer = HostMessage(message, wparam, lparam)) return *answer;
  }
  if (!attached()) return System().DefWindowProc(0, message, wparam, lparam);
  return PassOn(message, wparam, lparam);
}

std::optional<winsys::LResult> RazezaZOHost::HostMessage(unsigned message, winsys::WParam wparam,
                                                         winsys::LParam lparam) {
  switch (message) {
    case host_message::kSetFocus: SetFocus(NamedControl(static_cast<winsys::WParam>(lparam), *this), false); return 0;
    case host_message::kSetAccelerator:
      if (ControlBase* control = NamedControl(wparam, *this)) SetAccelerator(control, static_cast<unsigned>(lparam));
      return 0;
    case host_message::kPushBackBuffer:
      Present(*this, {0, 0, static_cast<float>(width_), static_cast<float>(height_)});
      return 0;
    case host_message::kRedrawRect: {
      std::optional<FloatRect> rect = TakePayloadAs<FloatRect>(static_cast<std::uintptr_t>(lparam));
      if (rect) QueueRedraw(*rect, static_cast<int>(wparam));
      if (static_cast<int>(wparam) == redraw_mode::kNow) return 0;
      return std::nullopt;
    }
    case event::kPlacementChanged: {  // a control reports its move; it hears the same code
      ControlBase* control = NamedControl(wparam, *this);
      if (!control) return 1;
      // The place it left is cleared even when its handler destroys it.
      const DeferredPlacement placement{control->self(), control->previous_bounds()};
      control->Deliver(event::kPlacementChanged, 0, 0);
      if (lparam != 1) return 1;
      if (busy_) {
        deferred_placements_.push_back(placement);
        return 0;
      }
      DrawPlacement(placement.before, placement.control);
      return 1;
    }
    case host_message::kDeliverEvent: {
      ControlBase* control = NamedControl(wparam, *this);
      if (!control) {
        TakePayload(static_cast<std::uintptr_t>(lparam));
        return 0;
      }
      return DeliverEventRecord(*control, static_cast<std::uintptr_t>(lparam));
    }
    default: return std::nullopt;
  }
}

void RazezaZOHost::OnActivate(winsys::WParam wparam, winsys::LParam lparam) {
  const bool active = winsys::LowWord(wparam) != winsys::WA_INACTIVE;
  if (focused_) focused_->Deliver(event::kWindowActivation, active ? 1 : 0, 0);
  if (active) {
    if (pressed_) pressed_->Deliver(event::kFocusGained, static_cast<std::intptr_t>(wparam), lparam);
    return;
  }
  if (hot_) hot_->Deliver(event::kMouseLeave, 0, 0);
  if (pressing_) {
    if (pressed_) pressed_->Deliver(event::kFocusLost, 0, 0);
    System().ReleaseCapture();
    pressing_ = false;
  }
}

void RazezaZOHost::OnMouseLeave() {
  leave_tracking_ = false;
  System().ReleaseCapture();
  if (!hot_) return;
  const Handle left = hot_->self();
  hot_->Deliver(event::kMouseLeave, 0, 0);
  CallHook(hooks_.mouse_leave, left, 0, 0);
  hot_ = nullptr;
}

void RazezaZOHost::OnMinMaxInfo(winsys::LParam lparam) {
  auto* info = reinterpret_cast<winsys::MinMaxInfo*>(lparam);
  if (!info) return;
  gfx::RectI work = System().WorkArea();
  info->max_rect = {work.x - 7, work.y - 7, work.width + 14, work.height + 14};
  int buttons = CaptionButtonCount(caption_flags_);
  if (caption_flags_ == 0)
    info->min_track_width = 1 + 20;
  else
    info->min_track_width = 1 + 28 * buttons + ((caption_flags_ & kCaptionClose) ? 11 : 0) + 35;
  info->min_track_height = caption_flags_ ? 38 : 20;
}

}  // namespace razezazo
