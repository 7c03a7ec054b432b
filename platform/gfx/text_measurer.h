#pragma once
// Measures text after text in one font, format and layout rectangle through a
// single reused layout: the bounds Graphics::MeasureCharacterRanges gives for
// a whole text, without building and caching a layout for each one. For
// measuring the many lines of a long text.
#include <memory>
#include <string_view>

#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/string_format.h"

namespace gfx {

class Graphics;
namespace detail {
class TextLayout;
}

class TextMeasurer {
 public:
  TextMeasurer(const Graphics& g, const Font& font, const RectF& layout, const StringFormat& format);
  TextMeasurer(const TextMeasurer&) = delete;
  TextMeasurer& operator=(const TextMeasurer&) = delete;
  ~TextMeasurer();

  // Empty (all zero) when the text is empty or lays out to nothing.
  RectF WholeBounds(std::u16string_view text);

 private:
  RectF rect_;
  std::unique_ptr<detail::TextLayout> layout_;
};

}  // namespace gfx
