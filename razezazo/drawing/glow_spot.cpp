#include "razezazo/drawing/effects.h"

namespace razezazo {

void GlowSpot(gfx::Graphics& g, gfx::PointF c) {
  const gfx::RectF box{c.x - 18, c.y - 18, 36, 36};
  g.FillRectangle(gfx::EllipseGradient{box, 0xFFFFFFFF, 0x32FFFFFF}, box);
}

}  // namespace razezazo
