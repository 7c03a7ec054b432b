#include "razezazo/drawing/effects.h"
#include "razezazo/drawing/shapes.h"

namespace razezazo {

void GlossOverlay(gfx::Graphics& g, const FloatRect& r, std::uint32_t rgb, float e, GlossEdges edges, float o) {
  const float bw = r.width > e + kTolerance ? e : r.width / 2;
  const float bh = r.height > e + kTolerance ? e : r.height / 2;
  const Color opaque = ToArgb(rgb, 255), clear = ToArgb(rgb, 0);
  if (edges.top) GradientFillRect(g, {r.x, r.y, r.width, bh}, opaque, clear, gfx::GradientMode::Vertical);
  if (edges.left) GradientFillRect(g, {r.x, r.y, bw, r.height}, opaque, clear, gfx::GradientMode::Horizontal);
  if (edges.bottom)
    GradientFillRect(g, {r.x + o, r.y + o + r.height - bh, r.width, bh + 1}, clear, opaque,
                     gfx::GradientMode::Vertical);
  if (edges.right)
    GradientFillRect(g, {r.x + o + r.width - bw, r.y + o, bw + 1, r.height}, clear, opaque,
                     gfx::GradientMode::Horizontal);
}

}  // namespace razezazo
