#pragma once
// A region on Linux: a Cairo region. For the platform layer's own code (the
// drawing code, the GTK window backend).
#include <cairo.h>

#include "platform/gfx/cairo_ptr.h"
#include "platform/gfx/region.h"

namespace gfx {

struct Region::Native {
  detail::RegionPtr region;
};

inline const cairo_region_t* CairoRegion(const Region& region) { return region.NativeRegion().region.get(); }

}  // namespace gfx
