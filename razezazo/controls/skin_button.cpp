#include "razezazo/controls/skin_button.h"

#include "assets/assets.h"
#include "razezazo/drawing/clip.h"
#include "razezazo/drawing/effects.h"
#include "razezazo/drawing/image.h"

namespace razezazo {
namespace {

constexpr std::uint32_t kLightIntervalMs = 100;
constexpr float kLightStride = 6;
constexpr gfx::PointF kLightStart{6, 0};
constexpr NineGrid kSkinMargins{5, 5, 3, 15};
constexpr float kCellWidth = 13, kCellHeight = 28;

// Loaded on the first use, decoded once and shared by every skin button.
const gfx::Bitmap& SkinImage(float scale) {
  static const ImageHandle skin = LoadScaledImage(assets::PushButtonSkin(1), assets::PushButtonSkin(2));
  static const gfx::Bitmap none;
  return skin ? skin->ForScale(scale) : none;
}

float CellX(int state) {
  switch (state) {
    case kButtonHot:
    case kButtonFocused: return 14;
    case kButtonPressed: return 28;
    default: return 0;
  }
}

void Move(FloatRect& r, float dx, float dy) { r.x += dx, r.y += dy; }

}  // namespace

bool SkinButton::BackgroundHook(PaintContext& context, int state) {
  gfx::Graphics& g = *context.graphics;
  const gfx::Bitmap cell = CutCell(SkinImage(g.Target().Scale()), {CellX(state), 0, kCellWidth, kCellHeight});
  if (!cell.IsNull()) DrawNineGrid(g, cell, context.rect, kSkinMargins);
  if (light_running_) DrawLight(g, context.rect);
  return true;
}

// A one-pixel ring inside the border: the rounded region of the button less
// its bottom shade, without the rounded region one pixel further in.
void SkinButton::DrawLight(gfx::Graphics& g, const FloatRect& r) const {
  const FloatRect outer{r.x + 1, r.y, r.width - 1, r.height - 3};
  ClipToRegion(g, RoundRectRegion(outer));
  ClipToRegion(g, RoundRectRegion(Inset(outer)), 4);
  GlowSpot(g, light_position_);
  ResetClip(g);
}

// The skin's face sits higher than the standard one; no focus rectangle: the
// light marks focus.
bool SkinButton::RectangleHook(PaintContext&, int, FloatRect& icon, FloatRect& text) {
  switch (icon_layout()) {
    case IconTextLayout::kIconLeftOfText: Move(icon, -2, -2), Move(text, -2, -2); break;
    case IconTextLayout::kIconAtLeftEdge: Move(icon, 4, -2), Move(text, 4, -2); break;
    case IconTextLayout::kIconAboveText: Move(icon, 0, -4), Move(text, -1, -2); break;
    case IconTextLayout::kIconAtTop: Move(icon, 0, 2), Move(text, -1, 4); break;
    default: break;
  }
  return true;
}

void SkinButton::LightStep() {
  const float across = width() - 2, down = height() - 4;
  gfx::PointF& p = light_position_;
  switch (light_segment_) {
    case 1:
      p.x += kLightStride;
      if (p.x >= across - kTolerance) p.x = across, light_segment_ = 2;
      break;
    case 2:
      p.y += kLightStride;
      if (p.y >= down - kTolerance) p.y = down, light_segment_ = 3;
      break;
    case 3:
      p.x -= kLightStride;
      if (p.x <= kTolerance) p.x = 0, light_segment_ = 4;
      break;
    case 4:
      p.y -= kLightStride;
      if (p.y <= kTolerance) p.y = 0, light_segment_ = 1;
      break;
    default: light_segment_ = 1; break;
  }
}

void SkinButton::StartLightTimer() { winsys::Current().SetTimer(host_window(), self(), kLightIntervalMs); }
void SkinButton::StopLightTimer() { winsys::Current().KillTimer(host_window(), self()); }

std::intptr_t SkinButton::EventHook(int code, std::intptr_t argument1, std::intptr_t) {
  switch (code) {
    case event::kCreated:
      SkinImage(1.0f);  // decoded once, before the first paint
      light_running_ = false;
      light_segment_ = 1;
      light_position_ = kLightStart;
      return kNotHandled;
    case event::kDestroyed:
      StopLightTimer();
      light_running_ = false;
      return kNotHandled;
    case event::kTimer:
      if (static_cast<Handle>(argument1) != self()) return kNotHandled;
      if (!light_running_) StopLightTimer();
      LightStep();
      Paint();
      return kNotHandled;
    case event::kFocusGained:
      light_running_ = true;
      StartLightTimer();
      light_segment_ = 1;
      light_position_ = kLightStart;
      return 0;
    case event::kFocusLost:
      light_running_ = false;
      StopLightTimer();
      Paint();
      return 0;
    case event::kTransitionFrame:
      // The fade's new picture keeps the light moving while the timer rests.
      if (light_running_) {
        if (gfx::Graphics* g = canvas_graphics()) g->Clear(0);
        LightStep();
        Paint(std::nullopt, false);
      }
      return kNotHandled;
    case event::kTransitionStarts:
      if (light_running_) StopLightTimer();
      return kNotHandled;
    case event::kTransitionFinished:
      if (light_running_) StartLightTimer();
      return kNotHandled;
    default: return kNotHandled;
  }
}

}  // namespace razezazo
