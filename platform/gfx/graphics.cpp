// What Graphics does the same way on every platform.
#include "platform/gfx/graphics.h"

namespace gfx {

void Graphics::DrawArc(const Pen& pen, const RectF& bounds, float start, float sweep) {
  Path path;
  path.AddArc(bounds, start, sweep);
  DrawPath(pen, path);
}

void Graphics::DrawImage(const Bitmap& image, float x, float y) {
  DrawImage(image, {x, y, static_cast<float>(image.Width()), static_cast<float>(image.Height())});
}

void Graphics::DrawImage(const Bitmap& image, const RectF& dest) {
  DrawImage(image, dest, {0, 0, static_cast<float>(image.Width()), static_cast<float>(image.Height())});
}

}  // namespace gfx
