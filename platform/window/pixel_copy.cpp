#include "platform/window/pixel_copy.h"

#include <algorithm>

#include "platform/gfx/argb.h"

namespace winsys {

namespace {

std::uint32_t Scale(std::uint32_t premultiplied, unsigned alpha) {
  if (alpha == 255) return premultiplied;
  auto mul = [alpha](unsigned v) { return (v * alpha + 127) / 255; };
  return gfx::MakeArgb(mul(gfx::AlphaOf(premultiplied)), mul(gfx::RedOf(premultiplied)),
                       mul(gfx::GreenOf(premultiplied)), mul(gfx::BlueOf(premultiplied)));
}

}  // namespace

void CopyPixels(const gfx::Bitmap& source, const gfx::RectI& rect, gfx::Bitmap& target, std::uint8_t alpha,
                bool opaque) {
  if (source.IsNull() || target.IsNull()) return;
  const int x0 = std::max(rect.x, 0), y0 = std::max(rect.y, 0);
  const int x1 = std::min({rect.Right(), source.Width(), target.Width()});
  const int y1 = std::min({rect.Bottom(), source.Height(), target.Height()});
  if (x1 <= x0 || y1 <= y0) return;
  for (int y = y0; y < y1; ++y) {
    const std::uint32_t* from = source.Row(y);
    std::uint32_t* to = target.Row(y);
    for (int x = x0; x < x1; ++x) {
      const std::uint32_t pixel = Scale(from[x], alpha);
      to[x] = opaque ? (pixel | 0xFF000000u) : pixel;
    }
  }
  target.MarkDirty();
}

void ClearOutside(gfx::Bitmap& bitmap, const gfx::Region& keep) {
  if (bitmap.IsNull()) return;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x)
      if (!keep.Contains(x, y)) row[x] = 0;
  }
  bitmap.MarkDirty();
}

gfx::Region OpaqueRegion(const gfx::Bitmap& bitmap, std::uint8_t threshold) {
  gfx::Region region;
  if (bitmap.IsNull()) return region;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width();) {
      if (gfx::AlphaOf(row[x]) < threshold) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < bitmap.Width() && gfx::AlphaOf(row[x]) >= threshold) ++x;
      region.Union(gfx::Region(gfx::RectI{start, y, x - start, 1}));
    }
  }
  return region;
}

}  // namespace winsys
