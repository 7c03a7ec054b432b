// Mouse and keyboard: hit testing, hot/pressed/focused tracking, clicks, Tab,
// Enter/Space and accelerators.
//
// A left click, message by message (while pressing, the mouse is captured):
//   WM_LBUTTONDOWN on a pressable control  -> left-down hook, press starts, focus
//                                             moves to it (10241 old, 10240 new),
//                                             capture, then the control gets 513
//   WM_MOUSEMOVE while pressing            -> the pressed control gets 512 with its
//                                             own handle as first argument
//   WM_LBUTTONUP over the pressed control  -> 514 to it, left-up hook, 10244 + click hook
//   WM_LBUTTONUP elsewhere                 -> 514 to it, left-up hook, 10243 to it,
//                                             leave hook, 10242 to the control under
//                                             the mouse, enter hook; no click
// A double click arrives as DOWN, UP, DBLCLK, UP; DBLCLK becomes a second DOWN
// whose first argument is 10086.
#include <cctype>

#include "razezazo/core/host.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

bool Contains(const FloatRect& r, int x, int y) { return x >= r.x && y >= r.y && x < r.Right() && y < r.Bottom(); }

bool Usable(const ControlBase* c) { return c && c->visible() && !c->disabled(); }

Handle HandleOf(const ControlBase* c) { return c ? c->self() : 0; }

// Events name other controls by handle.
std::intptr_t Argument(Handle control) { return static_cast<std::intptr_t>(control); }

unsigned FoldKey(unsigned key) { return key < 128 ? static_cast<unsigned>(std::toupper(static_cast<int>(key))) : key; }

}  // namespace

// Application code runs inside every event and hook and may destroy, or even
// delete, the control it was handed. Across those calls the host holds on to
// handles and looks the control up again before each use.
ControlBase* RazezaZOHost::LiveControl(Handle control) { return control ? Lookup<ControlBase>(control) : nullptr; }

void RazezaZOHost::CallHook(const MouseHook& hook, Handle control, winsys::WParam wparam, winsys::LParam lparam) {
  if (!hook) return;
  ControlBase* c = LiveControl(control);
  hook(window_, c, wparam, lparam, c ? c->kind() : ControlKind{});
}

void RazezaZOHost::DeliverTo(Handle control, unsigned message, winsys::WParam wparam, winsys::LParam lparam) {
  if (ControlBase* c = LiveControl(control))
    c->Deliver(static_cast<int>(message), static_cast<std::intptr_t>(wparam), lparam);
}

ControlBase* RazezaZOHost::ControlAt(int x, int y) const {
  ControlBase* hit = nullptr;
  for (ControlBase* c = last_control(); c;) {
    if (Usable(c) && Contains(c->bounds(), x, y)) {
      hit = c;
      c = c->last_child();  // a hit child replaces its parent
    } else {
      c = c->previous_sibling();
    }
  }
  return hit;
}

void RazezaZOHost::Mouse(unsigned message, winsys::WParam keys, winsys::LParam position) {
  if (busy_ || ResizeBorder(message, position)) return;
  if (pressing_) {
    MouseWhilePressing(message, position);
    return;
  }
  const Handle hit = HandleOf(ControlAt(winsys::PointX(position), winsys::PointY(position)));
  const Handle old_hot = HandleOf(hot_);
  if (hit != old_hot) Leave(old_hot, hit, keys, position);
  switch (message) {
    case winsys::WM_LBUTTONDOWN: LeftDown(hit, keys, position); break;
    case winsys::WM_RBUTTONDOWN: CallHook(hooks_.right_down, hit, keys, position); break;
    case winsys::WM_RBUTTONUP: CallHook(hooks_.right_up, hit, keys, position); break;
    case winsys::WM_MOUSEMOVE:
      if (hit != old_hot) Enter(hit, old_hot, keys, position);
      break;
  }
  DeliverTo(hit, message, keys, position);
  hot_ = LiveControl(hit);
}

