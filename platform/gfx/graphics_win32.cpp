// Drawing and text with GDI+, whose meaning the interface has: flag and enum
// values pass through unchanged.
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/gfx/bitmap_native_win32.h"
#include "platform/gfx/font_native_win32.h"
#include "platform/gfx/gdiplus_win32.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/image_draw.h"
#include "platform/gfx/region_native_win32.h"
#include "platform/gfx/text_win32.h"

namespace gfx {

using detail::ToColor;
using detail::ToRect;

struct Graphics::Impl {
  Bitmap* target;
  std::unique_ptr<Gdiplus::Bitmap> surface;
  std::unique_ptr<Gdiplus::Graphics> g;
  SmoothingMode smoothing = SmoothingMode::None;
  int text_hint = text_hint::kSystemDefault;
  Interpolation interpolation = Interpolation::Default;
};

Graphics::Graphics(Bitmap& target) : impl_(std::make_unique<Impl>()) {
  detail::UseGdiplus();
  impl_->target = &target;
  impl_->surface = detail::WrapPixels(target, {0, 0, target.DeviceWidth(), target.DeviceHeight()});
  if (impl_->surface) {
    impl_->g = std::make_unique<Gdiplus::Graphics>(impl_->surface.get());
    impl_->g->ScaleTransform(target.Scale(), target.Scale());
  }
  SetSmoothing(SmoothingMode::None);
}

Graphics::~Graphics() = default;

Bitmap& Graphics::Target() const { return *impl_->target; }

void Graphics::SetSmoothing(SmoothingMode mode) {
  impl_->smoothing = mode;
  if (impl_->g)
    impl_->g->SetSmoothingMode(mode == SmoothingMode::AntiAlias ? Gdiplus::SmoothingModeAntiAlias
                                                                : Gdiplus::SmoothingModeNone);
}
SmoothingMode Graphics::Smoothing() const { return impl_->smoothing; }
void Graphics::SetTextHint(int hint) { impl_->text_hint = hint; }
int Graphics::TextHint() const { return impl_->text_hint; }
void Graphics::SetInterpolation(Interpolation mode) { impl_->interpolation = mode; }
Interpolation Graphics::GetInterpolation() const { return impl_->interpolation; }

void Graphics::Clear(Argb color) {
  if (impl_->g) impl_->g->Clear(ToColor(color));
}

namespace {

Gdiplus::CombineMode ToGdiplus(CombineMode mode) { return static_cast<Gdiplus::CombineMode>(mode); }

// A region in the graphics' own (logical) coordinates.
std::unique_ptr<Gdiplus::Region> ToGdiplus(const Region& region) {
  return std::make_unique<Gdiplus::Region>(Win32Region(region));
}

std::unique_ptr<Gdiplus::Brush> MakeBrush(const Brush& brush) {
  if (auto* solid = std::get_if<Argb>(&brush)) return std::make_unique<Gdiplus::SolidBrush>(ToColor(*solid));
  if (auto* linear = std::get_if<LinearGradient>(&brush)) {
    auto b = std::make_unique<Gdiplus::LinearGradientBrush>(ToRect(linear->rect), ToColor(linear->from),
                                                            ToColor(linear->to),
                                                            static_cast<Gdiplus::LinearGradientMode>(linear->mode));
    b->SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    return b;
  }
  const auto& ellipse = std::get<EllipseGradient>(brush);
  Gdiplus::GraphicsPath path;
  path.AddEllipse(ToRect(ellipse.ellipse));
  auto b = std::make_unique<Gdiplus::PathGradientBrush>(&path);
  b->SetCenterColor(ToColor(ellipse.centre));
  Gdiplus::Color surround = ToColor(ellipse.surround);
  INT count = 1;
  b->SetSurroundColors(&surround, &count);
  return b;
}

bool IsEmptyGradient(const Brush& brush) {
  if (auto* linear = std::get_if<LinearGradient>(&brush)) return linear->rect.IsEmpty();
  if (auto* ellipse = std::get_if<EllipseGradient>(&brush)) return ellipse->ellipse.IsEmpty();
  return false;
}

// Fills cover the geometry as given: pixel (i, j) is the square from (i, j)
// to (i + 1, j + 1). A path gradient paints only inside its own ellipse.
template <typename Fill>
void FillWith(Gdiplus::Graphics* g, const Brush& brush, Fill fill) {
  if (!g || IsEmptyGradient(brush)) return;
  const Gdiplus::GraphicsState state = g->Save();
  g->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  if (auto* ellipse = std::get_if<EllipseGradient>(&brush)) {
    Gdiplus::GraphicsPath inside;
    inside.AddEllipse(ToRect(ellipse->ellipse));
    g->SetClip(&inside, Gdiplus::CombineModeIntersect);
  }
  fill(*MakeBrush(brush));
  g->Restore(state);
}

// Pens stroke along pixel centres, GDI+'s own convention. On a scaled target
// the width is whole device pixels (a one-pixel line at 150 % stays one device
// pixel, a hairline).
template <typename Stroke>
void StrokeWith(Gdiplus::Graphics* g, float scale, const Pen& pen, Stroke stroke) {
  if (!g) return;
  const float width = pen.width > 0 ? pen.width : 1.0f;
  const float device_width = std::max(1.0f, std::floor(width * scale + 1e-3f));
  Gdiplus::Pen p(ToColor(pen.color), device_width / scale);
  p.SetDashStyle(static_cast<Gdiplus::DashStyle>(pen.dash));
  p.SetLineJoin(Gdiplus::LineJoinMiter);
  const Gdiplus::GraphicsState state = g->Save();
  g->SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
  stroke(p);
  g->Restore(state);
}

}  // namespace

void Graphics::SetClip(const RectF& rect, CombineMode mode) {
  if (impl_->g) impl_->g->SetClip(ToRect(rect), ToGdiplus(mode));
}

void Graphics::SetClip(const Path& path, CombineMode mode) {
  if (impl_->g) impl_->g->SetClip(detail::ToGdiplus(path).get(), ToGdiplus(mode));
}

void Graphics::SetClip(const Region& region, CombineMode mode) {
  if (impl_->g) impl_->g->SetClip(ToGdiplus(region).get(), ToGdiplus(mode));
}

void Graphics::ResetClip() {
  if (impl_->g) impl_->g->ResetClip();
}

RectF Graphics::VisibleClipBounds() const {
  if (!impl_->g) return {};
  Gdiplus::RectF r;
  impl_->g->GetVisibleClipBounds(&r);
  const RectF bounds = detail::FromRect(r);
  return bounds.IsEmpty() ? RectF{} : bounds;
}

void Graphics::FillRectangle(const Brush& brush, const RectF& rect) {
  FillWith(impl_->g.get(), brush, [&](Gdiplus::Brush& b) { impl_->g->FillRectangle(&b, ToRect(rect)); });
}

void Graphics::FillEllipse(const Brush& brush, const RectF& bounds) {
  FillWith(impl_->g.get(), brush, [&](Gdiplus::Brush& b) { impl_->g->FillEllipse(&b, ToRect(bounds)); });
}

void Graphics::FillPath(const Brush& brush, const Path& path) {
  FillWith(impl_->g.get(), brush, [&](Gdiplus::Brush& b) { impl_->g->FillPath(&b, detail::ToGdiplus(path).get()); });
}

void Graphics::FillRegion(const Brush& brush, const Region& region) {
  FillWith(impl_->g.get(), brush, [&](Gdiplus::Brush& b) { impl_->g->FillRegion(&b, ToGdiplus(region).get()); });
}

void Graphics::DrawLine(const Pen& pen, PointF from, PointF to) {
  StrokeWith(impl_->g.get(), impl_->target->Scale(), pen,
             [&](Gdiplus::Pen& p) { impl_->g->DrawLine(&p, from.x, from.y, to.x, to.y); });
}

void Graphics::DrawRectangle(const Pen& pen, const RectF& rect) {
  StrokeWith(impl_->g.get(), impl_->target->Scale(), pen,
             [&](Gdiplus::Pen& p) { impl_->g->DrawRectangle(&p, ToRect(rect)); });
}

void Graphics::DrawEllipse(const Pen& pen, const RectF& bounds) {
  StrokeWith(impl_->g.get(), impl_->target->Scale(), pen,
             [&](Gdiplus::Pen& p) { impl_->g->DrawEllipse(&p, ToRect(bounds)); });
}

void Graphics::DrawPath(const Pen& pen, const Path& path) {
  StrokeWith(impl_->g.get(), impl_->target->Scale(), pen,
             [&](Gdiplus::Pen& p) { impl_->g->DrawPath(&p, detail::ToGdiplus(path).get()); });
}

namespace {

Gdiplus::InterpolationMode InterpolationFor(const detail::ImageDraw& d, const Bitmap& image, float target_scale,
                                            Interpolation mode) {
  if (detail::IsUnscaledOnPixels(d, image.Scale(), target_scale) || mode == Interpolation::NearestNeighbor)
    return Gdiplus::InterpolationModeNearestNeighbor;
  // A picture made for another scale is resampled smoothly, whatever the mode
  // asks of pictures scaled on purpose.
  if (image.Scale() != target_scale) return Gdiplus::InterpolationModeHighQualityBilinear;
  return static_cast<Gdiplus::InterpolationMode>(mode);
}

}  // namespace

void Graphics::DrawImage(const Bitmap& image, const RectF& dest, const RectF& source, float opacity) {
  Gdiplus::Graphics* g = impl_->g.get();
  if (!g || image.IsNull() || opacity <= 0) return;
  const std::optional<detail::ImageDraw> draw = detail::TrimToImage(image, dest, source);
  if (!draw) return;
  // Only the source's own device pixels are wrapped, so that a scaled draw
  // never samples the pixels around it (the nine cells of a skin stay apart).
  const float s = image.Scale();
  const RectF device{draw->source.x * s, draw->source.y * s, draw->source.width * s, draw->source.height * s};
  const int x0 = static_cast<int>(std::floor(device.x + 1e-3f)), y0 = static_cast<int>(std::floor(device.y + 1e-3f));
  const int x1 = std::min(static_cast<int>(std::ceil(device.Right() - 1e-3f)), image.DeviceWidth());
  const int y1 = std::min(static_cast<int>(std::ceil(device.Bottom() - 1e-3f)), image.DeviceHeight());
  auto pixels = detail::WrapPixels(image, {x0, y0, x1 - x0, y1 - y0});
  if (!pixels) return;
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);  // edges keep their colour when stretched
  if (opacity < 1.0f) {
    Gdiplus::ColorMatrix m = {{{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, opacity, 0}, {0, 0, 0, 0, 1}}};
    attributes.SetColorMatrix(&m);
  }
  const Gdiplus::GraphicsState state = g->Save();
  g->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  g->SetInterpolationMode(InterpolationFor(*draw, image, impl_->target->Scale(), impl_->interpolation));
  g->DrawImage(pixels.get(), ToRect(draw->dest), device.x - x0, device.y - y0, device.width, device.height,
               Gdiplus::UnitPixel, &attributes);
  g->Restore(state);
}

