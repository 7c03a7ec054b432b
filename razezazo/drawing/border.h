#pragma once
// The framework's border styles. A style value outside 0..4 is itself the
// pen colour of a plain rectangle.
#include <cstdint>
#include <optional>

#include "platform/gfx/graphics.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

using BorderStyle = std::uint32_t;
namespace border_style {
constexpr BorderStyle kNone = 0;
constexpr BorderStyle kSunken = 1;
constexpr BorderStyle kRaised = 2;
constexpr BorderStyle kFlat = 3;   // given colour, else grey 0x646464
constexpr BorderStyle kFocus = 4;  // dashed; given colour, else black at alpha 120
}  // namespace border_style

void DrawBorder(gfx::Graphics& g, const FloatRect& rect, BorderStyle style, std::optional<Color> color = std::nullopt,
                float pen_width = 1.0f);

}  // namespace razezazo
