#pragma once
// Small helpers for tests that look at real pixels.
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

}  // namespace gfx::testing
