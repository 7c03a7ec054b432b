#include "platform/gfx/text_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "platform/gfx/font_native_pango.h"
#include "platform/gfx/text_layout_cache.h"

namespace gfx::detail {

namespace {

constexpr double kScale = PANGO_SCALE;

double AlignFactor(StringAlignment a) {
  switch (a) {
    case StringAlignment::Center: return 0.5;
    case StringAlignment::Far: return 1.0;
    default: return 0.0;
  }
}

bool IsTrailingSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

TextLayout::TextLayout(std::u16string_view text, const Font& font, float width, float height,
                       const StringFormat& format, PangoContext* context)
    : layout_(pango_layout_new(context)), format_(format), font_style_(font.Style()), width_(width), height_(height) {
  pango_layout_set_font_description(layout_.get(), PangoDescription(font));
  ApplyTabs();
  ApplyWrapping(width, height);
  SetText(text);
}

void TextLayout::SetText(std::u16string_view text) {
  text_ = ToIndexedUtf8(text, format_.hotkey_prefix);
  pango_layout_set_text(layout_.get(), text_.text.data(), static_cast<int>(text_.text.size()));
  ApplyAttributes();
  lines_.clear();
  all_lines_visible_ = true;
  CollectLines(height_);
  PlaceBlock(width_, height_);
}

void TextLayout::ApplyAttributes() {
  AttrListPtr attrs(pango_attr_list_new());
  if (font_style_ & font_style::kUnderline)
    pango_attr_list_insert(attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (font_style_ & font_style::kStrikeout) pango_attr_list_insert(attrs.get(), pango_attr_strikethrough_new(TRUE));
  if (!format_.kerning)
    pango_attr_list_insert(attrs.get(), pango_attr_font_features_new("kern 0, liga 0, clig 0, calt 0"));
  if (text_.underline_begin >= 0) {
    PangoAttribute* u = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    u->start_index = static_cast<guint>(text_.underline_begin);
    u->end_index = static_cast<guint>(text_.underline_end);
    pango_attr_list_insert(attrs.get(), u);
  }
  pango_layout_set_attributes(layout_.get(), attrs.get());
}

void TextLayout::ApplyTabs() {
  if (!format_.tab_stops.empty()) {
    constexpr int kStops = 32;
    TabArrayPtr tabs(pango_tab_array_new(kStops, FALSE));
    double pos = format_.first_tab_offset;
    for (int i = 0; i < kStops; ++i) {
      const size_t k = std::min(static_cast<size_t>(i), format_.tab_stops.size() - 1);
      pos += std::max(format_.tab_stops[k], 1.0f);
      pango_tab_array_set_tab(tabs.get(), i, PANGO_TAB_LEFT, static_cast<int>(pos * kScale));
    }
    pango_layout_set_tabs(layout_.get(), tabs.get());
  }
}

void TextLayout::ApplyWrapping(float width, float height) {
  const bool wrap = !format_.Has(format_flags::kNoWrap) && width > 0;
  const bool ellipsis = format_.trimming >= Trimming::EllipsisCharacter && width > 0;
  if (wrap || ellipsis) pango_layout_set_width(layout_.get(), static_cast<int>(width * kScale));
  if (wrap) pango_layout_set_wrap(layout_.get(), PANGO_WRAP_WORD_CHAR);
  if (ellipsis) {
    pango_layout_set_ellipsize(
        layout_.get(), format_.trimming == Trimming::EllipsisPath ? PANGO_ELLIPSIZE_MIDDLE : PANGO_ELLIPSIZE_END);
    pango_layout_set_height(layout_.get(), wrap && height > 0 ? static_cast<int>(height * kScale) : -1);
  }
  static constexpr PangoAlignment kAlign[] = {PANGO_ALIGN_LEFT, PANGO_ALIGN_CENTER, PANGO_ALIGN_RIGHT};
  pango_layout_set_alignment(layout_.get(), kAlign[static_cast<int>(format_.alignment)]);
}

int TextLayout::MeasuredWidth(PangoLayoutLine* line, int logical_width) const {
  if (format_.Has(format_flags::kMeasureTrailingSpaces)) return logical_width;
  int end = line->start_index + line->length;
  while (end > line->start_index && IsTrailingSpace(text_.text[static_cast<size_t>(end - 1)])) --end;
  if (end == line->start_index + line->length) return logical_width;
  int x = 0;
  pango_layout_line_index_to_x(line, end, FALSE, &x);
  return std::clamp(x, 0, logical_width);
}

void TextLayout::CollectLines(float height) {
  const bool line_limit = format_.Has(format_flags::kLineLimit) && height > 0;
  PangoLayoutIter* iter = pango_layout_get_iter(layout_.get());
  do {
    Line l{pango_layout_iter_get_line_readonly(iter), {}, pango_layout_iter_get_baseline(iter), 0};
    pango_layout_iter_get_line_extents(iter, nullptr, &l.logical);
    if (line_limit && (l.logical.y + l.logical.height) / kScale > height + 0.01) {
      all_lines_visible_ = false;
      break;
    }
    l.measured_width = MeasuredWidth(l.line, l.logical.width);
    lines_.push_back(l);
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
}

void TextLayout::PlaceBlock(float width, float height) {
  if (pango_layout_get_width(layout_.get()) < 0) {
    int widest = 0;
    for (const Line& l : lines_) widest = std::max(widest, l.logical.width);
    origin_x_ = AlignFactor(format_.alignment) * (width - widest / kScale);
  }
  const double block = lines_.empty() ? 0 : (lines_.back().logical.y + lines_.back().logical.height) / kScale;
  origin_y_ = AlignFactor(format_.line_alignment) * (height - block);
}

std::vector<RectF> TextLayout::LineRects() const {
  std::vector<RectF> rects;
  for (const Line& l : lines_) {
    rects.push_back({static_cast<float>(origin_x_ + l.logical.x / kScale),
                     static_cast<float>(origin_y_ + l.logical.y / kScale),
                     static_cast<float>(l.measured_width / kScale), static_cast<float>(l.logical.height / kScale)});
  }
  return rects;
}

namespace {
RectF Unite(const RectF& a, const RectF& b) {
  if (a.width <= 0 && a.height <= 0) return b;
  const float x = std::min(a.x, b.x), y = std::min(a.y, b.y);
  return {x, y, std::max(a.Right(), b.Right()) - x, std::max(a.Bottom(), b.Bottom()) - y};
}
}  // namespace

RectF TextLayout::Bounds() const {
  RectF bounds{};
  for (const RectF& r : LineRects()) bounds = Unite(bounds, r);
  return bounds;
}

RectF TextLayout::RangeBounds(CharacterRange range) const {
  RectF bounds{};
  for (const RectF& row : RangeRows(range)) bounds = Unite(bounds, row);
  return bounds;
}

std::vector<RectF> TextLayout::RangeRows(CharacterRange range) const {
  const int units = static_cast<int>(text_.byte_of_unit.size()) - 1;
  const int first = std::clamp(range.first, 0, units);
  const int last = std::clamp(range.first + range.length, first, units);
  const int b0 = text_.byte_of_unit[static_cast<size_t>(first)], b1 = text_.byte_of_unit[static_cast<size_t>(last)];
  std::vector<RectF> rows;
  for (const Line& l : lines_) {
    const int s = std::max(b0, l.line->start_index), e = std::min(b1, l.line->start_index + l.line->length);
    if (s >= e) continue;
    int* ranges = nullptr;
    int n = 0;
    pango_layout_line_get_x_ranges(l.line, s, e, &ranges, &n);
    RectF row{};
    for (int i = 0; i < n; ++i) {
      // The ranges may reach into the alignment margin; keep them on the line.
      const int x0 = std::max(ranges[2 * i], l.logical.x);
      const int x1 = std::min(ranges[2 * i + 1], l.logical.x + l.logical.width);
      if (x1 <= x0) continue;
      row =
          Unite(row, {static_cast<float>(origin_x_ + x0 / kScale), static_cast<float>(origin_y_ + l.logical.y / kScale),
                      static_cast<float>((x1 - x0) / kScale), static_cast<float>(l.logical.height / kScale)});
    }
    g_free(ranges);
    if (!row.IsEmpty()) rows.push_back(row);
  }
  return rows;
}

namespace {

// How far a glyph may draw beyond its line's logical box.
constexpr double kInkMargin = 8;
// Glyphs drawn together are cut as one run when the run crosses an edge, so
// the surface of a clipped text reaches well beyond the clip: a run that far
// out has nothing inside it.
constexpr double kRunMargin = 64;

void SetColour(cairo_t* cr, Argb color) {
  cairo_set_source_rgba(cr, RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0,
                        AlphaOf(color) / 255.0);
}

// Whether nothing cuts the area: it lies inside one rectangle of the clip,
// which cairo gives cut to the target (user space is device space here).
bool NothingCuts(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
  bool inside = false;
  if (list->status == CAIRO_STATUS_SUCCESS) {
    for (int i = 0; i < list->num_rectangles && !inside; ++i) {
      const cairo_rectangle_t& r = list->rectangles[i];
      inside = x0 >= r.x && y0 >= r.y && x1 <= r.x + r.width && y1 <= r.y + r.height;
    }
  }
  cairo_rectangle_list_destroy(list);
  return inside;
}

// The glyphs of the line's runs that reach into [x0, x1] (pixels), each run's
// visible stretch shown as one glyph string: glyphs further out draw nothing
// there, and a line of many thousand characters costs what shows of it.
void ShowGlyphsWithin(cairo_t* cr, PangoLayoutLine* line, double x, double baseline, double x0, double x1) {
  for (GSList* r = line->runs; r; r = r->next) {
    const auto* run = static_cast<const PangoGlyphItem*>(r->data);
    const PangoGlyphString* glyphs = run->glyphs;
    int first = -1, last = -1;
    double first_x = x;
    for (int i = 0; i < glyphs->num_glyphs; ++i) {
      const double width = glyphs->glyphs[i].geometry.width / kScale;
      if (x + width >= x0 && x <= x1) {
        if (first < 0) {
          first = i;
          first_x = x;
        }
        last = i;
      }
      x += width;
    }
    if (first < 0) continue;
    PangoGlyphString stretch = *glyphs;  // a view of the visible glyphs
    stretch.glyphs = glyphs->glyphs + first;
    stretch.log_clusters = glyphs->log_clusters + first;
    stretch.num_glyphs = last - first + 1;
    cairo_move_to(cr, first_x, baseline);
    pango_cairo_show_glyph_string(cr, run->item->analysis.font, &stretch);
  }
}

}  // namespace

// Lines drawn by their visible glyphs alone carry no underline nor strikeout,
// which only the layout's own renderer draws.
bool TextLayout::DrawsDecorations() const {
  return (font_style_ & (font_style::kUnderline | font_style::kStrikeout)) != 0 || text_.underline_begin >= 0;
}

void TextLayout::ShowLinesWithin(cairo_t* cr, const RectF& rect, double x0, double y0, double x1, double y1) const {
  if (DrawsDecorations()) return ShowLines(cr, rect);
  for (const Line& l : lines_) {
    const double top = rect.y + origin_y_ + l.logical.y / kScale;
    if (top > y1 || top + l.logical.height / kScale < y0) continue;
    ShowGlyphsWithin(cr, l.line, rect.x + origin_x_ + l.logical.x / kScale, rect.y + origin_y_ + l.baseline / kScale,
                     x0, x1);
  }
}

void TextLayout::ShowLines(cairo_t* cr, const RectF& rect) const {
  if (all_lines_visible_) {
    cairo_move_to(cr, rect.x + origin_x_, rect.y + origin_y_);
    pango_cairo_show_layout(cr, layout_.get());
    return;
  }
  for (const Line& l : lines_) {
    cairo_move_to(cr, rect.x + origin_x_ + l.logical.x / kScale, rect.y + origin_y_ + l.baseline / kScale);
    pango_cairo_show_layout_line(cr, l.line);
  }
}

// Cairo leaves the clip out for glyphs whose reported extents lie inside it,
// and clips the others to those extents; some glyphs (the bitmap strikes of
// the sharp Chinese face) draw past them. Near a clip edge such a glyph would
// paint outside the clip, and inside it differently from an unclipped drawing.
// So where the clip runs through the text, the text is drawn unclipped on a
// surface of its own that is then painted through the clip.
void TextLayout::Draw(cairo_t* cr, const RectF& rect, Argb color) const {
  cairo_save(cr);
  if (!format_.Has(format_flags::kNoClip) && rect.width > 0 && rect.height > 0) {
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
  }
  const RectF block = Bounds();
  int x0 = static_cast<int>(std::floor(rect.x + block.x - kInkMargin));
  int y0 = static_cast<int>(std::floor(rect.y + block.y - kInkMargin));
  int x1 = static_cast<int>(std::ceil(rect.x + block.Right() + kInkMargin));
  int y1 = static_cast<int>(std::ceil(rect.y + block.Bottom() + kInkMargin));
  if (NothingCuts(cr, x0, y0, x1, y1)) {
    SetColour(cr, color);
    ShowLines(cr, rect);
  } else {
    double cx0, cy0, cx1, cy1;
    cairo_clip_extents(cr, &cx0, &cy0, &cx1, &cy1);
    x0 = std::max(x0, static_cast<int>(std::floor(cx0 - kRunMargin)));
    y0 = std::max(y0, static_cast<int>(std::floor(cy0 - kRunMargin)));
    x1 = std::min(x1, static_cast<int>(std::ceil(cx1 + kRunMargin)));
    y1 = std::min(y1, static_cast<int>(std::ceil(cy1 + kRunMargin)));
    if (x1 <= x0 || y1 <= y0) {
      cairo_restore(cr);
      return;
    }
    // At the target's scale, so that the glyphs keep the device's resolution.
    double scale_x = 1, scale_y = 1;
    cairo_surface_get_device_scale(cairo_get_target(cr), &scale_x, &scale_y);
    SurfacePtr ink(cairo_surface_create_similar_image(cairo_get_target(cr), CAIRO_FORMAT_ARGB32,
                                                      static_cast<int>(std::ceil((x1 - x0) * scale_x)),
                                                      static_cast<int>(std::ceil((y1 - y0) * scale_y))));
    cairo_surface_set_device_scale(ink.get(), scale_x, scale_y);
    CairoPtr ink_cr(cairo_create(ink.get()));
    cairo_translate(ink_cr.get(), -x0, -y0);
    SetColour(ink_cr.get(), color);
    ShowLinesWithin(ink_cr.get(), rect, x0, y0, x1, y1);
    ink_cr.reset();
    cairo_set_source_surface(cr, ink.get(), x0, y0);
    cairo_paint(cr);
  }
  cairo_restore(cr);
}

GlyphRendering RenderingForHint(int text_hint) {
  if (text_hint == 1 || text_hint == 2) return GlyphRendering::kAliased;
  return text_hint == 4 ? GlyphRendering::kGreyUnhinted : GlyphRendering::kGreyHinted;
}

float LineSpacing(const Font& font) {
  PangoContext* context = TextLayoutCache::ForThisThread().Context(GlyphRendering::kGreyHinted);
  FontMetricsPtr metrics(
      pango_context_get_metrics(context, PangoDescription(font), pango_context_get_language(context)));
  int height = pango_font_metrics_get_height(metrics.get());
  if (height <= 0)
    height = pango_font_metrics_get_ascent(metrics.get()) + pango_font_metrics_get_descent(metrics.get());
  return static_cast<float>(height / kScale);
}

}  // namespace gfx::detail
