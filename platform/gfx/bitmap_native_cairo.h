#pragma once
// A bitmap's pixels on Linux: a Cairo image surface. For the platform layer's
// own code (the drawing code, the GTK window backend).
#include <cairo.h>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/cairo_ptr.h"

namespace gfx {

struct Bitmap::Native {
  detail::SurfacePtr surface;
};

inline cairo_surface_t* CairoSurface(const Bitmap& bitmap) {
  return bitmap.IsNull() ? nullptr : bitmap.NativeSurface()->surface.get();
}

}  // namespace gfx
