#pragma once
// The one scratch buffer all hosts share for blending transition frames; it only
// grows (and starts again at another scale). UI thread only.
#include "platform/gfx/bitmap.h"

namespace razezazo {

gfx::Bitmap& SharedScratchCanvas(int min_width, int min_height, float scale);

}  // namespace razezazo
