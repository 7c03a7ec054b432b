#pragma once
// Text laid out by GDI+ in a layout rectangle with a string format: what
// drawing and measuring share. Internal to platform/gfx.
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/gfx/gdiplus_win32.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/string_format.h"

namespace gfx::detail {

// Far beyond any text the framework lays out, and still exact in a float.
inline constexpr float kUnbounded = 1 << 20;

// GDI+'s format for ours, without the padding GDI+ puts at the ends of a line
// by default (its typographic format), so that text starts where it is placed.
std::unique_ptr<Gdiplus::StringFormat> ToGdiplus(const StringFormat& format);

// Text laid out by GDI+, and its geometry in logical pixels, measured at 1x on
// a graphics of the thread's own so that it does not depend on the target's
// scale.
//
// GDI+ is given a rectangle of its own: a side of 0 is unbounded, and so is
// the width of a line that does not wrap unless an ellipsis trims it (GDI+
// would take the 0 literally, or cut the line at the edge), and the height
// unless only whole lines may show (lines below the rectangle are laid out,
// and clipped when drawn). The text keeps its alignment: an unbounded width
// reaches as far as needed from the near edge, both ways from the middle or
// back from the far edge. The lines are placed vertically here, as GDI+ under
// Wine measures them at the top whatever the line alignment.
class TextOn {
 public:
  TextOn(std::u16string_view text, const Font& font, const RectF& layout, const StringFormat& format, int text_hint);

  // What to hand GDI+'s DrawString.
  const Gdiplus::RectF& Rect() const { return rect_; }
  const Gdiplus::StringFormat* Format() const { return gdiplus_format_.get(); }

  // The laid-out text; trailing blanks count only when the format says so.
  RectF Bounds() const;
  // Empty rectangles for ranges that lay out to nothing.
  std::vector<RectF> RangeBounds(std::span<const CharacterRange> ranges) const;
  // The range's part on each line it touches, top to bottom.
  std::vector<RectF> RangeRows(CharacterRange range) const;
  std::vector<RectF> LineRects() const;

 private:
  // Calls `use(i, region)` with the laid-out region of each range.
  template <typename Use>
  void ForEachRange(std::span<const CharacterRange> ranges, Use use) const;
  // The lines as the rows their characters make; blanks count when asked.
  std::vector<RectF> CharacterRows(bool blanks) const;

  Gdiplus::Graphics& g_;
  std::u16string_view text_;
  const Font& font_;
  Gdiplus::RectF rect_;
  StringFormat format_;
  std::unique_ptr<Gdiplus::StringFormat> gdiplus_format_;
};

}  // namespace gfx::detail