void Graphics::DrawString(std::u16string_view text, const Font& font, const RectF& layout, const StringFormat& format,
                          Argb color) {
  if (!impl_->g || text.empty()) return;
  const auto f = detail::ToGdiplus(format);
  Gdiplus::SolidBrush brush(ToColor(color));
  impl_->g->SetTextRenderingHint(static_cast<Gdiplus::TextRenderingHint>(impl_->text_hint));
  impl_->g->DrawString(detail::Wide(text), static_cast<INT>(text.size()), GdiplusFont(font), ToRect(layout), f.get(),
                       &brush);
}

RectF Graphics::MeasureString(std::u16string_view text, const Font& font, const RectF& layout,
                              const StringFormat& format) const {
  if (text.empty() || !impl_->g) return {layout.x, layout.y, 0, 0};
  return detail::TextOn(*impl_->g, text, font, layout, format).Bounds();
}

std::vector<RectF> Graphics::MeasureCharacterRanges(std::u16string_view text, const Font& font, const RectF& layout,
                                                    const StringFormat& format,
                                                    std::span<const CharacterRange> ranges) const {
  if (!impl_->g) return std::vector<RectF>(ranges.size());
  return detail::TextOn(*impl_->g, text, font, layout, format).RangeBounds(ranges);
}

std::vector<RectF> Graphics::MeasureRangeRows(std::u16string_view text, const Font& font, const RectF& layout,
                                              const StringFormat& format, CharacterRange range) const {
  if (!impl_->g) return {};
  return detail::TextOn(*impl_->g, text, font, layout, format).RangeRows(range);
}

std::vector<RectF> Graphics::MeasureLines(std::u16string_view text, const Font& font, const RectF& layout,
                                          const StringFormat& format) const {
  if (!impl_->g) return {};
  return detail::TextOn(*impl_->g, text, font, layout, format).LineRects();
}

}  // namespace gfx
