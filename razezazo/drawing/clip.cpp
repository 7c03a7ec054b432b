#include "razezazo/drawing/clip.h"

namespace razezazo {

namespace {
gfx::CombineMode ModeOf(int combine_mode) {
  switch (combine_mode) {
    case 1: return gfx::CombineMode::Intersect;
    case 4: return gfx::CombineMode::Exclude;
    default: return gfx::CombineMode::Replace;
  }
}
}  // namespace

void ClipToRect(gfx::Graphics& g, const FloatRect& rect, int mode) { g.SetClip(rect, ModeOf(mode)); }
void ClipToPath(gfx::Graphics& g, const gfx::Path& path, int mode) { g.SetClip(path, ModeOf(mode)); }
void ClipToRegion(gfx::Graphics& g, const gfx::Region& region, int mode) { g.SetClip(region, ModeOf(mode)); }
void ResetClip(gfx::Graphics& g) { g.ResetClip(); }
FloatRect VisibleClipBounds(const gfx::Graphics& g) { return g.VisibleClipBounds(); }

gfx::Region RoundRectRegion(const FloatRect& rect) {
  const int x = static_cast<int>(rect.x), y = static_cast<int>(rect.y);
  return gfx::Region::RoundRect(x, y, x + static_cast<int>(rect.width), y + static_cast<int>(rect.height), 5, 5);
}

}  // namespace razezazo
