#include "razezazo/render/control_base.h"

#include "razezazo/core/host.h"
#include "razezazo/render/message_payload.h"
#include "razezazo/render/paint_cycle.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

// Host message arguments.
winsys::WParam HandleArg(Handle handle) { return handle; }

}  // namespace

ControlBase::~ControlBase() { Destroy(); }

RazezaZOHost* ControlBase::host() const { return Lookup<RazezaZOHost>(host_handle_); }

bool ControlBase::Create(winsys::WindowId host_window, const FloatRect& bounds, int kind,
                         const ControlOptions& options) {
  RazezaZOHost* host = HostOfWindow(host_window);
  if (!host) return false;
  if (self()) Unlink();
  host_window_ = host_window;
  host_handle_ = host->handle();
  if (!CreateCommon(bounds, kind, options)) return false;
  host->AppendTopLevel(this);
  CreateCanvas();
  return true;
}

bool ControlBase::Create(ControlBase& parent, const FloatRect& bounds, int kind, const ControlOptions& options) {
  if (!parent.self() || !parent.host()) return false;
  if (self()) Unlink();
  host_window_ = parent.host_window_;
  host_handle_ = parent.host_handle_;
  if (!CreateCommon(bounds, kind, options)) return false;
  AppendTo(&parent);
  CreateCanvas();
  return true;
}

bool ControlBase::CreateCommon(const FloatRect& bounds, int kind, const ControlOptions& options) {
  AcquireHandle();
  bounds_ = bounds;
  previous_bounds_ = {};
  cursor_ = options.cursor;
  name_.clear();
  tag_.clear();
  parent_ = previous_ = next_ = first_child_ = last_child_ = nullptr;
  opacity_ = 255;
  disabled_ = false;
  redraw_enabled_ = true;
  kind_ = kind;
  visible_ = options.visible;
  interactive_ = options.interactive;
  transition_ = {options.transition_interval_ms, options.transition_steps, 0, options.transition_kind};
  return true;
}

void ControlBase::CreateCanvas() {
  canvas_graphics_.reset();
  int w = kind_ == kKindCanvasless ? 1 : static_cast<int>(bounds_.width);
  int h = kind_ == kKindCanvasless ? 1 : static_cast<int>(bounds_.height);
  canvas_ = gfx::Bitmap(std::max(w, 0), std::max(h, 0));
  canvas_graphics_ = std::make_unique<gfx::Graphics>(canvas_);
  canvas_graphics_->SetSmoothing(gfx::SmoothingMode::AntiAlias);
  canvas_graphics_->SetTextHint(3);
  if (!self()) return;
  Deliver(event::kCreated, 0, 0);
  Deliver(event::kRepaint, 0, 0);
}

void ControlBase::AppendTo(ControlBase* parent) {
  parent_ = parent;
  previous_ = nullptr;
  next_ = nullptr;
  if (!parent) {
    if (RazezaZOHost* h = host()) h->AppendTopLevel(this);
    return;
  }
  previous_ = parent->last_child_;
  if (previous_) previous_->next_ = this;
  parent->last_child_ = this;
  if (!parent->first_child_) parent->first_child_ = this;
}

void ControlBase::Unlink() {
  ControlBase* previous = previous_;
  ControlBase* next = next_;
  if (previous) previous->next_ = next;
  if (next) next->previous_ = previous;
  if (parent_) {
    if (parent_->first_child_ == this) parent_->first_child_ = next;
    if (parent_->last_child_ == this) parent_->last_child_ = previous;
  } else if (RazezaZOHost* h = host()) {
    h->UnlinkTopLevel(this, previous, next);
  }
  previous_ = next_ = nullptr;
}

void ControlBase::SetParent(ControlBase* parent) {
  if (!self() || parent == this) return;
  Unlink();
  AppendTo(parent);
  Invalidate();
}