// 10243 and the leave hook for the control the mouse left for `now_under`.
void RazezaZOHost::Leave(Handle left, Handle now_under, winsys::WParam keys, winsys::LParam position) {
  ControlBase* c = LiveControl(left);
  if (!c || !c->visible()) return;
  c->Deliver(event::kMouseLeave, static_cast<std::intptr_t>(keys), Argument(now_under));
  CallHook(hooks_.mouse_leave, left, keys, position);
}

// 10242, the enter hook and the tooltip for the control the mouse came to from `before`.
void RazezaZOHost::Enter(Handle entered, Handle before, winsys::WParam keys, winsys::LParam position) {
  ControlBase* c = LiveControl(entered);
  if (!c) return;
  c->Deliver(event::kMouseEnter, static_cast<std::intptr_t>(keys), Argument(before));
  CallHook(hooks_.mouse_enter, entered, keys, position);
  if (ControlBase* still = LiveControl(entered)) UpdateTooltip(still);
}

void RazezaZOHost::MouseWhilePressing(unsigned message, winsys::LParam position) {
  const Handle pressed = HandleOf(pressed_);
  if (!pressed) {
    pressing_ = false;
    return;
  }
  DeliverTo(pressed, message, pressed, position);
  if (message != winsys::WM_LBUTTONUP) return;
  CallHook(hooks_.left_up, 0, 0, position);
  System().ReleaseCapture();
  const Handle hit = HandleOf(ControlAt(winsys::PointX(position), winsys::PointY(position)));
  // The handlers above may have destroyed it.
  ControlBase* still_pressed = pressed_ && HandleOf(pressed_) == pressed ? pressed_ : nullptr;
  // The press is over before its click runs: a click handler may run a loop of
  // its own (a page fetch that keeps the window alive), and the input that loop
  // takes belongs to no press, least of all a close.
  pressed_ = nullptr;
  pressing_ = false;
  if (still_pressed && hit == pressed) {
    Click(pressed, Argument(pressed), position, 0, position);
  } else if (still_pressed && still_pressed->visible()) {
    Leave(pressed, hit, 0, position);
    Enter(hit, pressed, 0, position);
    hot_ = LiveControl(hit);
  }
}

void RazezaZOHost::LeftDown(Handle hit, winsys::WParam keys, winsys::LParam position) {
  winsys::WindowSystem& system = System();
  if (system.Focus() != window_) system.SetFocus(window_);
  bool second_press = keys == static_cast<winsys::WParam>(event::kDoubleClickMark);
  if (!LiveControl(hit)) {
    if (!second_press) {
      if (drag_anywhere_) StartMoving();
    } else if (winsys::PointY(position) < 30 && (caption_flags_ & kCaptionMaximize)) {
      ToggleMaximize();
      StartMoving();
    }
    return;
  }
  const bool answered = LiveControl(hit)->Deliver(event::kPressQuery, 0, 0) != kNotHandled;
  ControlBase* control = LiveControl(hit);
  if (!control || !(answered || control->interactive())) {
    bool title_maximizes = (caption_flags_ & kCaptionTitle) && (caption_flags_ & kCaptionMaximize);
    if (second_press && title_maximizes && IsTitle(control)) {
      ToggleMaximize();
      StartMoving();
    } else if (drag_anywhere_) {
      StartMoving();
    }
    return;
  }
  CallHook(hooks_.left_down, hit, keys, position);
  if (!(control = LiveControl(hit))) return;
  pressed_ = control;
  pressing_ = true;
  // A scroll bar is worked with the mouse only: the focus (and with it an edit
  // box's selection) stays where it is, as in every toolkit.
  if (control->interactive() && focused_ != control && control->kind() != kKindScrollBar)
    MoveFocusByMouse(hit, keys, position);
  if (second_press) CallHook(hooks_.double_click, hit, keys, position);
  system.SetCapture(window_);
}

void RazezaZOHost::MoveFocusByMouse(Handle control, winsys::WParam keys, winsys::LParam position) {
  const Handle old = HandleOf(focused_);
  keyboard_focus_ = nullptr;
  focused_ = LiveControl(control);
  if (ControlBase* c = LiveControl(old)) {
    c->Deliver(event::kFocusLost, static_cast<std::intptr_t>(keys), Argument(control));
    CallHook(hooks_.focus_lost, old, keys, position);
  }
  if (ControlBase* c = LiveControl(control)) {
    c->Deliver(event::kFocusGained, static_cast<std::intptr_t>(keys), Argument(old));
    CallHook(hooks_.focus_gained, control, keys, position);
  }
}

