#pragma once
// Pixel moves between back buffers and what a window shows, on the premultiplied
// rows of gfx::Bitmap.
#include <cstdint>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"

namespace winsys {

// Copies `rect` (logical) of `source` to the same place in `target` of the same
// scale (clipped to both),
// every channel scaled by alpha / 255; `opaque` then sets the alpha channel to
// 255 and keeps the premultiplied colour, which is what a plain window shows.
void CopyPixels(const gfx::Bitmap& source, const gfx::RectI& rect, gfx::Bitmap& target, std::uint8_t alpha,
                bool opaque);

// Makes every pixel outside `keep` fully transparent.
void ClearOutside(gfx::Bitmap& bitmap, const gfx::Region& keep);

// The pixels whose alpha is at least `threshold`, as a region.
gfx::Region OpaqueRegion(const gfx::Bitmap& bitmap, std::uint8_t threshold);

}  // namespace winsys
