#include "razezazo/widgets/paint_cycle.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "razezazo/drawing/image.h"
#include "razezazo/widgets/control_base.h"
#include "razezazo/widgets/events.h"
#include "razezazo/widgets/host_surface.h"
#include "razezazo/widgets/message_payload.h"
#include "razezazo/widgets/scratch_canvas.h"

namespace razezazo {
namespace {

std::uintptr_t TransitionTimerId(const ControlBase& control) { return control.self() + 1; }

void StartTransitionTimer(ControlBase& control) {
  Handle handle = control.self();
  winsys::Current().SetTimer(control.host_window(), TransitionTimerId(control),
                             static_cast<std::uint32_t>(control.transition().interval_ms),
                             [handle](winsys::WindowId window, unsigned, std::uintptr_t id, std::uint32_t) {
                               if (ControlBase* c = Lookup<ControlBase>(handle))
                                 c->TransitionTick();
                               else
                                 winsys::Current().KillTimer(window, id);
                             });
}

void DrawSlide(gfx::Graphics& g, const CompositeRecord& r, TransitionKind kind) {
  const FloatRect& b = r.bounds;
  float dx = 0, dy = 0, nx = 0, ny = 0;
  switch (kind) {
    case TransitionKind::kSlideDown: dy = std::trunc(b.height / r.steps) * r.step, ny = dy - b.height; break;
    case TransitionKind::kSlideUp: dy = -std::trunc(b.height / r.steps) * r.step, ny = dy + b.height; break;
    case TransitionKind::kSlideRight: dx = std::trunc(b.width / r.steps) * r.step, nx = dx - b.width; break;
    default: dx = -std::trunc(b.width / r.steps) * r.step, nx = dx + b.width; break;
  }
  if (r.previous_picture) g.DrawImage(*r.previous_picture, b.x + dx, b.y + dy);
  g.DrawImage(*r.new_picture, b.x + nx, b.y + ny);
}

// The old picture on the back buffer, the new one on a copy of what lay beneath,
// and the copy blended over the back buffer at the step's share of the opacity.
void DrawFade(HostSurface& host, const CompositeRecord& r, int opacity) {
  gfx::Bitmap& scratch = SharedScratchCanvas(host.width(), host.height(), host.scale());
  gfx::RectI area = PixelArea(r.saved_clip, host.width(), host.height());
  gfx::CopyArea(*r.back_buffer, scratch, area);
  if (r.previous_picture) DrawWithOpacity(*r.back_graphics, *r.previous_picture, r.bounds, opacity);
  {
    gfx::Graphics scratch_graphics(scratch);
    scratch_graphics.SetClip(FloatRect{float(area.x), float(area.y), float(area.width), float(area.height)});
    DrawWithOpacity(scratch_graphics, *r.new_picture, r.bounds, opacity);
  }
  int alpha = opacity * r.step / r.steps;
  FloatRect whole{float(area.x), float(area.y), float(area.width), float(area.height)};
  r.back_graphics->DrawImage(scratch, whole, whole, static_cast<float>(alpha) / 255.0f);
}

// The control's picture over the back buffer. Two queries on the way run
// application code; false when that deleted the control (nothing was drawn).
bool ComposeOne(HostSurface& host, ControlBase& control, gfx::Graphics& g, const FloatRect& saved_clip) {
  const WeakRef<ControlBase> alive(control);
  if (control.disabled()) {
    bool full_look = control.Deliver(event::kDisabledLookQuery, 0, 1) != kNotHandled;
    if (!alive) return false;
    DrawWithOpacity(g, control.canvas(), control.bounds(), full_look ? control.opacity() : control.opacity() / 2);
    return true;
  }
  const Transition& t = control.transition();
  // A finished transition keeps step 0 and has no previous picture: it draws plainly.
  if (!t.InProgress() || control.previous_picture().IsNull()) {
    DrawWithOpacity(g, control.canvas(), control.bounds(), control.opacity());
    return true;
  }
  CompositeRecord record{&g,
                         &host.back_buffer(),
                         nullptr,
                         &control.canvas(),
                         &control.previous_picture(),
                         control.bounds(),
                         saved_clip,
                         t.step,
                         t.steps};
  const std::intptr_t drawn = control.Deliver(event::kTransitionFrame, 0, reinterpret_cast<std::intptr_t>(&record));
  if (!alive) return false;
  if (drawn >= 1) return true;
  if (t.kind == TransitionKind::kFade)
    DrawFade(host, record, control.opacity());
  else
    DrawSlide(g, record, t.kind);
  return true;
}

}  // namespace

PaintContext BeginPaint(ControlBase& control, const std::optional<FloatRect>& rect, bool erase) {
  HostSurface* host = control.host();
  PaintContext context{control.host_window(),
                       control.canvas_graphics(),
                       rect.value_or(FloatRect{0, 0, control.width(), control.height()}),
                       erase,
                       host,
                       &control.canvas()};
  if (erase) {
    control.previous_picture() = gfx::Bitmap();
    Transition& t = control.mutable_transition();
    if (host && !host->busy() && t.Configured()) {
      winsys::Current().KillTimer(control.host_window(), TransitionTimerId(control));
      t.step = t.steps;
      const WeakRef<ControlBase> alive(control);
      RepaintHostRegion(*host, control.bounds(), true);
      if (!alive) return {.control_gone = true};  // composing ran code that deleted it
      const FloatRect& r = context.rect;
      control.previous_picture() = control.canvas().CloneArea(
          {static_cast<int>(r.x), static_cast<int>(r.y), static_cast<int>(r.width), static_cast<int>(r.height)});
    }
    if (gfx::Graphics* g = control.canvas_graphics()) {
      g->SetClip(context.rect);
      g->Clear(0);
      g->ResetClip();
    }
  }
  control.OnPaintBegins(context);
  return context;
}

bool EndPaint(ControlBase& control, PaintContext& context) {
  if (context.control_gone) return false;
  const WeakRef<ControlBase> alive(control);
  control.OnPaintEnds(context);
  if (!alive.handle()) return true;  // never created: nothing to compose
  if (!alive) return false;
  if (!context.erase || !control.redraw_enabled() || !control.visible()) return true;
  Transition& t = control.mutable_transition();
  if (!t.Configured()) {
    const winsys::WindowId window = control.host_window();
    // Only what was painted: a control that repainted a part of itself gets
    // just that part recomposed.
    const FloatRect painted{control.x() + context.rect.x, control.y() + context.rect.y, context.rect.width,
                            context.rect.height};
    std::uintptr_t payload = StorePayload(window, painted);
    winsys::Current().Send(window, host_message::kRedrawRect, redraw_mode::kAppend,
                           static_cast<winsys::LParam>(payload));
    TakePayload(payload);
    return static_cast<bool>(alive);
  }
  t.step = 0;
  if (!control.DeliverSurvived(event::kTransitionStarts)) return false;
  StartTransitionTimer(control);
  return true;
}

void PostRedraw(winsys::WindowId host_window, const FloatRect& rect) {
  std::uintptr_t payload = StorePayload(host_window, rect);
  if (!winsys::Current().Post(host_window, host_message::kRedrawRect, redraw_mode::kNow,
                              static_cast<winsys::LParam>(payload)))
    TakePayload(payload);
}

void AdvanceTransition(ControlBase& control) {
  const WeakRef<ControlBase> alive(control);
  Transition& t = control.mutable_transition();
  ++t.step;
  if (HostSurface* host = control.host()) RepaintHostRegion(*host, control.bounds(), true);
  if (!alive) return;  // its timer dies with it
  if (t.step < t.steps) return;
  winsys::Current().KillTimer(control.host_window(), TransitionTimerId(control));
  control.previous_picture() = gfx::Bitmap();
  t.step = 0;
  control.Deliver(event::kTransitionFinished, 0, 0);
}

void RepaintHostRegion(HostSurface& host, FloatRect rect, bool present) {
  if (host.busy() || !host.attached()) return;
  gfx::Graphics& g = host.back_graphics();
  if (host.clip_region()) {
    g.SetClip(*host.clip_region());
    g.SetClip(rect, gfx::CombineMode::Intersect);
  } else {
    g.SetClip(rect);
  }
  gfx::CopyArea(host.background_picture(), host.back_buffer(), PixelArea(rect, host.width(), host.height()));
  ComposeHostArea(host, rect, g);
  g.ResetClip();
  if (present) Present(host, rect);
}

bool ComposeChildren(HostSurface& host, ControlBase* first, const FloatRect& dirty, gfx::Graphics& g) {
  for (ControlBase* control = first; control; control = control->next_sibling()) {
    if (!control->visible() || !Overlaps(control->bounds(), dirty)) continue;
    FloatRect saved_clip = g.VisibleClipBounds();
    if (!ComposeOne(host, *control, g, saved_clip)) {
      // Its place in the tree is gone with it: compose this rectangle again later.
      PostRedraw(host.window(), dirty);
      return false;
    }
    if (!control->first_child()) continue;
    g.SetClip(control->bounds(), gfx::CombineMode::Intersect);
    const bool whole = ComposeChildren(host, control->first_child(), dirty, g);
    g.SetClip(saved_clip);
    if (!whole) return false;
  }
  return true;
}

bool ComposeHostArea(HostSurface& host, const FloatRect& dirty, gfx::Graphics& g) {
  if (!ComposeChildren(host, host.first_control(), dirty, g)) return false;
  if (ControlBase* focused = host.focused()) focused->OnHostComposed(g, dirty);
  return true;
}

void Present(HostSurface& host, const FloatRect& rect) {
  if (host.busy() || !host.attached()) return;
  if (host.layer_alpha() != -1)
    winsys::Current().PresentLayered(host.window(), host.back_buffer(), 255);
  else
    winsys::Current().Present(host.window(), host.back_buffer(), PixelArea(rect, host.width(), host.height()));
}

bool Overlaps(const FloatRect& a, const FloatRect& b) {
  return a.x < b.Right() - kTolerance && b.x < a.Right() - kTolerance && a.y < b.Bottom() - kTolerance &&
         b.y < a.Bottom() - kTolerance;
}

gfx::RectI PixelArea(const FloatRect& rect, int width, int height) {
  int left = std::clamp(static_cast<int>(std::floor(rect.x)), 0, width);
  int top = std::clamp(static_cast<int>(std::floor(rect.y)), 0, height);
  int right = std::clamp(static_cast<int>(std::ceil(rect.Right())), left, width);
  int bottom = std::clamp(static_cast<int>(std::ceil(rect.Bottom())), top, height);
  return {left, top, right - left, bottom - top};
}

}  // namespace razezazo
