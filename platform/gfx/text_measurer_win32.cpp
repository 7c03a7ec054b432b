// Measuring many texts in one font, format and rectangle with GDI+.
#include "platform/gfx/graphics.h"
#include "platform/gfx/text_measurer.h"
#include "platform/gfx/text_win32.h"

namespace gfx {

namespace detail {
// What the measurer keeps: GDI+ lays every text out anew.
class TextLayout {
 public:
  TextLayout(const Font& font, const StringFormat& format, int text_hint)
      : font(font), format(format), text_hint(text_hint) {}
  const Font& font;
  StringFormat format;
  int text_hint;
};
}  // namespace detail

TextMeasurer::TextMeasurer(const Graphics& g, const Font& font, const RectF& layout, const StringFormat& format)
    : rect_(layout), layout_(std::make_unique<detail::TextLayout>(font, format, g.TextHint())) {}

TextMeasurer::~TextMeasurer() = default;

RectF TextMeasurer::WholeBounds(std::u16string_view text) {
  if (text.empty()) return {};
  const CharacterRange all{0, static_cast<int>(text.size())};
  return detail::TextOn(text, layout_->font, rect_, layout_->format, layout_->text_hint).RangeBounds({&all, 1})[0];
}

}  // namespace gfx
