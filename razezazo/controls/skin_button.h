#pragma once
// SkinButton: a PushButton whose background is a cell of the built-in skin
// image stretched through a nine-grid, and whose focus is marked not by a
// focused face or a dashed rectangle but by the border light: a glow spot
// that runs clockwise around a one-pixel ring inside the border, 6 px every
// 100 ms, and pauses while a hover transition runs (the transition's frames
// move it instead).
#include "platform/gfx/geometry.h"
#include "razezazo/controls/push_button.h"

namespace razezazo {

class SkinButton : public PushButton {
 public:
  SkinButton() = default;
  ~SkinButton() override { Destroy(); }

  bool light_running() const { return light_running_; }
  int light_segment() const { return light_segment_; }
  gfx::PointF light_position() const { return light_position_; }

  // Moves the light one tick along the border: right along the top, down the
  // right side, left along the bottom, up the left side.
  void LightStep();

 protected:
  ControlKind ButtonKind() const override { return kKindSkinButton; }
  bool BackgroundHook(PaintContext& context, int state) override;
  bool RectangleHook(PaintContext& context, int state, FloatRect& icon, FloatRect& text) override;
  std::intptr_t EventHook(int code, std::intptr_t argument1, std::intptr_t argument2) override;

 private:
  void StartLightTimer();
  void StopLightTimer();
  void DrawLight(gfx::Graphics& g, const FloatRect& paint_rect) const;

  bool light_running_ = false;
  int light_segment_ = 1;
  gfx::PointF light_position_;
};

}  // namespace razezazo
