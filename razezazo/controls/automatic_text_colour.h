#pragma once
// The text colour of a control whose text colour follows its background.
#include "razezazo/drawing/color.h"
#include "razezazo/widgets/control_base.h"

namespace razezazo {

// White on a dark background, black otherwise, keeping the alpha of `colour`.
// The background is judged from the host's background picture, not from the
// composed window, which holds the control's own last text. Without a host
// the colour stays as it is.
Color AutomaticTextColour(const ControlBase& control, Color colour);

}  // namespace razezazo
