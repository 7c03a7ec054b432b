// Measuring many texts in one font, format and rectangle with GDI+, on a
// graphics of the measuring graphics' scale and text hint.
#include "platform/gfx/bitmap.h"
#include "platform/gfx/gdiplus_win32.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/text_measurer.h"
#include "platform/gfx/text_win32.h"

namespace gfx {

namespace detail {
class TextLayout {
 public:
  TextLayout(const Graphics& g, const Font& font, const StringFormat& format)
      : pixel_(1, 1, g.Target().Scale()), graphics_(pixel_), font_(font), format_(format) {
    graphics_.SetTextHint(g.TextHint());
  }
  RectF WholeBounds(std::u16string_view text, const RectF& rect) const {
    const CharacterRange all{0, static_cast<int>(text.size())};
    return graphics_.MeasureCharacterRanges(text, font_, rect, format_, {&all, 1})[0];
  }

 private:
  Bitmap pixel_;
  Graphics graphics_;
  const Font& font_;
  StringFormat format_;
};
}  // namespace detail

TextMeasurer::TextMeasurer(const Graphics& g, const Font& font, const RectF& layout, const StringFormat& format)
    : rect_(layout), layout_(std::make_unique<detail::TextLayout>(g, font, format)) {}

TextMeasurer::~TextMeasurer() = default;

RectF TextMeasurer::WholeBounds(std::u16string_view text) {
  if (text.empty()) return {};
  return layout_->WholeBounds(text, rect_);
}

}  // namespace gfx
