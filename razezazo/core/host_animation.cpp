// Opening and closing animations of a host window: frames of the window's
// picture pushed as a layered window, with sleeps and message processing between.
#include <algorithm>

#include "razezazo/core/host.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

constexpr int kShowFrames = 10;
constexpr float kSoftEdge = 100;

FloatRect Inflated(const FloatRect& r, float dx, float dy) {
  return {r.x - dx, r.y - dy, r.width + 2 * dx, r.height + 2 * dy};
}

void DrawScaled(gfx::Graphics& g, const gfx::Bitmap& picture, const FloatRect& dest, int alpha) {
  FloatRect source{0, 0, static_cast<float>(picture.Width()), static_cast<float>(picture.Height())};
  g.DrawImage(picture, dest, source, static_cast<float>(alpha) / 255.0f);
}

// The part of the picture inside [from, to) along one axis, with a soft edge
// whose alpha falls linearly over its last 100 px in the direction of travel.
void DrawWipe(gfx::Graphics& g, const gfx::Bitmap& picture, bool horizontal, bool forward, float revealed, int alpha) {
  float extent = static_cast<float>(horizontal ? picture.Width() : picture.Height());
  float other = static_cast<float>(horizontal ? picture.Height() : picture.Width());
  constexpr int kStrips = 10;
  float solid = std::max(0.0f, revealed - kSoftEdge);
  auto band = [&](float start, float length, int band_alpha) {
    if (length <= 0) return;
    float from = forward ? start : extent - start - length;
    FloatRect r = horizontal ? FloatRect{from, 0, length, other} : FloatRect{0, from, other, length};
    g.DrawImage(picture, r, r, static_cast<float>(band_alpha) / 255.0f);
  };
  band(0, solid, alpha);
  float strip = (revealed - solid) / kStrips;
  for (int i = 0; i < kStrips; ++i) band(solid + strip * i, strip, alpha * (kStrips - i) / kStrips);
}

}  // namespace

void RazezaZOHost::ProcessPendingMessages() {
  winsys::WindowSystem& system = System();
  winsys::Message message;
  while (system.PeekMessage(message, true)) {
    if (message.message == winsys::WM_QUIT) {
      system.PostQuitMessage(static_cast<int>(message.wparam));
      return;
    }
    system.TranslateMessage(message);
    system.DispatchMessage(message);
  }
}

void RazezaZOHost::DrawShowFrame(show_animation::Kind kind, int frame_number, const gfx::Bitmap& picture,
                                 gfx::Bitmap& frame) const {
  gfx::Graphics g(frame);
  g.Clear(0);
  int alpha = 25 * (frame_number - 1);
  FloatRect whole = WholeWindow();
  float revealed = whole.width * frame_number / kShowFrames;
  float revealed_down = whole.height * frame_number / kShowFrames;
  switch (kind) {
    case show_animation::kFadeIn: DrawScaled(g, picture, whole, alpha); break;
    case show_animation::kZoomIn: {
      float share = static_cast<float>(kShowFrames - frame_number) / 100.0f;
      DrawScaled(g, picture, Inflated(whole, -share * whole.width, -share * whole.height), alpha);
      break;
    }
    case show_animation::kWipeFromLeft: DrawWipe(g, picture, true, true, revealed, alpha); break;
    case show_animation::kWipeFromRight: DrawWipe(g, picture, true, false, revealed, alpha); break;
    case show_animation::kWipeFromTop: DrawWipe(g, picture, false, true, revealed_down, alpha); break;
    default: DrawWipe(g, picture, false, false, revealed_down, alpha); break;
  }
}

void RazezaZOHost::Show(show_animation::Kind kind, int duration_ms) {
  winsys::WindowSystem& system = System();
  ProcessPendingMessages();
  if (kind == show_animation::kNone) {
    system.ShowWindow(window_, winsys::SW_SHOWNORMAL);
    RedrawNow();
    return;
  }
  bool layered = layer_alpha_ != -1;
  std::uint32_t ex_style = system.ExStyle(window_);
  if (!layered) {
    system.SetWindowRegion(window_, WindowShape(6, 5));
    system.SetExStyle(window_, ex_style | winsys::WS_EX_LAYERED);
  }
  SetBusy(true);
  gfx::Bitmap picture = back_buffer_.Clone();
  gfx::Bitmap frame(width_, height_, scale_);
  system.PresentLayered(window_, frame, 255);
  system.ShowWindow(window_, winsys::SW_SHOWNORMAL);
  for (int f = 1; f <= kShowFrames; ++f) {
    DrawShowFrame(kind, f, picture, frame);
    system.PresentLayered(window_, frame, 255);
    system.Sleep(
        static_cast<std::uint32_t>(kind == show_animation::kZoomIn ? kShowFrames + 1 - f : duration_ms / kShowFrames));
    ProcessPendingMessages();
  }
  system.PresentLayered(window_, picture, 255);
  if (!layered) system.SetExStyle(window_, ex_style);
  SetBusy(false);
  system.InvalidateRect(window_, std::nullopt);
  RedrawNow();
}

void RazezaZOHost::RunCloseAnimation() {
  if (close_animation_ == close_animation::kNone || !attached()) return;
  winsys::WindowSystem& system = System();
  system.SetExStyle(window_, system.ExStyle(window_) | winsys::WS_EX_LAYERED);
  gfx::Bitmap picture = back_buffer_.Clone();
  gfx::Bitmap frame(width_, height_, scale_);
  FloatRect whole = WholeWindow();
  int kind = close_animation_;
  int frames = kind == close_animation::kSwellAndFade ? 20 : 15;
  for (int f = 1; f <= frames; ++f) {
    gfx::Graphics g(frame);
    g.Clear(0);
    std::uint32_t sleep_ms = 8;
    if (kind == close_animation::kFadeOut) {
      DrawScaled(g, picture, whole, 255 - 17 * f);
      sleep_ms = 10;
    } else if (kind == close_animation::kSwellAndFade) {
      // Swells for three frames, then shrinks about its centre a pixel a side.
      float grow = f <= 3 ? 0.75f * f : 2.25f - static_cast<float>(f - 3);
      DrawScaled(g, picture, Inflated(whole, grow, grow), 255 - 12 * f);
      sleep_ms = static_cast<std::uint32_t>(std::max(10, 16 - f));
    } else if (kind == show_animation::kWipeFromLeft || kind == show_animation::kWipeFromRight ||
               kind == close_animation::kShrinkToCentre) {
      float step_x = whole.width * 0.1f / 15, step_y = whole.height * 0.1f / 15;
      DrawScaled(g, picture, Inflated(whole, -step_x * (f - 1), -step_y * (f - 1)), 255 - 17 * f);
      sleep_ms = static_cast<std::uint32_t>(std::max(1, 13 - f));
    } else {
      DrawWipe(g, picture, true, true, whole.width * (frames - f) / frames, 255 - 17 * f);
    }
    system.PresentLayered(window_, frame, 255);
    system.Sleep(sleep_ms);
    ProcessPendingMessages();
    if (!attached()) return;
  }
}

}  // namespace razezazo
