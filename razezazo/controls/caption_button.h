#pragma once
// CaptionButton: a button of a host window's caption — close (kind 4),
// maximise/restore (8), minimise (16), or one of the free kinds 32, 64, 128
// and 256, which do nothing themselves: their click reaches the host's click
// hook and the handlers bound to the button. Faces come from the
// caption-button strip; state changes under the mouse fade in 3 steps and
// out in 4.
#include <cstdint>

#include "razezazo/widgets/control_base.h"

namespace razezazo {

enum CaptionButtonKind : int {
  kCaptionButtonClose = 4,
  kCaptionButtonMaximize = 8,
  kCaptionButtonMinimize = 16,
  kCaptionButtonFree32 = 32,
  kCaptionButtonFree64 = 64,
  kCaptionButtonFree128 = 128,
  kCaptionButtonFree256 = 256,
};

enum CaptionButtonState : int { kCaptionNormal = 0, kCaptionHot = 1, kCaptionPressed = 2 };

class CaptionButton : public ControlBase {
 public:
  CaptionButton() = default;
  ~CaptionButton() override { Destroy(); }

  // A top-level control of the host of `host_window` (control kind 1, not
  // interactive, fading in 60 ms steps). False when the window has no host.
  bool Create(winsys::WindowId host_window, int button_kind, const FloatRect& bounds, bool visible = true);

  int button_kind() const { return button_kind_; }
  int drawn_state() const { return drawn_state_; }

  // Paints the face of `state` over the whole button when the state differs
  // from the one drawn last (or the maximise button's face changed with the
  // window's zoom), or when forced; with transition steps the change fades.
  void Draw(int state, bool force = false, int transition_steps = 0);

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) override;

 private:
  void Click();

  int button_kind_ = 0;
  int drawn_state_ = kCaptionNormal;
  bool drawn_zoomed_ = false;
};

}  // namespace razezazo
