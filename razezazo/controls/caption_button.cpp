#include "razezazo/controls/caption_button.h"

#include "razezazo/controls/caption_button_strip.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

constexpr int kTransitionIntervalMs = 60;
constexpr int kStepsIn = 3;
constexpr int kStepsOut = 4;

}  // namespace

bool CaptionButton::Create(winsys::WindowId host_window, int button_kind, const FloatRect& bounds, bool visible) {
  button_kind_ = button_kind;
  drawn_state_ = kCaptionNormal;
  ControlOptions options;
  options.visible = visible;
  options.interactive = false;
  options.transition_interval_ms = kTransitionIntervalMs;
  return ControlBase::Create(host_window, bounds, kKindCaptionButton, options);
}

void CaptionButton::Draw(int state, bool force, int transition_steps) {
  if (!self()) return;
  const bool zoomed = winsys::Current().IsZoomed(host_window());
  const bool face_changed = button_kind_ == kCaptionButtonMaximize && zoomed != drawn_zoomed_;
  if (state == drawn_state_ && !force && !face_changed) return;
  SetTransitionSteps(transition_steps);
  PaintContext context = BeginPaint(*this);
  if (gfx::Graphics* g = context.graphics)
    g->DrawImage(CaptionButtonStrip(g->Target().Scale()), context.rect, CaptionButtonFace(button_kind_, state, zoomed));
  if (!EndPaint(*this, context)) return;  // a handler of 10263 deleted the button
  drawn_state_ = state;
  drawn_zoomed_ = zoomed;
}

// Not interactive, but it takes presses (10250 answers 0); every other event
// is answered as not handled.
std::intptr_t CaptionButton::OnEvent(int code, std::intptr_t, std::intptr_t) {
  switch (code) {
    case event::kRepaint: Draw(kCaptionNormal, true); break;
    case winsys::WM_LBUTTONDOWN: Draw(kCaptionPressed); break;
    case winsys::WM_LBUTTONUP: Draw(kCaptionHot); break;
    case event::kMouseEnter: Draw(kCaptionHot, false, kStepsIn); break;
    case event::kMouseLeave: Draw(kCaptionNormal, false, kStepsOut); break;
    case event::kClick: Click(); break;
    case event::kPressQuery: return 0;
    case event::kPlacementChanged:
      if (button_kind_ == kCaptionButtonMaximize) Draw(kCaptionNormal, true);
      break;
    case event::kDestroyed: button_kind_ = 0, drawn_state_ = kCaptionNormal; break;
    default: break;
  }
  return kNotHandled;
}

void CaptionButton::Click() {
  if (disabled()) return;
  winsys::WindowSystem& system = winsys::Current();
  const winsys::WindowId window = host_window();
  switch (button_kind_) {
    case kCaptionButtonClose: system.Post(window, winsys::WM_CLOSE, 0, 0); break;
    case kCaptionButtonMaximize:
      system.Post(window, winsys::WM_SYSCOMMAND, system.IsZoomed(window) ? winsys::SC_RESTORE : winsys::SC_MAXIMIZE, 0);
      break;
    case kCaptionButtonMinimize:
      if (!system.IsIconic(window)) system.Post(window, winsys::WM_SYSCOMMAND, winsys::SC_MINIMIZE, 0);
      break;
    default: break;  // the free kinds: the host's click hook and bound handlers act
  }
}

}  // namespace razezazo
