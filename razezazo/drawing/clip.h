#pragma once
// Clip helpers. Combine modes use GDI+'s numbers: 0 replace, 1 intersect,
// 4 exclude.
#include "platform/gfx/graphics.h"
#include "platform/gfx/region.h"
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

void ClipToRect(gfx::Graphics& g, const FloatRect& rect, int combine_mode = 0);
void ClipToPath(gfx::Graphics& g, const gfx::Path& path, int combine_mode = 0);
void ClipToRegion(gfx::Graphics& g, const gfx::Region& region, int combine_mode = 0);
void ResetClip(gfx::Graphics& g);
FloatRect VisibleClipBounds(const gfx::Graphics& g);

// The window-style rounded region of rect with 5 x 5 corners (a GDI round-rect
// region from (x, y) to (x + width, y + height), truncated to whole pixels).
gfx::Region RoundRectRegion(const FloatRect& rect);

}  // namespace razezazo
