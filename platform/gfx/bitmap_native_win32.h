#pragma once
// A bitmap's pixels on Windows: premultiplied BGRA words in memory of our own,
// rows top to bottom without padding, which GDI+ and GDI draw on in place.
// For the platform layer's own code (the drawing code, the Win32 window backend).
#include <cstdint>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace gfx {

struct Bitmap::Native {
  std::vector<std::uint32_t> pixels;
};

// The first of DeviceHeight() rows of DeviceWidth() pixels; null for the null bitmap.
inline std::uint32_t* Pixels(const Bitmap& bitmap) {
  return bitmap.IsNull() ? nullptr : bitmap.NativeSurface()->pixels.data();
}

}  // namespace gfx
