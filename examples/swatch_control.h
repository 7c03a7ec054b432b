#pragma once
// A plain control for the example window: a rounded colour swatch that lights
// up under the mouse and darkens while pressed.
#include "platform/gfx/graphics.h"
#include "razezazo/widgets/control_base.h"

namespace examples {

class SwatchControl : public razezazo::ControlBase {
 public:
  explicit SwatchControl(gfx::Argb colour) : colour_(colour) {}
  ~SwatchControl() override { Destroy(); }

  int clicks() const { return clicks_; }

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) override;

 private:
  void Paint();

  gfx::Argb colour_;
  bool hot_ = false;
  bool pressed_ = false;
  int clicks_ = 0;
};

}  // namespace examples
