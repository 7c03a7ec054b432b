#pragma once
// What a host is created with, and the hooks an application can set on it.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "platform/gfx/graphics.h"
#include "platform/window/window_system.h"
#include "razezazo/drawing/float_rect.h"
#include "razezazo/widgets/control_base.h"
#include "razezazo/widgets/host_surface.h"

namespace razezazo {

// Caption flags (host field 24).
enum CaptionFlag : std::uint32_t {
  kCaptionIcon = 1,
  kCaptionTitle = 2,
  kCaptionClose = 4,
  kCaptionMaximize = 8,
  kCaptionMinimize = 16,
  kCaptionFree32 = 32,
  kCaptionFree64 = 64,
  kCaptionFree128 = 128,
  kCaptionFree256 = 256,
  kCaptionCreated = 512,
  kCaptionFromStyles = 1024,
};

// How a host's window comes up (Show) and goes (its close animation); every
// kind not named here plays as the last one of its list (a documented number
// is taken with an explicit conversion: show_animation::Kind{2}).
namespace show_animation {
enum Kind : int { kNone = 0, kFadeIn = 1, kWipeFromLeft = 3, kWipeFromRight = 4, kWipeFromTop = 5, kZoomIn = 7 };
}  // namespace show_animation
namespace close_animation {
enum Kind : int { kNone = 0, kFadeOut = 1, kSwellAndFade = 2, kShrinkToCentre = 7 };
}  // namespace close_animation

// How SetBackground shows the rebuilt picture: build it only, present it at
// once, or fade it in.
namespace background_mode {
enum Kind : int { kBuildOnly = -1, kPresent = 0, kFadeIn = 1 };
}  // namespace background_mode

struct HostOptions {
  std::optional<std::span<const std::uint8_t>> background_image;
  // The same picture drawn for 200 % screens (twice the pixels each way).
  std::optional<std::span<const std::uint8_t>> background_image_2x;
  std::optional<std::uint32_t> background_colour;  // Windows RGB (0x00BBGGRR)
  std::optional<std::uint32_t> caption_flags;
  std::optional<int> layer_alpha;  // -1: an ordinary window
  std::optional<int> image_placement;
  std::optional<frame_style::Kind> frame_style;
  std::optional<bool> initial_paint;
  std::optional<bool> resizable;
  std::optional<bool> drag_anywhere;
  std::optional<bool> image_edges;
  std::optional<bool> blur_behind;
  std::optional<FloatRect> creation_rect;
  std::optional<winsys::WindowId> background_source;
};

// Mouse hooks: window, the control concerned (or null), the mouse message's two
// arguments, and that control's kind (0 without a control).
using MouseHook = std::function<void(winsys::WindowId, ControlBase*, winsys::WParam, winsys::LParam, ControlKind kind)>;
// Called first for every message; a result other than -1 ends the dispatch.
using MessageHook = std::function<winsys::LResult(winsys::WindowId, unsigned, winsys::WParam, winsys::LParam)>;
using PaintBackgroundHook = std::function<void(winsys::WindowId, gfx::Graphics&, int width, int height)>;
using SizeHook = std::function<void(winsys::WindowId, int width, int height)>;

struct HostHooks {
  PaintBackgroundHook paint_background;  // 52
  MessageHook message;                   // 53
  MouseHook left_down;                   // 54
  MouseHook left_up;                     // 55
  MouseHook click;                       // 56
  MouseHook double_click;                // 57
  MouseHook right_down;                  // 58
  MouseHook right_up;                    // 59
  MouseHook mouse_enter;                 // 60
  MouseHook mouse_leave;                 // 61
  MouseHook focus_gained;                // 62
  MouseHook focus_lost;                  // 63
  SizeHook size_changed;                 // 64
};

}  // namespace razezazo