void RazezaZOHost::Click(Handle control, std::intptr_t argument1, std::intptr_t argument2, winsys::WParam keys,
                         winsys::LParam position) {
  if (ControlBase* c = LiveControl(control)) c->Deliver(event::kClick, argument1, argument2);
  CallHook(hooks_.click, control, keys, position);
}

bool RazezaZOHost::KeyDown(unsigned message, winsys::WParam key, winsys::LParam lparam) {
  if (focused_ && focused_->Deliver(static_cast<int>(message), static_cast<std::intptr_t>(key), lparam) != kNotHandled)
    return true;
  if (key == winsys::VK_TAB) {
    TabToNext(!System().IsKeyDown(winsys::VK_SHIFT));
  } else if ((key == winsys::VK_RETURN || key == winsys::VK_SPACE) && Usable(focused_)) {
    Click(HandleOf(focused_), 0, 0, 0, 0);
  }
  return false;
}

// From the top-level control that holds the focus (or from the first one) to
// the next (Shift+Tab: the previous) that can take it, wrapping round, each
// top-level control passed at most once. A focus outside the tree (unlinked)
// counts as no focus.
void RazezaZOHost::TabToNext(bool forward) {
  ControlBase* start = focused_;
  while (start && start->parent()) start = start->parent();
  if (!start || !ControlTree::IsLinked(*start)) start = forward ? first_control() : last_control();
  if (!start) return;
  int left = 0;
  for (ControlBase* c = first_control(); c; c = c->next_sibling()) ++left;
  auto after = [this, forward](ControlBase* c) {
    if (forward) return c->next_sibling() ? c->next_sibling() : first_control();
    return c->previous_sibling() ? c->previous_sibling() : last_control();
  };
  for (ControlBase* c = after(start); left > 0; c = after(c), --left) {
    if (Usable(c) && c->interactive() && c->kind() != kKindCaptionButton) {
      if (c != focused_) SetFocus(c, true);
      return;
    }
  }
}

// As on every Linux desktop the wheel scrolls what lies under the pointer (a
// screen point), not what has the focus: the control there, or the nearest of
// its parents that takes the wheel (an edit box under its own scroll bar).
void RazezaZOHost::WheelUnderPointer(winsys::WParam wparam, winsys::LParam lparam) {
  const gfx::RectI window = System().WindowRect(window_);
  const ControlBase* under = ControlAt(winsys::PointX(lparam) - window.x, winsys::PointY(lparam) - window.y);
  for (Handle h = HandleOf(under); ControlBase* c = LiveControl(h);) {
    const Handle parent = HandleOf(c->parent());
    if (c->Deliver(winsys::WM_MOUSEWHEEL, static_cast<std::intptr_t>(wparam), lparam) != kNotHandled) return;
    h = parent;
  }
}

bool RazezaZOHost::AcceleratorKey(unsigned message, winsys::WParam character, winsys::LParam lparam) {
  DeliverTo(HandleOf(focused_), message, character, lparam);
  unsigned key = FoldKey(static_cast<unsigned>(character));
  for (const auto& [control, accelerator] : accelerators_) {
    if (FoldKey(accelerator) != key || !Usable(control)) continue;
    Click(HandleOf(control), 0, 0, 0, 0);
    return true;
  }
  return false;
}

void RazezaZOHost::SetFocus(ControlBase* control, bool by_keyboard) {
  if (!Usable(control) || !control->interactive() || control->kind() == kKindCaptionButton || focused_ == control)
    return;
  const Handle old = HandleOf(focused_), now = HandleOf(control);
  focused_ = control;
  keyboard_focus_ = by_keyboard ? control : nullptr;
  if (ControlBase* c = LiveControl(old)) c->SendEvent(event::kFocusLost, 0, Argument(now));
  if (ControlBase* c = LiveControl(now)) c->SendEvent(event::kFocusGained, 0, Argument(old));
}

}  // namespace razezazo
