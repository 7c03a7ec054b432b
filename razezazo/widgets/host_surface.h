#pragma once
// What controls and the paint cycle need of the host that draws them: its
// window, back buffer and background picture, the busy state, the control tree
// and the slots that refer to controls, its frame style and background colour.
// RazezaZOHost (razezazo/core) is the implementation; this part lives in the
// widget layer, below the controls, so that they never reach up into the host's
// layer.
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/region.h"
#include "platform/window/window_system.h"
#include "razezazo/drawing/float_rect.h"
#include "razezazo/widgets/control_tree.h"
#include "razezazo/widgets/framework_object.h"
#include "runtime/text.h"

namespace razezazo {

class ControlBase;

namespace property {
// The window property under which a host window keeps its host's handle (the
// other framework properties are listed with the framework's start-up).
inline constexpr char kControl[] = "Ex_Wnd_Control";
}  // namespace property

// A host's frame styles (field 26): square corners, a skinned window (its
// background image drawn whole or as a nine-grid, no border), or rounded
// corners (the default; every other value means the same).
namespace frame_style {
enum Kind : int { kSquare = 0, kSkinned = 1, kRounded = 7 };
}  // namespace frame_style

class HostSurface : public FrameworkObject {
 public:
  winsys::WindowId window() const { return window_; }
  bool attached() const { return window_ != 0; }
  // While busy (a background build, a fade-in) nothing is composed or presented.
  bool busy() const { return busy_; }
  int layer_alpha() const { return layer_alpha_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Device pixels per logical pixel of the window: back buffer and canvases hold that many.
  float scale() const { return scale_; }
  FloatRect WholeWindow() const { return {0, 0, static_cast<float>(width_), static_cast<float>(height_)}; }
  gfx::Bitmap& back_buffer() { return back_buffer_; }
  gfx::Graphics& back_graphics() { return *back_graphics_; }
  gfx::Bitmap& background_picture() { return background_picture_; }
  const std::optional<gfx::Region>& clip_region() const { return clip_region_; }

  ControlTree& controls() { return controls_; }
  ControlBase* first_control() const { return controls_.first(); }
  ControlBase* last_control() const { return controls_.last(); }

  virtual ControlBase* focused() const = 0;
  // The control that got the focus by Tab (drawn with a focus rectangle).
  virtual ControlBase* keyboard_focus() const = 0;
  virtual void SetFocus(ControlBase* control, bool by_keyboard) = 0;
  // The control a left press is in progress on (the mouse is captured for
  // it); null when there is none.
  virtual ControlBase* pressing_control() const = 0;
  virtual void ClearFocus() = 0;
  // Every slot that refers to the control is cleared: it is going away.
  virtual void ForgetControl(ControlBase& control) = 0;
  // Re-adds the control's tool tip over its bounds; no text: the control's name;
  // an empty text removes the tip.
  virtual void UpdateTooltip(ControlBase* control, const std::optional<runtime::Text>& text = std::nullopt) = 0;
  // The frame the host draws.
  virtual frame_style::Kind frame_style() const = 0;
  // The background colour as Windows RGB (0x00BBGGRR).
  virtual std::uint32_t background_colour() const = 0;

 protected:
  HostSurface() { AcquireHandle(); }

  winsys::WindowId window_ = 0;
  bool busy_ = false;
  int layer_alpha_ = -1;
  int width_ = 0;
  int height_ = 0;
  float scale_ = 1.0f;
  gfx::Bitmap back_buffer_;
  std::unique_ptr<gfx::Graphics> back_graphics_;
  gfx::Bitmap background_picture_;
  std::optional<gfx::Region> clip_region_;
  ControlTree controls_{*this};
};

// The host of `window`, or null when the window has none.
HostSurface* HostSurfaceOfWindow(winsys::WindowId window);

}  // namespace razezazo
