#pragma once
// The standard face of a push button: per visual state a colour row and an
// alpha row of six roles — face fill, gradient top, gradient bottom, outer
// border, inner border, bottom line. The gradient's colour is the host's
// background colour; only its alphas come from the table.
#include <cstdint>

#include "platform/gfx/graphics.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

enum ButtonState : int {
  kButtonDisabledLook = -1,
  kButtonNormal = 0,
  kButtonHot = 1,
  kButtonPressed = 2,
  kButtonFocused = 3,
};

enum ButtonFaceRole : int {
  kFaceFill = 0,
  kGradientTop = 1,
  kGradientBottom = 2,
  kOuterBorder = 3,
  kInnerBorder = 4,
  kBottomLine = 5,
};

// The role's colour in `state` (states outside -1..3 use the normal row); the
// gradient roles take `host_background` (Windows RGB) as their colour.
Color ButtonFaceColour(int state, int role, std::uint32_t host_background);

// Draws the face over a width x height canvas: fill, gradient, double border
// (rounded or rectangular) and the bottom line.
void DrawButtonFace(gfx::Graphics& g, float width, float height, int state, std::uint32_t host_background,
                    bool rounded);

}  // namespace razezazo
