#include "platform/gfx/image_draw.h"

#include <algorithm>
#include <cmath>

namespace gfx::detail {

namespace {
// Image geometry closer than this to a whole pixel or to a scale of 1 counts as
// on it: positions that went through float arithmetic still take the exact path.
constexpr float kPixelTolerance = 1e-3f;

bool Near(float a, float b) { return std::fabs(a - b) < kPixelTolerance; }
bool OnWholePixel(float v) { return Near(v, std::round(v)); }
}  // namespace

std::optional<ImageDraw> TrimToImage(const Bitmap& image, const RectF& dest, const RectF& source) {
  if (dest.IsEmpty() || source.IsEmpty()) return std::nullopt;
  const float x0 = std::max(source.x, 0.0f), y0 = std::max(source.y, 0.0f);
  const float x1 = std::min(source.Right(), static_cast<float>(image.Width()));
  const float y1 = std::min(source.Bottom(), static_cast<float>(image.Height()));
  if (x1 <= x0 || y1 <= y0) return std::nullopt;
  const float kx = dest.width / source.width, ky = dest.height / source.height;
  return ImageDraw{{dest.x + (x0 - source.x) * kx, dest.y + (y0 - source.y) * ky, (x1 - x0) * kx, (y1 - y0) * ky},
                   {x0, y0, x1 - x0, y1 - y0}};
}

bool IsWholeImage(const Bitmap& image, const RectF& source) {
  return Near(source.x, 0) && Near(source.y, 0) && Near(source.width, static_cast<float>(image.Width())) &&
         Near(source.height, static_cast<float>(image.Height()));
}

bool IsUnscaledOnPixels(const ImageDraw& d, float image_scale, float target_scale) {
  return image_scale == target_scale && Near(d.dest.width, d.source.width) && Near(d.dest.height, d.source.height) &&
         OnWholePixel(d.dest.x * target_scale) && OnWholePixel(d.dest.y * target_scale);
}

}  // namespace gfx::detail
