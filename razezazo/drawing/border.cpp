#include "razezazo/drawing/border.h"

#include "razezazo/drawing/shapes.h"

namespace razezazo {

namespace {

void Sunken(gfx::Graphics& g, float x, float y, float w, float h, float p) {
  const Color shadow = ToArgb(0x000000, 160), light = ToArgb(0xFFFFFF, 245);
  Line(g, shadow, x, y, x + w - 1, y, p);
  Line(g, shadow, x, y, x, y + h - 1, p);
  Line(g, light, x, y + h - 1, x + w - 1, y + h - 1, p / 2);
  Line(g, light, x + w - 1, y, x + w - 1, y + h - 1, p / 2);
}

void Raised(gfx::Graphics& g, float x, float y, float w, float h, float p) {
  const Color light = ToArgb(0xFFFFFF, 245), shadow = ToArgb(0x000000, 168);
  Line(g, light, x, y, x + w - 2, y, p / 2);
  Line(g, light, x, y, x, y + h - 2, p / 2);
  Line(g, shadow, x, y + h - 1, x + w - 1, y + h - 1, p);
  Line(g, shadow, x + w - 1, y, x + w - 1, y + h - 2, p);
}

}  // namespace

void DrawBorder(gfx::Graphics& g, const FloatRect& r, BorderStyle style, std::optional<Color> color, float p) {
  const FloatRect outline = Adjust(r, 0, 0, -1, -1);
  switch (style) {
    case border_style::kNone: return;
    case border_style::kSunken: return Sunken(g, r.x, r.y, r.width, r.height, p);
    case border_style::kRaised: return Raised(g, r.x, r.y, r.width, r.height, p);
    case border_style::kFlat: return g.DrawRectangle({color.value_or(ToArgb(0x646464)), p}, outline);
    case border_style::kFocus:
      return g.DrawRectangle({color.value_or(ToArgb(0x000000, 120)), p, gfx::DashStyle::Dash}, outline);
    default: return g.DrawRectangle({style, p}, outline);
  }
}

}  // namespace razezazo
