#pragma once
// Text laid out by Pango in a layout rectangle with a string format: the
// geometry that measuring and drawing share. Internal to platform/gfx.
#include <memory>
#include <string_view>
#include <vector>

#include "platform/gfx/argb.h"
#include "platform/gfx/cairo_ptr.h"
#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/string_format.h"
#include "platform/gfx/utf16_index.h"

namespace gfx::detail {

// How glyphs are drawn, as far as Pango is concerned.
enum class GlyphRendering { kAliased = 0, kGreyHinted = 1, kGreyUnhinted = 2 };

// GDI+'s text rendering hints: 1 and 2 draw aliased glyphs, 4 unhinted grey
// ones, every other hint hinted grey ones.
GlyphRendering RenderingForHint(int text_hint);

class TextLayout {
 public:
  // width or height 0 means unbounded in that direction. The context decides
  // how glyphs are drawn.
  TextLayout(std::u16string_view text, const Font& font, float width, float height, const StringFormat& format,
             PangoContext* context);

  // Lays out another text in the same font, rectangle and format, reusing the
  // Pango layout: the result equals a new layout of that text.
  void SetText(std::u16string_view text);

  // Geometry relative to the layout rectangle's top-left corner.
  RectF Bounds() const;
  std::vector<RectF> LineRects() const;
  RectF RangeBounds(CharacterRange range) const;
  // The range's part on each line it touches, top to bottom.
  std::vector<RectF> RangeRows(CharacterRange range) const;

  void Draw(cairo_t* cr, const RectF& rect, Argb color) const;

 private:
  struct Line {
    PangoLayoutLine* line;
    PangoRectangle logical;  // Pango units, layout coordinates
    int baseline;
    int measured_width;  // Pango units; trailing spaces left out unless asked for
  };
  void ApplyWrapping(float width, float height);
  void ApplyTabs();
  void ApplyAttributes();
  void CollectLines(float height);
  void PlaceBlock(float width, float height);
  int MeasuredWidth(PangoLayoutLine* line, int logical_width) const;
  void ShowLines(cairo_t* cr, const RectF& rect) const;
  // Only the glyphs that reach into the area (device pixels).
  void ShowLinesWithin(cairo_t* cr, const RectF& rect, double x0, double y0, double x1, double y1) const;
  bool DrawsDecorations() const;

  GObjectPtr<PangoLayout> layout_;
  IndexedUtf8 text_;
  StringFormat format_;
  int font_style_ = 0;
  float width_ = 0;
  float height_ = 0;
  std::vector<Line> lines_;
  bool all_lines_visible_ = true;
  double origin_x_ = 0;  // pixels, where the layout's origin goes in the rect
  double origin_y_ = 0;
};

float LineSpacing(const Font& font);

}  // namespace gfx::detail
