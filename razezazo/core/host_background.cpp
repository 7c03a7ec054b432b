// The host's background picture: frame, image, colour, border, window shape and
// shadow; the opening fade.
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/effects.h"
#include "razezazo/drawing/shapes.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

constexpr int kFadeStepMs = 50;
constexpr int kFadeStepAlpha = 51;

// The mean colour of an image as a Windows RGB value.
std::uint32_t MeanColour(const gfx::Bitmap& image) {
  std::uint64_t r = 0, g = 0, b = 0;
  std::uint64_t count =
      static_cast<std::uint64_t>(image.DeviceWidth()) * static_cast<std::uint64_t>(image.DeviceHeight());
  if (count == 0) return 0;
  for (int y = 0; y < image.DeviceHeight(); ++y) {
    const std::uint32_t* row = image.Row(y);
    for (int x = 0; x < image.DeviceWidth(); ++x) {
      gfx::Argb p = gfx::Unpremultiply(row[x]);
      r += gfx::RedOf(p), g += gfx::GreenOf(p), b += gfx::BlueOf(p);
    }
  }
  return static_cast<std::uint32_t>(r / count | (g / count) << 8 | (b / count) << 16);
}

FloatRect Grown(const FloatRect& r, float by) { return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by}; }

}  // namespace

gfx::Region RazezaZOHost::WindowShape(int inset, int diameter) const {
  return gfx::Region::RoundRect(inset, inset, width_ - inset + 1, height_ - inset + 1, diameter, diameter);
}

const gfx::Bitmap* RazezaZOHost::BackgroundImage() const {
  if (RazezaZOHost* source = HostOfWindow(background_source_); source && source != this)
    return source->background_image_ ? &source->background_image_->ForScale(scale_) : nullptr;
  return background_image_ ? &background_image_->ForScale(scale_) : nullptr;
}

// Every visible control hears that the background changed, children too: a
// label inside a group box may take its text colour from it. The handlers may
// change the tree, so the walk goes over a snapshot of handles.
void RazezaZOHost::BroadcastRepaint() {
  for (Handle handle : controls_.Snapshot([](const ControlBase& c) { return c.visible(); }))
    if (ControlBase* c = LiveControl(handle)) c->Deliver(event::kRepaintBroadcast, 0, 0);
}

void RazezaZOHost::SetBackground(std::optional<std::span<const std::uint8_t>> image, std::int64_t colour,
                                 background_mode::Kind mode, bool quiet,
                                 std::optional<std::span<const std::uint8_t>> image_2x) {
  if (!attached()) return;
  StopFade();  // a new background (a resize, for one) replaces the picture being faded in
  SetBusy(true);
  if (RazezaZOHost* source = HostOfWindow(background_source_); source && source != this) {
    background_colour_ = source->background_colour_;
  } else if (image) {
    background_image_ = image_2x ? LoadScaledImage(*image, *image_2x) : LoadImage(*image);
    if (background_image_) background_colour_ = MeanColour(background_image_->Current());
  }
  if (colour != -1) background_colour_ = static_cast<std::uint32_t>(colour);
  if (mode == background_mode::kFadeIn) snapshot_ = back_buffer_.Clone();
  DrawBackground();
  gfx::CopyArea(back_buffer_, background_picture_, {0, 0, width_, height_});
  if (!quiet) {
    WeakRef<RazezaZOHost> self(*this);
    BroadcastRepaint();
    if (!self || !attached()) return;  // a handler deleted or detached the host
  }
  ComposeHostArea(*this, WholeWindow(), *back_graphics_);
  SetBusy(false);
  // Desktop-composition blur needs OsMajorVersion 6; this platform reports 0.
  // An empty window has no picture to fade in (and its fade could never end).
  if (mode == background_mode::kPresent) {
    Present(*this, WholeWindow());
  } else if (mode == background_mode::kFadeIn && !snapshot_.IsNull()) {
    SetBusy(true);
    fade_alpha_ = 0;
    Handle self = handle();
    System().SetTimer(window_, self, kFadeStepMs, [self](winsys::WindowId, unsigned, std::uintptr_t, std::uint32_t) {
      if (RazezaZOHost* host = Lookup<RazezaZOHost>(self)) host->FadeInStep();
    });
  }
}

