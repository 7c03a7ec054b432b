// Drawing with Cairo, text with Pango.
#include "platform/gfx/graphics.h"

#include "platform/gfx/constant_alpha_blend.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/gfx/bitmap_native_cairo.h"
#include "platform/gfx/cairo_ptr.h"
#include "platform/gfx/image_draw.h"
#include "platform/gfx/path_replay.h"
#include "platform/gfx/text_layout_cache.h"

namespace gfx {

struct Graphics::Impl {
  Bitmap* target;
  detail::CairoPtr cr;
  SmoothingMode smoothing = SmoothingMode::None;
  int text_hint = text_hint::kSystemDefault;
  Interpolation interpolation = Interpolation::Default;
};

namespace {

void SetSource(cairo_t* cr, Argb c) {
  cairo_set_source_rgba(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0, AlphaOf(c) / 255.0);
}

void AddStop(cairo_pattern_t* p, double offset, Argb c) {
  cairo_pattern_add_color_stop_rgba(p, offset, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0,
                                    AlphaOf(c) / 255.0);
}

// The gradient line of GDI+'s linear gradient modes: the diagonal modes keep
// their colour lines parallel to the rectangle's other diagonal.
detail::PatternPtr LinearPattern(const LinearGradient& g) {
  const double x = g.rect.x, y = g.rect.y, w = g.rect.width, h = g.rect.height;
  const double t = (w * w + h * h) > 0 ? 2 * w * h / (w * w + h * h) : 0;
  double x0 = x, y0 = y, x1 = x, y1 = y;
  switch (g.mode) {
    case GradientMode::Horizontal: x1 = x + w; break;
    case GradientMode::Vertical: y1 = y + h; break;
    case GradientMode::ForwardDiagonal:
      x1 = x + t * h;
      y1 = y + t * w;
      break;
    case GradientMode::BackwardDiagonal:
      x0 = x + w;
      x1 = x0 - t * h;
      y1 = y + t * w;
      break;
  }
  detail::PatternPtr p(cairo_pattern_create_linear(x0, y0, x1, y1));
  AddStop(p.get(), 0, g.from);
  AddStop(p.get(), 1, g.to);
  cairo_pattern_set_extend(p.get(), CAIRO_EXTEND_REFLECT);
  return p;
}

detail::PatternPtr EllipsePattern(const EllipseGradient& g) {
  detail::PatternPtr p(cairo_pattern_create_radial(0, 0, 0, 0, 0, 1));
  AddStop(p.get(), 0, g.centre);
  AddStop(p.get(), 1, g.surround);
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, 2.0 / g.ellipse.width, 2.0 / g.ellipse.height);
  cairo_matrix_translate(&m, -(g.ellipse.x + g.ellipse.width / 2.0), -(g.ellipse.y + g.ellipse.height / 2.0));
  cairo_pattern_set_matrix(p.get(), &m);
  return p;
}

void AppendEllipse(cairo_t* cr, const RectF& b) {
  Path path;
  path.AddEllipse(b);
  ReplayPath(cr, path);
}

// Fills whatever `build` puts into the current path with the brush. A path
// gradient paints only inside its own ellipse.
template <typename Build>
void FillWith(cairo_t* cr, const Brush& brush, cairo_fill_rule_t rule, Build build) {
  if (!cr) return;
  cairo_save(cr);
  cairo_new_path(cr);
  detail::PatternPtr pattern;
  if (auto* solid = std::get_if<Argb>(&brush)) {
    SetSource(cr, *solid);
  } else if (auto* linear = std::get_if<LinearGradient>(&brush)) {
    pattern = LinearPattern(*linear);
  } else if (auto* ellipse = std::get_if<EllipseGradient>(&brush)) {
    if (ellipse->ellipse.IsEmpty()) return cairo_restore(cr);
    AppendEllipse(cr, ellipse->ellipse);
    cairo_clip(cr);
    pattern = EllipsePattern(*ellipse);
  }
  if (pattern) cairo_set_source(cr, pattern.get());
  cairo_set_fill_rule(cr, rule);
  build();
  cairo_fill(cr);
  cairo_restore(cr);
}

cairo_fill_rule_t RuleOf(const Path& p) {
  return p.GetFillMode() == FillMode::Winding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD;
}

// Dashes run along pixel centres too: square caps grow every dash by half the
// width at each end, so the pattern shrinks the dashes by one width and
// widens the gaps by one. A dash then covers whole pixels. `unit` is the
// length of a pattern's 1, `width` the stroke's width.
// (Cairo drops some zero-length dashes, hence the tiny minimum.)
void SetDashes(cairo_t* cr, DashStyle style, double unit, double width) {
  static const std::vector<double> kPatterns[] = {{}, {3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};
  std::vector<double> dashes = kPatterns[std::clamp(static_cast<int>(style), 0, 4)];
  for (size_t i = 0; i < dashes.size(); ++i)
    dashes[i] = i % 2 ? dashes[i] * unit + width : std::max(dashes[i] * unit - width, 1e-3);
  cairo_set_line_cap(cr, dashes.empty() ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_SQUARE);
  cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
}

// On a scaled target the stroke is laid in device pixels: its width is whole
// device pixels (a one-pixel line at 150 % stays one device pixel, a hairline),
// and each point moves to where the logical pixel's edge lands, so the line
// covers whole device pixels instead of blurring across two.
void SnapPathToDevice(cairo_t* cr, double scale, double device_width) {
  std::unique_ptr<cairo_path_t, void (*)(cairo_path_t*)> path(cairo_copy_path(cr), cairo_path_destroy);
  cairo_new_path(cr);
  cairo_identity_matrix(cr);
  cairo_scale(cr, 1 / scale, 1 / scale);
  auto snap = [&](double v) { return std::round((v + 0.5) * scale - device_width / 2) + device_width / 2; };
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    const cairo_path_data_t* d = &path->data[i];
    switch (d->header.type) {
      case CAIRO_PATH_MOVE_TO: cairo_move_to(cr, snap(d[1].point.x), snap(d[1].point.y)); break;
      case CAIRO_PATH_LINE_TO: cairo_line_to(cr, snap(d[1].point.x), snap(d[1].point.y)); break;
      case CAIRO_PATH_CURVE_TO:
        cairo_curve_to(cr, snap(d[1].point.x), snap(d[1].point.y), snap(d[2].point.x), snap(d[2].point.y),
                       snap(d[3].point.x), snap(d[3].point.y));
        break;
      case CAIRO_PATH_CLOSE_PATH: cairo_close_path(cr); break;
    }
  }
}

template <typename Build>
void StrokeWith(cairo_t* cr, double scale, const Pen& pen, Build build) {
  if (!cr) return;
  cairo_save(cr);
  cairo_new_path(cr);
  const double width = pen.width > 0 ? pen.width : 1.0;
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  SetSource(cr, pen.color);
  if (scale == 1.0) {
    cairo_translate(cr, 0.5, 0.5);  // strokes run along pixel centres
    cairo_set_line_width(cr, width);
    SetDashes(cr, pen.dash, width, width);
    build();
  } else {
    const double device_width = std::max(1.0, std::floor(width * scale + 1e-3));
    build();
    SnapPathToDevice(cr, scale, device_width);
    cairo_set_line_width(cr, device_width);
    SetDashes(cr, pen.dash, width * scale, device_width);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void AppendRegion(cairo_t* cr, const Region& region) {
  for (const RectI& r : region.Rectangles()) cairo_rectangle(cr, r.x, r.y, r.width, r.height);
}

cairo_filter_t FilterFor(Interpolation mode) {
  switch (mode) {
    case Interpolation::NearestNeighbor: return CAIRO_FILTER_NEAREST;
    case Interpolation::High:
    case Interpolation::HighQualityBilinear:
    case Interpolation::HighQualityBicubic: return CAIRO_FILTER_GOOD;
    default: return CAIRO_FILTER_BILINEAR;
  }
}

}  // namespace

Graphics::Graphics(Bitmap& target) : impl_(std::make_unique<Impl>()) {
  impl_->target = &target;
  if (!target.IsNull()) impl_->cr.reset(cairo_create(CairoSurface(target)));
  SetSmoothing(SmoothingMode::None);
}

Graphics::~Graphics() = default;

Bitmap& Graphics::Target() const { return *impl_->target; }

void Graphics::SetSmoothing(SmoothingMode mode) {
  impl_->smoothing = mode;
  if (impl_->cr)
    cairo_set_antialias(impl_->cr.get(),
                        mode == SmoothingMode::AntiAlias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}
SmoothingMode Graphics::Smoothing() const { return impl_->smoothing; }
void Graphics::SetTextHint(int hint) { impl_->text_hint = hint; }
int Graphics::TextHint() const { return impl_->text_hint; }
void Graphics::SetInterpolation(Interpolation mode) { impl_->interpolation = mode; }
Interpolation Graphics::GetInterpolation() const { return impl_->interpolation; }

void Graphics::Clear(Argb color) {
  cairo_t* cr = impl_->cr.get();
  if (!cr) return;
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetSource(cr, color);
  cairo_paint(cr);
  cairo_restore(cr);
}

namespace {

// Cairo clips only by intersection: replace starts again from no clip, and
// exclude intersects with the outside of the shape (even-odd against a
// rectangle larger than the target).
template <typename Build>
void Clip(cairo_t* cr, const Bitmap& target, CombineMode mode, cairo_fill_rule_t rule, Build build) {
  if (!cr) return;
  if (mode == CombineMode::Replace) cairo_reset_clip(cr);
  cairo_new_path(cr);
  if (mode == CombineMode::Exclude) {
    cairo_rectangle(cr, -1, -1, target.Width() + 2, target.Height() + 2);
    rule = CAIRO_FILL_RULE_EVEN_ODD;
  }
  const cairo_fill_rule_t old_rule = cairo_get_fill_rule(cr);
  cairo_set_fill_rule(cr, rule);
  build();
  cairo_clip(cr);
  cairo_set_fill_rule(cr, old_rule);
}

}  // namespace

void Graphics::SetClip(const RectF& rect, CombineMode mode) {
  Clip(impl_->cr.get(), *impl_->target, mode, CAIRO_FILL_RULE_WINDING,
       [&] { cairo_rectangle(impl_->cr.get(), rect.x, rect.y, rect.width, rect.height); });
}

void Graphics::SetClip(const Path& path, CombineMode mode) {
  Clip(impl_->cr.get(), *impl_->target, mode, RuleOf(path), [&] { ReplayPath(impl_->cr.get(), path); });
}

void Graphics::SetClip(const Region& region, CombineMode mode) {
  Clip(impl_->cr.get(), *impl_->target, mode, CAIRO_FILL_RULE_WINDING, [&] { AppendRegion(impl_->cr.get(), region); });
}

void Graphics::ResetClip() {
  if (impl_->cr) cairo_reset_clip(impl_->cr.get());
}

RectF Graphics::VisibleClipBounds() const {
  cairo_t* cr = impl_->cr.get();
  if (!cr) return {};
  double x1, y1, x2, y2;
  cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
  x1 = std::max(x1, 0.0);
  y1 = std::max(y1, 0.0);
  x2 = std::min(x2, static_cast<double>(impl_->target->Width()));
  y2 = std::min(y2, static_cast<double>(impl_->target->Height()));
  if (x2 <= x1 || y2 <= y1) return {};
  return {static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2 - x1), static_cast<float>(y2 - y1)};
}

void Graphics::FillRectangle(const Brush& brush, const RectF& rect) {
  FillWith(impl_->cr.get(), brush, CAIRO_FILL_RULE_WINDING,
           [&] { cairo_rectangle(impl_->cr.get(), rect.x, rect.y, rect.width, rect.height); });
}

void Graphics::FillEllipse(const Brush& brush, const RectF& bounds) {
  FillWith(impl_->cr.get(), brush, CAIRO_FILL_RULE_WINDING, [&] { AppendEllipse(impl_->cr.get(), bounds); });
}

void Graphics::FillPath(const Brush& brush, const Path& path) {
  FillWith(impl_->cr.get(), brush, RuleOf(path), [&] { ReplayPath(impl_->cr.get(), path); });
}

void Graphics::FillRegion(const Brush& brush, const Region& region) {
  FillWith(impl_->cr.get(), brush, CAIRO_FILL_RULE_WINDING, [&] { AppendRegion(impl_->cr.get(), region); });
}

void Graphics::DrawLine(const Pen& pen, PointF from, PointF to) {
  StrokeWith(impl_->cr.get(), impl_->target->Scale(), pen, [&] {
    cairo_move_to(impl_->cr.get(), from.x, from.y);
    cairo_line_to(impl_->cr.get(), to.x, to.y);
  });
}

void Graphics::DrawRectangle(const Pen& pen, const RectF& rect) {
  StrokeWith(impl_->cr.get(), impl_->target->Scale(), pen,
             [&] { cairo_rectangle(impl_->cr.get(), rect.x, rect.y, rect.width, rect.height); });
}

void Graphics::DrawEllipse(const Pen& pen, const RectF& bounds) {
  StrokeWith(impl_->cr.get(), impl_->target->Scale(), pen, [&] { AppendEllipse(impl_->cr.get(), bounds); });
}

void Graphics::DrawPath(const Pen& pen, const Path& path) {
  StrokeWith(impl_->cr.get(), impl_->target->Scale(), pen, [&] { ReplayPath(impl_->cr.get(), path); });
}

namespace {

void PaintSource(cairo_t* cr, float opacity) {
  opacity >= 1.0f ? cairo_paint(cr) : cairo_paint_with_alpha(cr, opacity);
}

// The whole image, unscaled, on whole pixels: the image itself bounds the
// paint, which keeps pixman on its plain blending paths.
void BlitWholeImage(cairo_t* cr, const Bitmap& image, float x, float y, float opacity) {
  const auto alpha = static_cast<unsigned>(std::lround(opacity * 255.0f));
  const float scale = image.Scale();
  if (opacity < 1.0f && detail::BlendWithConstantAlpha(cr, image, static_cast<int>(std::lround(x * scale)),
                                                       static_cast<int>(std::lround(y * scale)), alpha))
    return;
  cairo_save(cr);
  cairo_set_source_surface(cr, CairoSurface(image), x, y);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  PaintSource(cr, opacity);
  cairo_restore(cr);
}

// Part of the image, or the image scaled: a sub-surface keeps the source
// rectangle's edges from sampling their neighbours when scaled (the nine cells
// of a skin stay apart).
void PaintImageArea(cairo_t* cr, const Bitmap& image, const detail::ImageDraw& d, cairo_filter_t scaled_filter,
                    float opacity, float target_scale) {
  detail::SurfacePtr sub;
  cairo_surface_t* surface = CairoSurface(image);
  if (!detail::IsWholeImage(image, d.source)) {
    sub.reset(cairo_surface_create_for_rectangle(surface, d.source.x, d.source.y, d.source.width, d.source.height));
    surface = sub.get();
  }
  detail::PatternPtr pattern(cairo_pattern_create_for_surface(surface));
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, d.source.width / d.dest.width, d.source.height / d.dest.height);
  cairo_matrix_translate(&m, -d.dest.x, -d.dest.y);
  cairo_pattern_set_matrix(pattern.get(), &m);
  cairo_pattern_set_filter(
      pattern.get(), detail::IsUnscaledOnPixels(d, image.Scale(), target_scale) ? CAIRO_FILTER_NEAREST : scaled_filter);
  cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, d.dest.x, d.dest.y, d.dest.width, d.dest.height);
  cairo_clip(cr);
  cairo_set_source(cr, pattern.get());
  PaintSource(cr, opacity);
  cairo_restore(cr);
}

}  // namespace

