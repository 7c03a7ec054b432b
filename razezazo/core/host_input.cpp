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

bool Contains(const FloatRect& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.Right() && y < r.Bottom();
}

bool Usable(const ControlBase* c) { return c && c->visible() && !c->disabled(); }

// Events name other controls by handle.
std::intptr_t HandleOf(const ControlBase* c) { return c ? static_cast<std::intptr_t>(c->self()) : 0; }

unsigned FoldKey(unsigned key) { return key < 128 ? static_cast<unsigned>(std::toupper(static_cast<int>(key))) : key; }

}  // namespace

void RazezaZOHost::CallHook(const MouseHook& hook, ControlBase* control, winsys::WParam wparam,
                            winsys::LParam lparam) {
  if (hook) hook(window_, control, wparam, lparam, control ? control->kind() : 0);
}

ControlBase* RazezaZOHost::DeliverTo(ControlBase* control, unsigned message, winsys::WParam wparam,
                                     winsys::LParam lparam) {
  if (control) control->Deliver(static_cast<int>(message), static_cast<std::intptr_t>(wparam), lparam);
  return control;
}

ControlBase* RazezaZOHost::HitTest(int x, int y) const {
  ControlBase* hit = nullptr;
  for (ControlBase* c = last_control_; c;) {
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
  ControlBase* hit = HitTest(winsys::PointX(position), winsys::PointY(position));
  ControlBase* old_hot = hot_;
  if (hit != old_hot && old_hot && old_hot->visible()) {
    old_hot->Deliver(event::kMouseLeave, static_cast<std::intptr_t>(keys), HandleOf(hit));
    CallHook(hooks_.mouse_leave, old_hot, keys, position);
  }
  switch (message) {
    case winsys::WM_LBUTTONDOWN: LeftDown(hit, keys, position); break;
    case winsys::WM_RBUTTONDOWN: CallHook(hooks_.right_down, hit, keys, position); break;
    case winsys::WM_RBUTTONUP: CallHook(hooks_.right_up, hit, keys, position); break;
    case winsys::WM_MOUSEMOVE:
      if (hit && hit != old_hot) {
        hit->Deliver(event::kMouseEnter, static_cast<std::intptr_t>(keys), HandleOf(old_hot));
        CallHook(hooks_.mouse_enter, hit, keys, position);
        UpdateTooltip(hit);
      }
      break;
  }
  if (hit && hit->self()) DeliverTo(hit, message, keys, position);
  hot_ = hit && hit->self() ? hit : nullptr;
}

void RazezaZOHost::MouseWhilePressing(unsigned message, winsys::LParam position) {
  ControlBase* pressed = pressed_;
  if (!pressed) {
    pressing_ = false;
    return;
  }
  DeliverTo(pressed, message, pressed->self(), position);
  if (message != winsys::WM_LBUTTONUP) return;
  CallHook(hooks_.left_up, nullptr, 0, position);
  System().ReleaseCapture();
  ControlBase* hit = HitTest(winsys::PointX(position), winsys::PointY(position));
  pressed = pressed_;  // the handlers above may have destroyed it
  if (pressed && hit == pressed) {
    Click(pressed, HandleOf(pressed), position, 0, position);
  } else if (pressed && pressed->visible()) {
    pressed->Deliver(event::kMouseLeave, 0, HandleOf(hit));
    CallHook(hooks_.mouse_leave, pressed, 0, position);
    if (hit) {
      hit->Deliver(event::kMouseEnter, 0, HandleOf(pressed));
      CallHook(hooks_.mouse_enter, hit, 0, position);
      UpdateTooltip(hit);
    }
    hot_ = hit;
  }
  pressed_ = nullptr;
  pressing_ = false;
}

void RazezaZOHost::LeftDown(ControlBase* hit, winsys::WParam keys, winsys::LParam position) {
  winsys::WindowSystem& system = System();
  if (system.Focus() != window_) system.SetFocus(window_);
  bool second_press = keys == static_cast<winsys::WParam>(event::kDoubleClickMark);
  if (!hit) {
    if (!second_press) {
      if (drag_anywhere_) StartMoving();
    } else if (winsys::PointY(position) < 30 && (caption_flags_ & kCaptionMaximize)) {
      ToggleMaximize();
      StartMoving();
    }
    return;
  }
  bool takes_press = hit->Deliver(event::kPressQuery, 0, 0) != kNotHandled || hit->interactive();
  if (!takes_press || !hit->self()) {
    bool title_maximizes = (caption_flags_ & kCaptionTitle) && (caption_flags_ & kCaptionMaximize);
    if (second_press && title_maximizes && IsTitle(hit)) {
      ToggleMaximize();
      StartMoving();
    } else if (drag_anywhere_) {
      StartMoving();
    }
    return;
  }
  CallHook(hooks_.left_down, hit, keys, position);
  pressed_ = hit;
  pressing_ = true;
  if (hit->interactive() && focused_ != hit) MoveFocusByMouse(hit, keys, position);
  if (second_press) CallHook(hooks_.double_click, hit, keys, position);
  system.SetCapture(window_);
}

void RazezaZOHost::MoveFocusByMouse(ControlBase* control, winsys::WParam keys, winsys::LParam position) {
  ControlBase* old = focused_;
  keyboard_focus_ = nullptr;
  focused_ = control;
  if (old) {
    old->Deliver(event::kFocusLost, static_cast<std::intptr_t>(keys), HandleOf(control));
    CallHook(hooks_.focus_lost, old, keys, position);
  }
  control->Deliver(event::kFocusGained, static_cast<std::intptr_t>(keys), HandleOf(old));
  CallHook(hooks_.focus_gained, control, keys, position);
}

void RazezaZOHost::Click(ControlBase* control, std::intptr_t argument1, std::intptr_t argument2, winsys::WParam keys,
                         winsys::LParam position) {
  control->Deliver(event::kClick, argument1, argument2);
  CallHook(hooks_.click, control, keys, position);
}

bool RazezaZOHost::KeyDown(unsigned message, winsys::WParam key, winsys::LParam lparam) {
  if (focused_ && focused_->Deliver(static_cast<int>(message), static_cast<std::intptr_t>(key), lparam) != kNotHandled)
    return true;
  if (key == winsys::VK_TAB) {
    TabToNext();
  } else if ((key == winsys::VK_RETURN || key == winsys::VK_SPACE) && Usable(focused_)) {
    Click(focused_, 0, 0, 0, 0);
  }
  return false;
}

void RazezaZOHost::TabToNext() {
  ControlBase* start = focused_ ? focused_ : first_control_;
  if (!start) return;
  while (start->parent()) start = start->parent();
  for (ControlBase* c = start->next_sibling() ? start->next_sibling() : first_control_; c;
       c = c->next_sibling() ? c->next_sibling() : first_control_) {
    if (Usable(c) && c->interactive() && c->kind() != kKindCaptionButton) {
      if (c != focused_) SetFocus(c, true);
      return;
    }
    if (c == start) return;  // every top-level control passed once
  }
}

bool RazezaZOHost::AcceleratorKey(unsigned message, winsys::WParam character, winsys::LParam lparam) {
  DeliverTo(focused_, message, character, lparam);
  unsigned key = FoldKey(static_cast<unsigned>(character));
  for (const auto& [control, accelerator] : accelerators_) {
    if (FoldKey(accelerator) != key || !Usable(control)) continue;
    Click(control, 0, 0, 0, 0);
    return true;
  }
  return false;
}

void RazezaZOHost::SetFocus(ControlBase* control, bool by_keyboard) {
  if (!Usable(control) || !control->interactive() || control->kind() == kKindCaptionButton || focused_ == control)
    return;
  ControlBase* old = focused_;
  focused_ = control;
  keyboard_focus_ = by_keyboard ? control : nullptr;
  if (old) old->SendEvent(event::kFocusLost, 0, HandleOf(control));
  control->SendEvent(event::kFocusGained, 0, HandleOf(old));
}

}  // namespace razezazo
