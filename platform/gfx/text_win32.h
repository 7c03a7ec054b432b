#pragma once
// Text laid out by GDI+ in a layout rectangle with a string format: what
// measuring asks of it, in the graphics' coordinates. Internal to platform/gfx.
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/gfx/gdiplus_win32.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/string_format.h"

namespace gfx::detail {

// GDI+'s format for ours, without the padding GDI+ puts at the ends of a line
// by default (its typographic format), so that text starts where it is placed.
std::unique_ptr<Gdiplus::StringFormat> ToGdiplus(const StringFormat& format);

class TextOn {
 public:
  TextOn(const Gdiplus::Graphics& g, std::u16string_view text, const Font& font, const RectF& layout,
         const StringFormat& format);

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

  const Gdiplus::Graphics& g_;
  std::u16string_view text_;
  const Font& font_;
  RectF layout_;
  StringFormat format_;
  std::unique_ptr<Gdiplus::StringFormat> gdiplus_format_;
};

}  // namespace gfx::detail