void Graphics::DrawImage(const Bitmap& image, const RectF& dest, const RectF& source, float opacity) {
  cairo_t* cr = impl_->cr.get();
  if (!cr || image.IsNull() || opacity <= 0) return;
  const std::optional<detail::ImageDraw> draw = detail::TrimToImage(image, dest, source);
  if (!draw) return;
  const float target_scale = impl_->target->Scale();
  if (detail::IsWholeImage(image, draw->source) && detail::IsUnscaledOnPixels(*draw, image.Scale(), target_scale))
    return BlitWholeImage(cr, image, std::round(draw->dest.x * target_scale) / target_scale,
                          std::round(draw->dest.y * target_scale) / target_scale, opacity);
  // A picture made for another scale is resampled smoothly, whatever the mode
  // asks of pictures scaled on purpose (unless it asks for no filtering at all).
  const bool other_scale = image.Scale() != target_scale && impl_->interpolation != Interpolation::NearestNeighbor;
  PaintImageArea(cr, image, *draw, other_scale ? CAIRO_FILTER_GOOD : FilterFor(impl_->interpolation), opacity,
                 target_scale);
}

void Graphics::DrawString(std::u16string_view text, const Font& font, const RectF& layout, const StringFormat& format,
                          Argb color) {
  if (!impl_->cr || text.empty()) return;
  detail::LayoutFor(text, font, layout, format, impl_->text_hint)->Draw(impl_->cr.get(), layout, color);
}

