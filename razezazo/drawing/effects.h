#pragma once
// Light effects: the glow spot that runs around a focused skin button and the
// gloss bands along the edges of a window's background image.
#include <cstdint>

#include "platform/gfx/graphics.h"
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

// A soft white disc of radius 18 around the point, opaque in the middle and
// nearly transparent (alpha 50) at its rim.
void GlowSpot(gfx::Graphics& g, gfx::PointF centre);

struct GlossEdges {
  bool top = true;
  bool left = true;
  bool bottom = true;
  bool right = true;
};

// Gradient bands in the Windows RGB colour, opaque at the edge and fading
// inwards. The bottom and right bands are displaced by (offset, offset).
void GlossOverlay(gfx::Graphics& g, const FloatRect& rect, std::uint32_t rgb, float band_limit = 100,
                  GlossEdges edges = {}, float offset = 6);

}  // namespace razezazo
