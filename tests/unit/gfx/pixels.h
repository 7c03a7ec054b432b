#pragma once
// Small helpers for tests that look at real pixels.
#include <algorithm>
#include <cstdlib>

#include "platform/gfx/bitmap.h"

namespace gfx::testing {

inline unsigned Alpha(const Bitmap& b, int x, int y) { return AlphaOf(b.GetPixel(x, y)); }

inline int CountPainted(const Bitmap& b) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += Alpha(b, x, y) != 0;
  return n;
}

inline bool SamePixels(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
  return true;
}

// The largest step in lightness between two neighbours inside one 2 x 2 block
// of device pixels over `area` (logical pixels): 0 for a 1x picture that was
// pixel-doubled, about half the picture's own steps for one scaled up
// smoothly, nearly the full contrast for a text drawn at 2x.
inline int SharpestStepInsideBlocks(const Bitmap& b, const RectI& area) {
  auto light = [&](int x, int y) {
    const Argb p = b.DevicePixel(x, y);
    return static_cast<int>(RedOf(p) + GreenOf(p) + BlueOf(p)) / 3;
  };
  const RectI device = b.DeviceArea(area);
  int sharpest = 0;
  for (int y = device.y & ~1; y + 1 < device.Bottom(); y += 2)
    for (int x = device.x & ~1; x + 1 < device.Right(); x += 2)
      sharpest = std::max({sharpest, std::abs(light(x, y) - light(x + 1, y)), std::abs(light(x, y) - light(x, y + 1))});
  return sharpest;
}

}  // namespace gfx::testing