void RazezaZOHost::DrawBackground() {
  gfx::Graphics& g = *back_graphics_;
  g.Clear(0);
  const gfx::Bitmap* picture = BackgroundImage();
  FloatRect whole = WholeWindow();
  if (frame_style_ == frame_style::kSkinned) {
    clip_region_.reset();
    if (picture && creation_rect_.IsEmpty())
      DrawStretched(g, *picture, whole);
    else if (picture)
      DrawNineGrid(g, *picture, whole,
                   {creation_rect_.x, creation_rect_.y, creation_rect_.width, creation_rect_.height});
  } else {
    clip_region_ = WindowShape(6, frame_style_ == frame_style::kSquare ? 0 : 4);
    g.SetClip(*clip_region_);
    FloatRect inner{5, 5, whole.width - 10, whole.height - 10};
    if (picture) {
      SolidFillRect(g, Grown(whole, 1), ToArgb(background_colour_, 255));
      if (image_placement_ == 1)
        DrawStretched(g, *picture, inner);
      else if (image_placement_ == 2)
        DrawCentred(g, *picture, whole);
      else
        DrawNatural(g, *picture, inner);
      if (image_edges_) GlossOverlay(g, inner, background_colour_, 6);
    } else {
      SolidFillRect(g, Grown(whole, 1), ToArgb(background_colour_, layer_alpha_ == -1 ? 255 : layer_alpha_));
    }
  }
  if (hooks_.paint_background) hooks_.paint_background(window_, g, width_, height_);
  if (frame_style_ != frame_style::kSkinned) DrawBorder(g);
  g.ResetClip();
  if (layer_alpha_ == -1) {
    bool zoomed = System().IsZoomed(window_);
    System().SetWindowRegion(window_, WindowShape(zoomed ? 5 : 6, frame_style_ == frame_style::kSquare ? 0 : 5));
  } else if (caption_flags_ & kCaptionCreated) {
    DrawShadow(g);
  }
}

void RazezaZOHost::DrawBorder(gfx::Graphics& g) {
  FloatRect outer{1, 1, static_cast<float>(width_ - 2), static_cast<float>(height_ - 2)};
  FloatRect inner = Inset(outer);
  if (layer_alpha_ != -1) {
    OutlineRoundRect(g, outer, 7, ToArgb(0x606060, 204));
    OutlineRoundRect(g, inner, 6, ToArgb(0xFFFFFF, 102));
  } else {
    OutlineRoundRect(g, outer, 0, ToArgb(0x606060, 204));
    OutlineRoundRect(g, inner, 0, ToArgb(0xFFFFFF, 102));
  }
}

// Four outlines around the inner rectangle, each a pixel further out and fainter.
void RazezaZOHost::DrawShadow(gfx::Graphics& g) {
  static constexpr int kAlphas[] = {45, 25, 10, 5};
  static constexpr int kCorners[] = {10, 12, 15, 18};
  static constexpr int kSquareCorners[] = {1, 4, 7, 11};
  std::uint32_t rgb = shadow_colour_ == -1 ? 0 : static_cast<std::uint32_t>(shadow_colour_);
  FloatRect rect{5, 5, static_cast<float>(width_ - 10), static_cast<float>(height_ - 10)};
  for (int i = 0; i < 4; ++i) {
    OutlineRoundRect(g, rect, frame_style_ == frame_style::kSquare ? kSquareCorners[i] : kCorners[i],
                     ToArgb(rgb, kAlphas[i]));
    rect = Grown(rect, 1);
  }
}

// Each step blends the new picture over what the screen shows after the step
// before, so the picture builds up (about 51, 133, 206, 245, 255 of the way).
void RazezaZOHost::FadeInStep() {
  if (snapshot_.IsNull()) return;  // the fade was stopped
  fade_alpha_ = std::min(255, fade_alpha_ + kFadeStepAlpha);
  {
    gfx::Graphics g(snapshot_);
    FloatRect whole = WholeWindow();
    g.DrawImage(back_buffer_, whole, whole, static_cast<float>(fade_alpha_) / 255.0f);
  }
  if (layer_alpha_ != -1)
    System().PresentLayered(window_, snapshot_, 255);
  else
    System().Present(window_, snapshot_, {0, 0, width_, height_});
  if (fade_alpha_ < 255) return;
  StopFade();
  SetBusy(false);
  // Controls that repainted or moved while the fade ran could not compose then.
  RedrawNow();
}

// The snapshot lives exactly as long as a fade runs.
void RazezaZOHost::StopFade() {
  if (snapshot_.IsNull()) return;
  System().KillTimer(window_, handle());
  snapshot_ = gfx::Bitmap();
  fade_alpha_ = 255;
}

}  // namespace razezazo
