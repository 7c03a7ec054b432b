#pragma once
// A fast path for the framework's most frequent drawing: a whole image at its
// own size on whole pixels with a constant opacity (disabled controls, fades,
// window animations). It blends straight into the target's pixels, eight at a
// time with AVX2, where Cairo's general compositor needs about three times as long.
#include <cairo.h>

#include "platform/gfx/bitmap.h"

namespace gfx::detail {

// Draws `image` at device pixel (x, y) on `cr`'s target with `alpha` (0..254)
// over what is there, inside the current clip. False when this path does not
// apply (no AVX2, a transformed target, another scale than the image's, a clip
// that is not whole device pixels, not an image surface): the caller then
// paints through Cairo.
bool BlendWithConstantAlpha(cairo_t* cr, const Bitmap& image, int x, int y, unsigned alpha);

}  // namespace gfx::detail