void ControlBase::ChangeZOrder(bool to_front, bool invalidate) {
  if (!self()) return;
  ControlBase* parent = parent_;
  Unlink();
  if (to_front) {
    AppendTo(parent);
  } else if (parent) {
    parent_ = parent;
    next_ = parent->first_child_;
    if (next_) next_->previous_ = this;
    parent->first_child_ = this;
    if (!parent->last_child_) parent->last_child_ = this;
  } else if (RazezaZOHost* h = host()) {
    next_ = h->first_control();
    if (next_) next_->previous_ = this;
    h->SetTopLevelEnds(this, h->last_control() ? h->last_control() : this);
  }
  if (invalidate) Invalidate();
}

void ControlBase::Destroy() {
  if (!self() || !host_window_) return;
  visible_ = false;
  while (ControlBase* child = first_child_) {
    child->Destroy();
    if (first_child_ == child) first_child_ = child->next_;  // a child that could not unlink itself
  }
  OnEvent(event::kDestroyed, 0, 0);
  System().KillTimer(host_window_, self() + 1);
  ClearHostReferences();
  Unlink();
  name_.clear();
  tag_.clear();
  canvas_graphics_.reset();
  canvas_ = gfx::Bitmap();
  previous_picture_ = gfx::Bitmap();
  event_table_.clear();
  ReleaseHandle();
  host_window_ = 0;
  host_handle_ = 0;
  parent_ = first_child_ = last_child_ = nullptr;
  disabled_ = interactive_ = redraw_enabled_ = false;
  cursor_.reset();
  bounds_ = previous_bounds_ = {};
  kind_ = opacity_ = 0;
  transition_ = {};
}

void ControlBase::ClearHostReferences() {
  if (RazezaZOHost* h = host()) h->ForgetControl(this);
}

void ControlBase::SetBounds(const BoundsUpdate& update) {
  if (!self()) return;
  FloatRect next{update.x.value_or(bounds_.x), update.y.value_or(bounds_.y),
                 update.width.value_or(bounds_.width), update.height.value_or(bounds_.height)};
  bool same_place = NearlyEqual(next.x, bounds_.x) && NearlyEqual(next.y, bounds_.y);
  bool same_size = NearlyEqual(next.width, bounds_.width) && NearlyEqual(next.height, bounds_.height);
  if (same_place && same_size) return;
  previous_bounds_ = bounds_;
  bounds_ = next;
  MoveDescendants(next.x - previous_bounds_.x, next.y - previous_bounds_.y);
  if (!same_size && kind_ != kKindCanvasless) {
    canvas_graphics_.reset();
    canvas_ = gfx::Bitmap(std::max(static_cast<int>(next.width), 0), std::max(static_cast<int>(next.height), 0));
    canvas_graphics_ = std::make_unique<gfx::Graphics>(canvas_);
    canvas_graphics_->SetSmoothing(gfx::SmoothingMode::AntiAlias);
    canvas_graphics_->SetTextHint(3);
    Deliver(event::kBoundsChanged, static_cast<std::intptr_t>(next.width), static_cast<std::intptr_t>(next.height));
    Deliver(event::kRepaint, 0, 0);
  }
  ReportPlacement(update.redraw && visible_);
}

void ControlBase::MoveDescendants(float dx, float dy) {
  for (ControlBase* child = first_child_; child; child = child->next_) {
    child->bounds_.x += dx;
    child->bounds_.y += dy;
    child->MoveDescendants(dx, dy);
  }
}

// The host answers 0 while it is busy. Waiting for it here could never end on the
// UI thread, which is the only one that clears busy; so a busy host keeps the
// request and draws the placement as soon as it is no longer busy.
void ControlBase::ReportPlacement(bool redraw) {
  System().Send(host_window_, host_message::kControlMoved, HandleArg(self()), redraw ? 1 : 0);
}

void ControlBase::SetComponent(std::optional<float> BoundsUpdate::*member, float current, float value) {
  if (NearlyEqual(current, value)) return;
  BoundsUpdate update;
  update.*member = value;
  SetBounds(update);
}

void ControlBase::SetVisible(bool visible) {
  if (visible_ == visible || !self()) return;
  visible_ = visible;
  Deliver(visible ? event::kShown : event::kHidden, 0, 0);
  Invalidate();
}

