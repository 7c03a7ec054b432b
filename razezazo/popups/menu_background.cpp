// The default look of a menu window.
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/shapes.h"
#include "razezazo/popups/popup_menu.h"

namespace razezazo {
namespace {

constexpr Color kPanel = 0xEAFFFFFF;
constexpr Color kPanelOutline = 0x7D000000;
constexpr Color kIconStrip = 0xFED1E4EC;  // ToArgb(0xECE4D1)

struct ShadowRing {
  int corner;
  Color colour;
};
constexpr ShadowRing kShadowRings[] = {{7, 0x23000000}, {10, 0x0F000000}, {13, 0x05000000}};

FloatRect Grown(const FloatRect& r) { return {r.x - 1, r.y - 1, r.width + 2, r.height + 2}; }

}  // namespace

void DrawDefaultMenuBackground(gfx::Graphics& g, int width, int height) {
  const auto w = static_cast<float>(width), h = static_cast<float>(height);
  g.Clear(0);
  FloatRect panel{6, 6, w - 12, h - 12};
  FillRoundRect(g, panel, 4, kPanel);
  OutlineRoundRect(g, panel, 4, kPanelOutline);
  FloatRect ring = panel;
  for (const ShadowRing& shadow : kShadowRings) {
    ring = Grown(ring);
    OutlineRoundRect(g, ring, shadow.corner, shadow.colour);
  }
  const FloatRect strip{8, 8, 24, h - 16};
  FillRoundRect(g, strip, 3, kIconStrip);
  OutlineRoundRect(g, strip, 3, kIconStrip);
}

}  // namespace razezazo
