#include "razezazo/core/host.h"

#include "razezazo/controls/caption_button.h"
#include "razezazo/controls/label_control.h"
#include "razezazo/controls/picture_control.h"
#include "razezazo/core/framework.h"
#include "razezazo/drawing/color.h"
#include "razezazo/widgets/message_payload.h"
#include "razezazo/widgets/paint_cycle.h"
#include "razezazo/widgets/scratch_canvas.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

constexpr std::uint32_t kCaptionButtonBits[] = {kCaptionClose,  kCaptionMaximize, kCaptionMinimize, kCaptionFree32,
                                                kCaptionFree64, kCaptionFree128,  kCaptionFree256};

std::uint32_t CaptionFlagsFor(const std::optional<std::uint32_t>& given, std::uint32_t style) {
  std::uint32_t flags = given.value_or(0);
  if (!given || (flags & kCaptionFromStyles)) {
    flags |= kCaptionIcon | kCaptionTitle | kCaptionClose;
    if (style & winsys::WS_MAXIMIZEBOX) flags |= kCaptionMaximize;
    if (style & winsys::WS_MINIMIZEBOX) flags |= kCaptionMinimize;
  }
  return flags | kCaptionCreated;
}

}  // namespace

RazezaZOHost::RazezaZOHost() = default;

RazezaZOHost::~RazezaZOHost() {
  if (window_ && System().IsWindow(window_)) {
    System().SetWindowProc(window_, previous_proc_);
    OnDestroy();
  }
}

RazezaZOHost* HostOfWindow(winsys::WindowId window) { return dynamic_cast<RazezaZOHost*>(HostSurfaceOfWindow(window)); }

bool RazezaZOHost::Create(winsys::WindowId window, const HostOptions& options) {
  winsys::WindowSystem& system = System();
  if (!system.IsWindow(window) || window == window_) return false;
  if (attached()) OnDestroy();
  window_ = window;
  std::uint32_t style = system.Style(window);
  layer_alpha_ = options.layer_alpha.value_or(-1);
  resizable_ = options.resizable.value_or((style & winsys::WS_THICKFRAME) != 0);
  frame_style_ = options.frame_style.value_or(frame_style::kRounded);
  drag_anywhere_ = options.drag_anywhere.value_or(true);
  image_edges_ = options.image_edges.value_or(true);
  initial_paint_ = options.initial_paint.value_or(true);
  image_placement_ = options.image_placement.value_or(0);
  blur_behind_ = options.blur_behind && layer_alpha_ != -1 ? *options.blur_behind : false;
  if (OsMajorVersion() == 6 && !options.blur_behind) blur_behind_ = true;
  creation_rect_ = options.creation_rect.value_or(FloatRect{});
  background_source_ = options.background_source.value_or(0);

  if (!options.caption_flags || *options.caption_flags != 0) style |= winsys::WS_SYSMENU;
  caption_flags_ = CaptionFlagsFor(options.caption_flags, style);
  style |= winsys::WS_POPUP;
  system.SetProp(window, property::kControl, handle());
  default_cursor_ = winsys::Cursor::Arrow;
  style &= ~(winsys::WS_THICKFRAME | winsys::WS_DLGFRAME | winsys::WS_BORDER);
  if (!(caption_flags_ & kCaptionMinimize)) style &= ~winsys::WS_MINIMIZEBOX;
  if (!(caption_flags_ & kCaptionMaximize)) style &= ~winsys::WS_MAXIMIZEBOX;
  system.SetStyle(window, style);

  gfx::RectI rect = system.WindowRect(window);
  width_ = rect.width;
  height_ = rect.height;
  CreateBuffers();
  if (layer_alpha_ != -1) system.SetExStyle(window, system.ExStyle(window) | winsys::WS_EX_LAYERED);
  redraw_queue_.SetTarget(this);

  Handle self = handle();
  previous_proc_ = system.SetWindowProc(
      window, [self](winsys::WindowId w, unsigned message, winsys::WParam wparam, winsys::LParam lparam) {
        RazezaZOHost* host = Lookup<RazezaZOHost>(self);
        if (host && host->window_ == w) return host->Message(message, wparam, lparam);
        return winsys::Current().DefWindowProc(w, message, wparam, lparam);
      });
  bool initial_paint = initial_paint_;
  initial_paint_ = false;
  SetBusy(true);
  CreateCaption();
  SetBusy(false);
  // -1 (none given) must stay -1: a uint32 in the conditional would turn it into a colour.
  SetBackground(options.background_image,
                options.background_colour ? static_cast<std::int64_t>(*options.background_colour) : -1,
                background_mode::kBuildOnly, false, options.background_image_2x);
  if (layer_alpha_ != -1) system.PresentLayered(window, back_buffer_, 255);
  initial_paint_ = initial_paint;
  if (resizable_) system.SetStyle(window, system.Style(window) | winsys::WS_THICKFRAME);
  return true;
}

void RazezaZOHost::CreateBuffers() {
  back_graphics_.reset();
  scale_ = winsys::Current().Scale(window_);
  back_buffer_ = gfx::Bitmap(width_, height_, scale_);
  back_graphics_ = std::make_unique<gfx::Graphics>(back_buffer_);
  back_graphics_->SetSmoothing(gfx::SmoothingMode::AntiAlias);
  back_graphics_->SetTextHint(3);
  background_picture_ = gfx::Bitmap(width_, height_, scale_);
  SharedScratchCanvas(width_, height_, scale_);
}

