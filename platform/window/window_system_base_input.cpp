// WindowSystemBase: activation and focus, the mouse state, keyboard state,
// the input method's records and tool records.
#include <algorithm>

#include "platform/window/window_system_base.h"

namespace winsys {

// --- activation and focus -----------------------------------------------------

void WindowSystemBase::SetForeground(WindowId window) {
  if (IsWindow(window)) Activate(window, WA_ACTIVE);
}

// Order as Windows sends it: the old window learns it lost activation before
// the new one learns it gained it; focus follows activation.
void WindowSystemBase::Activate(WindowId window, WParam how, bool tell_native) {
  if (window && !IsWindow(window)) return;
  if (window) {
    windows_.Raise(window);
    WindowRecord& record = *Record(window);
    NativeStack(record);
    if (tell_native) NativeActivate(record);
  }
  if (active_ == window) return;
  const WindowId old = active_;
  active_ = window;
  if (IsWindow(old)) {
    Send(old, WM_NCACTIVATE, 0, static_cast<LParam>(window));
    Send(old, WM_ACTIVATE, WA_INACTIVE, static_cast<LParam>(window));
  }
  if (window && active_ == window && IsWindow(window)) {
    Send(window, WM_NCACTIVATE, 1, static_cast<LParam>(old));
    Send(window, WM_ACTIVATE, how, static_cast<LParam>(old));
  }
  if (active_ == window) ChangeFocus(window);
}

void WindowSystemBase::PassActivationOn(WindowId leaving) {
  if (active_ != leaving) return;
  const WindowRecord* owner = Record(Owner(leaving));
  Activate(owner && owner->Shown() ? owner->id : 0, WA_ACTIVE);
}

void WindowSystemBase::SetFocus(WindowId window) {
  if (window && !IsWindow(window)) return;
  if (window && active_ != window)
    Activate(window, WA_ACTIVE);
  else
    ChangeFocus(window);
}

void WindowSystemBase::ChangeFocus(WindowId window) {
  if (focus_ == window) return;
  const WindowId old = focus_;
  focus_ = window;
  if (IsWindow(old)) Send(old, WM_KILLFOCUS, window, 0);
  if (window && focus_ == window && IsWindow(window)) Send(window, WM_SETFOCUS, old, 0);
}

// --- mouse --------------------------------------------------------------------

void WindowSystemBase::SetCapture(WindowId window) {
  if (!IsWindow(window) || capture_ == window) return;
  capture_ = window;
  NativeCapture(window);
}

void WindowSystemBase::ReleaseCapture() {
  if (!capture_) return;
  capture_ = 0;
  NativeCapture(0);
  CheckMouseLeave();
}

void WindowSystemBase::TrackMouseLeave(WindowId window) {
  if (!IsWindow(window)) return;
  leave_tracked_ = window;
  CheckMouseLeave();
}

void WindowSystemBase::PointerOver(WindowId window) {
  hover_ = window;
  CheckMouseLeave();
}

// While the mouse is captured every mouse message goes to the capture window,
// so the pointer has not left it in the sense of mouse-leave tracking.
void WindowSystemBase::CheckMouseLeave() {
  if (!leave_tracked_ || capture_ || hover_ == leave_tracked_) return;
  const WindowId left = leave_tracked_;
  leave_tracked_ = 0;
  Post(left, WM_MOUSELEAVE, 0, 0);
}

void WindowSystemBase::SetCursor(Cursor cursor) {
  cursor_ = cursor;
  NativeCursor(cursor);
}

// --- keyboard, input method, tools --------------------------------------------

bool WindowSystemBase::IsKeyDown(unsigned virtual_key) const { return virtual_key < 256 && keys_[virtual_key]; }

void WindowSystemBase::TrackKeyState(const Message& m) {
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: keys_[m.wparam & 0xFF] = true; break;
    case WM_KEYUP:
    case WM_SYSKEYUP: keys_[m.wparam & 0xFF] = false; break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: keys_[VK_LBUTTON] = true; break;
    case WM_LBUTTONUP: keys_[VK_LBUTTON] = false; break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: keys_[VK_RBUTTON] = true; break;
    case WM_RBUTTONUP: keys_[VK_RBUTTON] = false; break;
  }
}

void WindowSystemBase::EnableInputMethod(WindowId window, bool enabled) {
  WindowRecord* record = Record(window);
  if (!record || record->ime_enabled == enabled) return;
  record->ime_enabled = enabled;
  NativeInputMethod(*record);
}

void WindowSystemBase::SetImeCaret(WindowId window, const gfx::RectI& caret) {
  WindowRecord* record = Record(window);
  if (!record) return;
  record->ime_caret = caret;
  NativeInputMethod(*record);
}

std::string WindowSystemBase::ImeResult(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record ? record->ime_result : std::string();
}

void WindowSystemBase::SetTool(WindowId owner, std::uintptr_t tool_id, const gfx::RectI& rect, std::string_view utf8) {
  if (utf8.empty()) return RemoveTool(owner, tool_id);
  if (!IsWindow(owner)) return;
  auto it = std::find_if(tools_.begin(), tools_.end(),
                         [&](const ToolRecord& t) { return t.owner == owner && t.id == tool_id; });
  if (it == tools_.end()) it = tools_.insert(tools_.end(), ToolRecord{owner, tool_id, {}, {}});
  it->rect = rect;
  it->text = std::string(utf8);
  NativeToolsChanged(owner);
}

void WindowSystemBase::RemoveTool(WindowId owner, std::uintptr_t tool_id) {
  if (std::erase_if(tools_, [&](const ToolRecord& t) { return t.owner == owner && t.id == tool_id; }))
    NativeToolsChanged(owner);
}

}  // namespace winsys