namespace {
RectF Offset(RectF r, const RectF& by) {
  r.x += by.x;
  r.y += by.y;
  return r;
}
}  // namespace

RectF Graphics::MeasureString(std::u16string_view text, const Font& font, const RectF& layout,
                              const StringFormat& format) const {
  if (text.empty()) return {layout.x, layout.y, 0, 0};
  return Offset(detail::LayoutFor(text, font, layout, format, impl_->text_hint)->Bounds(), layout);
}

std::vector<RectF> Graphics::MeasureCharacterRanges(std::u16string_view text, const Font& font, const RectF& layout,
                                                    const StringFormat& format,
                                                    std::span<const CharacterRange> ranges) const {
  std::vector<RectF> out;
  auto laid_out = detail::LayoutFor(text, font, layout, format, impl_->text_hint);
  for (const CharacterRange& r : ranges) {
    const RectF bounds = laid_out->RangeBounds(r);
    out.push_back(bounds.IsEmpty() ? RectF{} : Offset(bounds, layout));
  }
  return out;
}

std::vector<RectF> Graphics::MeasureRangeRows(std::u16string_view text, const Font& font, const RectF& layout,
                                              const StringFormat& format, CharacterRange range) const {
  std::vector<RectF> rows = detail::LayoutFor(text, font, layout, format, impl_->text_hint)->RangeRows(range);
  for (RectF& r : rows) r = Offset(r, layout);
  return rows;
}

std::vector<RectF> Graphics::MeasureLines(std::u16string_view text, const Font& font, const RectF& layout,
                                          const StringFormat& format) const {
  std::vector<RectF> lines = detail::LayoutFor(text, font, layout, format, impl_->text_hint)->LineRects();
  for (RectF& r : lines) r = Offset(r, layout);
  return lines;
}

}  // namespace gfx
