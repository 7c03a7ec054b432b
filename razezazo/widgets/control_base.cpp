#include "razezazo/widgets/control_base.h"

#include "razezazo/widgets/control_events.h"
#include "razezazo/widgets/host_surface.h"
#include "razezazo/widgets/message_payload.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

}  // namespace

ControlBase::~ControlBase() { Destroy(); }

HostSurface* ControlBase::host() const { return Lookup<HostSurface>(host_handle_); }

ControlTree* ControlBase::tree() const {
  HostSurface* h = host();
  return h ? &h->controls() : nullptr;
}

bool ControlBase::Create(winsys::WindowId host_window, const FloatRect& bounds, ControlKind kind,
                         const ControlOptions& options) {
  HostSurface* host = HostSurfaceOfWindow(host_window);
  return host && CreateIn(*host, nullptr, bounds, kind, options);
}

bool ControlBase::Create(ControlBase& parent, const FloatRect& bounds, ControlKind kind,
                         const ControlOptions& options) {
  HostSurface* host = parent.self() ? parent.host() : nullptr;
  return host && CreateIn(*host, &parent, bounds, kind, options);
}

// Creation ends with events 1 and 15; after them the control is not touched,
// since their handlers may delete it.
bool ControlBase::CreateIn(HostSurface& host, ControlBase* parent, const FloatRect& bounds, ControlKind kind,
                           const ControlOptions& options) {
  if (parent == this || (parent && ControlTree::IsAncestor(*this, *parent))) return false;
  if (self()) Destroy();
  AcquireHandle();
  host_window_ = host.window();
  host_handle_ = host.handle();
  bounds_ = bounds;
  previous_bounds_ = {};
  cursor_ = options.cursor;
  name_.clear();
  tag_.clear();
  opacity_ = 255;
  disabled_ = false;
  redraw_enabled_ = true;
  kind_ = kind;
  visible_ = options.visible;
  interactive_ = options.interactive;
  transition_ = {options.transition_interval_ms, options.transition_steps, 0, options.transition_kind};
  host.controls().Append(*this, parent);
  EnterControlWindow(self(), host_window_);
  CreateCanvas();
  return true;
}

void ControlBase::MakeCanvas() {
  canvas_graphics_.reset();
  int w = kind_ == kKindCanvasless ? 1 : static_cast<int>(bounds_.width);
  int h = kind_ == kKindCanvasless ? 1 : static_cast<int>(bounds_.height);
  canvas_ = gfx::Bitmap(std::max(w, 0), std::max(h, 0), host() ? host()->scale() : 1.0f);
  canvas_graphics_ = std::make_unique<gfx::Graphics>(canvas_);
  canvas_graphics_->SetSmoothing(gfx::SmoothingMode::AntiAlias);
  canvas_graphics_->SetTextHint(3);
}

void ControlBase::RescaleCanvas() {
  MakeCanvas();
  RepaintNow();
}

void ControlBase::CreateCanvas() {
  MakeCanvas();
  if (!self()) return;
  if (DeliverSurvived(event::kCreated)) RepaintNow();
}

void ControlBase::Unlink() {
  InvalidateIfComposed();
  ControlTree::Unlink(*this);
}

// Children are clipped to their parent, so a control's bounds hold all that it
// and its descendants showed.
void ControlBase::InvalidateIfComposed() {
  if (Shown() && ControlTree::IsLinked(*this)) Invalidate();
}

bool ControlBase::SetParent(ControlBase* parent) {
  ControlTree* t = self() ? tree() : nullptr;
  if (!t || !t->Append(*this, parent)) return false;
  Invalidate();
  return true;
}

bool ControlBase::ChangeZOrder(bool to_front, bool invalidate) {
  ControlTree* t = self() && ControlTree::IsLinked(*this) ? tree() : nullptr;
  if (!t) return false;
  ControlBase* parent = links_.parent;
  if (!(to_front ? t->Append(*this, parent) : t->Prepend(*this, parent))) return false;
  if (invalidate) Invalidate();
  return true;
}

void ControlBase::Destroy() {
  if (!self() || !host_window_) return;
  InvalidateIfComposed();  // its picture goes with it
  visible_ = false;
  while (ControlBase* child = first_child()) {
    child->Destroy();
    if (first_child() == child) ControlTree::Unlink(*child);  // a child that could not destroy itself
  }
  OnEvent(event::kDestroyed, 0, 0);
  System().KillTimer(host_window_, self() + 1);
  ClearHostReferences();
  Unlink();
  RemoveControlWindow(self());
  name_.clear();
  tag_.clear();
  canvas_graphics_.reset();
  canvas_ = gfx::Bitmap();
  previous_picture_ = gfx::Bitmap();
  event_table_.clear();
  ReleaseHandle();
  host_window_ = 0;
  host_handle_ = 0;
  disabled_ = interactive_ = redraw_enabled_ = false;
  cursor_.reset();
  bounds_ = previous_bounds_ = {};
  kind_ = {};
  opacity_ = 0;
  transition_ = {};
}