void ControlBase::SetDisabled(bool disabled) {
  if (disabled_ == disabled || !self()) return;
  disabled_ = disabled;
  RazezaZOHost* h = host();
  if (h && h->focused() == this) {
    h->ClearFocus();
    PostEvent(event::kFocusLost, 0, 0);
  }
  PostEvent(event::kMouseLeave, 0, 0);
  Invalidate();
}

void ControlBase::SetOpacity(int opacity, bool invalidate) {
  if (opacity_ == opacity || !self()) return;
  opacity_ = opacity;
  Deliver(event::kOpacityChanged, 0, opacity);
  if (invalidate) Invalidate();
}

void ControlBase::SetName(const runtime::Text& name, bool as_tooltip) {
  name_ = name;
  if (as_tooltip) SetTooltip(name);
}

void ControlBase::SetTooltip(const std::optional<runtime::Text>& text) {
  if (RazezaZOHost* h = host()) h->UpdateTooltip(this, text);
}

bool ControlBase::HasFocus() {
  std::intptr_t answer = Deliver(event::kFocusQuery, 0, 0);
  if (answer != kNotHandled) return answer == 1;
  RazezaZOHost* h = host();
  return h && h->focused() == this;
}

void ControlBase::RepaintNow() { Deliver(event::kRepaint, 0, 0); }

void ControlBase::Invalidate() {
  if (!self()) return;
  std::uintptr_t payload = StorePayload(bounds_);
  if (!System().Post(host_window_, host_message::kRedrawRect, 1, static_cast<winsys::LParam>(payload)))
    TakePayload(payload);
}

void ControlBase::SetTransitionSteps(int steps, std::optional<int> interval_ms) {
  transition_.steps = steps;
  if (interval_ms) transition_.interval_ms = *interval_ms;
}

void ControlBase::AddEventHandler(int code, EventHandler handler) {
  for (auto& entry : event_table_) {
    if (entry.first == code) {
      entry.second = std::move(handler);
      return;
    }
  }
  event_table_.emplace_back(code, std::move(handler));
}

std::intptr_t ControlBase::OnEvent(int, std::intptr_t, std::intptr_t) { return kNotHandled; }

std::intptr_t ControlBase::Deliver(int code, std::intptr_t argument1, std::intptr_t argument2) {
  std::intptr_t result = OnEvent(code, argument1, argument2);
  bool second_press = code == winsys::WM_LBUTTONDOWN && argument1 == event::kDoubleClickMark;
  for (const auto& [bound_code, handler] : event_table_) {
    if (bound_code != code && !(second_press && bound_code == static_cast<int>(winsys::WM_LBUTTONDBLCLK))) continue;
    if (handler) {
      EventHandler call = handler;  // the handler may rebind itself
      call({parent_, this, code, argument1, argument2});
    }
    break;
  }
  return result;
}

namespace {
struct EventRecord {
  int code;
  std::intptr_t argument1;
  std::intptr_t argument2;
};
}  // namespace

std::intptr_t ControlBase::SendEvent(int code, std::intptr_t argument1, std::intptr_t argument2) {
  if (!self()) return 0;
  std::uintptr_t payload = StorePayload(EventRecord{code, argument1, argument2});
  winsys::LResult result = System().Send(host_window_, host_message::kDeliverEvent, HandleArg(self()),
                                         static_cast<winsys::LParam>(payload));
  TakePayload(payload);  // not delivered: drop it
  return result;
}

bool ControlBase::PostEvent(int code, std::intptr_t argument1, std::intptr_t argument2) {
  if (!self()) return false;
  std::uintptr_t payload = StorePayload(EventRecord{code, argument1, argument2});
  if (System().Post(host_window_, host_message::kDeliverEvent, HandleArg(self()),
                    static_cast<winsys::LParam>(payload)))
    return true;
  TakePayload(payload);
  return false;
}

std::intptr_t DeliverEventRecord(ControlBase& control, std::uintptr_t payload) {
  std::optional<EventRecord> record = TakePayloadAs<EventRecord>(payload);
  if (!record) return 0;
  return control.Deliver(record->code, record->argument1, record->argument2);
}

void ControlBase::TransitionTick() { AdvanceTransition(*this); }

}  // namespace razezazo
