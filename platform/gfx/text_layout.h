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

class TextLayout {
 public:
  // width or height 0 means unbounded in that direction. text_hint takes the
  // graphics' text rendering hint (GDI+ numbering).
  TextLayout(std::u16string_view text, const Font& font, float width, float height, const StringFormat& format,
             int text_hint);

  // Geometry relative to the layout rectangle's top-left corner.
  RectF Bounds() const;
  std::vector<RectF> LineRects() const;
  RectF RangeBounds(CharacterRange range) const;

  void Draw(cairo_t* cr, const RectF& rect, Argb color) const;

 private:
  struct Line {
    PangoLayoutLine* line;
    PangoRectangle logical;  // Pango units, layout coordinates
    int baseline;
    int measured_width;  // Pango units; trailing spaces left out unless asked for
  };
  void ApplyWrapping(float width, float height);
  void ApplyAttributes(const Font& font);
  void CollectLines(float height);
  void PlaceBlock(float width, float height);
  int MeasuredWidth(PangoLayoutLine* line, int logical_width) const;

  GObjectPtr<PangoLayout> layout_;
  IndexedUtf8 text_;
  StringFormat format_;
  std::vector<Line> lines_;
  bool all_lines_visible_ = true;
  double origin_x_ = 0;  // pixels, where the layout's origin goes in the rect
  double origin_y_ = 0;
};

// The layout for these arguments, reused while the same text is measured and
// drawn again (a control measures, then draws, then draws again on hover).
std::shared_ptr<const TextLayout> LayoutFor(std::u16string_view text, const Font& font, const RectF& rect,
                                            const StringFormat& format, int text_hint);

float LineSpacing(const Font& font);

}  // namespace gfx::detail