void RazezaZOHost::SetBusy(bool busy) {
  busy_ = busy;
  if (busy_) return;
  // Placements that arrived while busy are drawn now.
  std::vector<DeferredPlacement> deferred = std::move(deferred_placements_);
  deferred_placements_.clear();
  for (const DeferredPlacement& placement : deferred) DrawPlacement(placement.before, placement.control);
}

// The control is looked up after the first rectangle: composing runs query
// handlers that may delete it.
void RazezaZOHost::DrawPlacement(const FloatRect& before, Handle control) {
  RepaintHostRegion(*this, before, true);
  if (ControlBase* moved = Lookup<ControlBase>(control)) RepaintHostRegion(*this, moved->bounds(), true);
}

void RazezaZOHost::QueueRedraw(const FloatRect& rect, int mode) { redraw_queue_.Add(rect, mode); }

void RazezaZOHost::RedrawNow(const std::optional<FloatRect>& rect) {
  RepaintHostRegion(*this, rect.value_or(FloatRect{0, 0, static_cast<float>(width_), static_cast<float>(height_)}),
                    true);
}

HostOptions RazezaZOHost::Look() const {
  return {.layer_alpha = layer_alpha_,
          .image_placement = image_placement_,
          .frame_style = frame_style_,
          .initial_paint = initial_paint_,
          .blur_behind = blur_behind_,
          .creation_rect = creation_rect_};
}

void RazezaZOHost::UpdateTooltip(ControlBase* control, const std::optional<runtime::Text>& text) {
  if (!control || !attached()) return;
  winsys::WindowSystem& system = System();
  system.RemoveTool(window_, control->self());
  const runtime::Text& tip = text ? *text : control->name();
  if (tip.empty()) return;
  system.SetTool(window_, control->self(), PixelArea(control->bounds(), width_, height_), runtime::GbkToUtf8(tip));
}

void RazezaZOHost::SetAccelerator(ControlBase* control, unsigned key) {
  std::erase_if(accelerators_, [control](const auto& entry) { return entry.first == control; });
  if (control && key) accelerators_.emplace_back(control, key);
}

void RazezaZOHost::ForgetControl(ControlBase& control) {
  if (hot_ == &control) hot_ = nullptr;
  if (pressed_ == &control) pressed_ = nullptr, pressing_ = false;
  if (focused_ == &control) focused_ = nullptr;
  if (keyboard_focus_ == &control) keyboard_focus_ = nullptr;
  SetAccelerator(&control, 0);
  if (attached()) System().RemoveTool(window_, control.self());
}

void RazezaZOHost::OnDestroy() {
  if (!attached()) return;
  winsys::WindowSystem& system = System();
  busy_ = true;
  system.SetWindowProc(window_, previous_proc_);
  redraw_queue_.Clear();
  while (ControlBase* control = first_control()) {
    control->Destroy();
    if (first_control() == control) ControlTree::Unlink(*control);  // one that could not destroy itself
  }
  if (!HostOfWindow(background_source_)) background_image_.reset();
  if (pressing_ || leave_tracking_ || system.Capture() == window_) system.ReleaseCapture();
  pressing_ = leave_tracking_ = false;
  focused_ = hot_ = pressed_ = keyboard_focus_ = nullptr;
  ReleaseCaption();
  caption_flags_ = 0;
  back_graphics_.reset();
  back_buffer_ = gfx::Bitmap();
  background_picture_ = gfx::Bitmap();
  accelerators_.clear();
  deferred_placements_.clear();
  system.RemoveProp(window_, property::kControl);
  DropPayloadsFor(window_);  // of messages still queued for the window, never to be delivered
  previous_proc_ = nullptr;
  window_ = 0;
  busy_ = false;
}

void RazezaZOHost::OnSize(winsys::WParam kind) {
  if (kind == winsys::SIZE_MINIMIZED) return;
  RefreshMaximizeFace();
  gfx::RectI rect = System().WindowRect(window_);
  if (rect.width == width_ && rect.height == height_) return;
  width_ = rect.width;
  height_ = rect.height;
  if (hooks_.size_changed) {
    const winsys::WindowId window = window_;
    WeakRef<RazezaZOHost> self(*this);
    hooks_.size_changed(window, width_, height_);
    if (!self || window_ != window) return;  // the hook deleted or detached the host
  }
  CreateBuffers();
  SetBackground(std::nullopt, -1, background_mode::kPresent, true);
}

// Controls repaint their new canvases while busy; the background then
// composes and presents the whole window once.
void RazezaZOHost::OnScaleChanged() {
  if (!attached() || System().Scale(window_) == scale_) return;
  StopFade();
  CreateBuffers();
  SetBusy(true);
  for (Handle handle : controls_.Snapshot([](const ControlBase&) { return true; }))
    if (ControlBase* c = LiveControl(handle)) c->RescaleCanvas();
  if (!attached()) return;  // a control's paint handler detached the host
  SetBackground(std::nullopt, -1, background_mode::kPresent, true);
}

}  // namespace razezazo
