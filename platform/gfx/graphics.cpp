// What Graphics does the same way on every platform.
#include "platform/gfx/graphics.h"

namespace gfx {

Bitmap& Graphics::Target() const { return *target_; }
SmoothingMode Graphics::Smoothing() const { return smoothing_; }
void Graphics::SetTextHint(int hint) { text_hint_ = hint; }
int Graphics::TextHint() const { return text_hint_; }
void Graphics::SetInterpolation(Interpolation mode) { interpolation_ = mode; }
Interpolation Graphics::GetInterpolation() const { return interpolation_; }

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
