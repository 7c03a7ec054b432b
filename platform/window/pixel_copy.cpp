#include "platform/window/pixel_copy.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/argb.h"

namespace winsys {

namespace {

std::uint32_t Scale(std::uint32_t premultiplied, unsigned alpha) {
  if (alpha == 255) return premultiplied;
  auto mul = [alpha](unsigned v) { return (v * alpha + 127) / 255; };
  return gfx::MakeArgb(mul(gfx::AlphaOf(premultiplied)), mul(gfx::RedOf(premultiplied)),
                       mul(gfx::GreenOf(premultiplied)), mul(gfx::BlueOf(premultiplied)));
}

// One row; the plain cases as loops the compiler vectorises (a 200 % window
// has four times the pixels to push).
void CopyRow(const std::uint32_t* from, std::uint32_t* to, int count, std::uint8_t alpha, bool opaque) {
  if (alpha == 255 && !opaque) {
    std::memcpy(to, from, sizeof(std::uint32_t) * static_cast<size_t>(count));
  } else if (alpha == 255) {
    for (int x = 0; x < count; ++x) to[x] = from[x] | 0xFF000000u;
  } else {
    for (int x = 0; x < count; ++x) {
      const std::uint32_t pixel = Scale(from[x], alpha);
      to[x] = opaque ? (pixel | 0xFF000000u) : pixel;
    }
  }
}

}  // namespace

void CopyPixels(const gfx::Bitmap& source, const gfx::RectI& rect, gfx::Bitmap& target, std::uint8_t alpha,
                bool opaque) {
  if (source.IsNull() || target.IsNull() || source.Scale() != target.Scale()) return;
  const gfx::RectI device = source.DeviceArea(rect);
  const int x0 = std::max(device.x, 0), y0 = std::max(device.y, 0);
  const int x1 = std::min({device.Right(), source.DeviceWidth(), target.DeviceWidth()});
  const int y1 = std::min({device.Bottom(), source.DeviceHeight(), target.DeviceHeight()});
  if (x1 <= x0 || y1 <= y0) return;
  for (int y = y0; y < y1; ++y) CopyRow(source.Row(y) + x0, target.Row(y) + x0, x1 - x0, alpha, opaque);
  target.MarkDirty();
}

void ClearOutside(gfx::Bitmap& bitmap, const gfx::Region& keep) {
  if (bitmap.IsNull()) return;
  const float scale = bitmap.Scale();
  for (int y = 0; y < bitmap.DeviceHeight(); ++y) {
    std::uint32_t* row = bitmap.Row(y);
    const int logical_y = static_cast<int>((y + 0.5f) / scale);
    for (int x = 0; x < bitmap.DeviceWidth(); ++x)
      if (!keep.Contains(static_cast<int>((x + 0.5f) / scale), logical_y)) row[x] = 0;
  }
  bitmap.MarkDirty();
}

gfx::Region OpaqueRegion(const gfx::Bitmap& bitmap, std::uint8_t threshold) {
  gfx::Region region;
  if (bitmap.IsNull()) return region;
  // Logical pixels: a shape is given in the window's own coordinates.
  const float scale = bitmap.Scale();
  auto centre = [scale](int logical) { return static_cast<int>((logical + 0.5f) * scale); };
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint32_t* row = bitmap.Row(std::min(centre(y), bitmap.DeviceHeight() - 1));
    auto opaque = [&](int x) { return gfx::AlphaOf(row[std::min(centre(x), bitmap.DeviceWidth() - 1)]) >= threshold; };
    for (int x = 0; x < bitmap.Width();) {
      if (!opaque(x)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < bitmap.Width() && opaque(x)) ++x;
      region.Union(gfx::Region(gfx::RectI{start, y, x - start, 1}));
    }
  }
  return region;
}

}  // namespace winsys
