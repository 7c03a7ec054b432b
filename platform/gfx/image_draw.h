#pragma once
// The geometry of Graphics::DrawImage that every platform shares: the source
// rectangle trimmed to the image, and when a draw is a plain pixel copy.
// Internal to platform/gfx.
#include <optional>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"

namespace gfx::detail {

struct ImageDraw {
  RectF dest;
  RectF source;
};

// The source rectangle cut to the image, and the destination cut with it at
// the same scale; nothing when no part of the source lies on the image.
std::optional<ImageDraw> TrimToImage(const Bitmap& image, const RectF& dest, const RectF& source);

bool IsWholeImage(const Bitmap& image, const RectF& source);

// Unscaled from the image's device pixels to the target's, starting on a whole
// device pixel: a plain copy.
bool IsUnscaledOnPixels(const ImageDraw& d, float image_scale, float target_scale);

}  // namespace gfx::detail
