#pragma once
// Resampling an image's pixels to another size, for the platforms whose
// drawing library does not scale images to the pixel. Internal to platform/gfx.
#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"

namespace gfx::detail {

// The device pixels of `source` (device coordinates, possibly fractional)
// stretched to width x height device pixels at scale 1: each pixel samples the
// source at its centre, the nearest pixel or bilinearly, and nothing beyond
// the source rectangle's pixels is ever sampled (edges are extended).
Bitmap Resample(const Bitmap& image, const RectF& source, int width, int height, bool smooth);

}  // namespace gfx::detail