void ControlBase::ClearHostReferences() {
  if (HostSurface* h = host()) h->ForgetControl(*this);
}

// Events 10245 and 15 and the placement report run application code, so each
// step looks the control up again before the next.
void ControlBase::SetBounds(const BoundsUpdate& update) {
  if (!self()) return;
  FloatRect next{update.x.value_or(bounds_.x), update.y.value_or(bounds_.y), update.width.value_or(bounds_.width),
                 update.height.value_or(bounds_.height)};
  bool same_place = NearlyEqual(next.x, bounds_.x) && NearlyEqual(next.y, bounds_.y);
  bool same_size = NearlyEqual(next.width, bounds_.width) && NearlyEqual(next.height, bounds_.height);
  if (same_place && same_size) return;
  previous_bounds_ = bounds_;
  bounds_ = next;
  MoveDescendants(next.x - previous_bounds_.x, next.y - previous_bounds_.y);
  if (!same_size && kind_ != kKindCanvasless) {
    MakeCanvas();
    if (!DeliverSurvived(event::kBoundsChanged, static_cast<std::intptr_t>(next.width),
                         static_cast<std::intptr_t>(next.height)) ||
        !DeliverSurvived(event::kRepaint))
      return;
  }
  ReportPlacement(update.redraw && visible_);
}

void ControlBase::MoveDescendants(float dx, float dy) {
  for (ControlBase* child = first_child(); child; child = child->next_sibling()) {
    child->bounds_.x += dx;
    child->bounds_.y += dy;
    child->MoveDescendants(dx, dy);
  }
}

// The host answers 0 while it is busy. Waiting for it here could never end on the
// UI thread, which is the only one that clears busy; so a busy host keeps the
// request and draws the placement as soon as it is no longer busy.
void ControlBase::ReportPlacement(bool redraw) {
  System().Send(host_window_, event::kPlacementChanged, self(), redraw ? 1 : 0);
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
  if (DeliverSurvived(visible ? event::kShown : event::kHidden)) Invalidate();
}

bool ControlBase::Shown() const {
  for (const ControlBase* c = this; c; c = c->parent())
    if (!c->visible_) return false;
  return true;
}

void ControlBase::SetDisabled(bool disabled) {
  if (disabled_ == disabled || !self()) return;
  disabled_ = disabled;
  HostSurface* h = host();
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
  if (DeliverSurvived(event::kOpacityChanged, 0, opacity) && invalidate) Invalidate();
}

void ControlBase::SetName(const runtime::Text& name, bool as_tooltip) {
  name_ = name;
  if (as_tooltip) SetTooltip(name);
}

void ControlBase::SetTooltip(const std::optional<runtime::Text>& text) {
  if (HostSurface* h = host()) h->UpdateTooltip(this, text);
}

bool ControlBase::HasFocus() {
  const WeakRef<ControlBase> alive(*this);
  std::intptr_t answer = Deliver(event::kFocusQuery, 0, 0);
  if (answer != kNotHandled || !alive) return answer == 1;
  HostSurface* h = host();
  return h && h->focused() == this;
}

void ControlBase::RepaintNow() { Deliver(event::kRepaint, 0, 0); }

void ControlBase::Invalidate() {
  if (!self()) return;
  PostRedraw(host_window_, bounds_);
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
  const WeakRef<ControlBase> alive(*this);
  std::intptr_t result = OnEvent(code, argument1, argument2);
  if (alive.handle() && !alive) return result;  // the class handler deleted the control
  bool second_press = code == winsys::WM_LBUTTONDOWN && argument1 == event::kDoubleClickMark;
  for (const auto& [bound_code, handler] : event_table_) {
    if (bound_code != code && !(second_press && bound_code == static_cast<int>(winsys::WM_LBUTTONDBLCLK))) continue;
    if (handler) {
      EventHandler call = handler;  // the handler may rebind itself, or delete the control
      call({parent(), this, code, argument1, argument2});
    }
    break;
  }
  return result;
}

bool ControlBase::DeliverSurvived(int code, std::intptr_t argument1, std::intptr_t argument2) {
  const WeakRef<ControlBase> alive(*this);
  Deliver(code, argument1, argument2);
  return static_cast<bool>(alive);
}

std::intptr_t ControlBase::SendEvent(int code, std::intptr_t argument1, std::intptr_t argument2) {
  return SendControlEvent(self(), code, argument1, argument2);
}

bool ControlBase::PostEvent(int code, std::intptr_t argument1, std::intptr_t argument2) {
  return PostControlEvent(self(), code, argument1, argument2);
}

void ControlBase::TransitionTick() { AdvanceTransition(*this); }

}  // namespace razezazo
