#include "platform/gfx/text_measurer.h"

#include <algorithm>

#include "platform/gfx/graphics.h"
#include "platform/gfx/text_layout.h"
#include "platform/gfx/text_layout_cache.h"

namespace gfx {

TextMeasurer::TextMeasurer(const Graphics& g, const Font& font, const RectF& layout, const StringFormat& format)
    : rect_(layout),
      layout_(std::make_unique<detail::TextLayout>(
          std::u16string_view(), font, std::max(layout.width, 0.0f), std::max(layout.height, 0.0f), format,
          detail::TextLayoutCache::ForThisThread().Context(detail::RenderingForHint(g.TextHint())))) {}

TextMeasurer::~TextMeasurer() = default;

RectF TextMeasurer::WholeBounds(std::u16string_view text) {
  if (text.empty()) return {};
  layout_->SetText(text);
  RectF bounds = layout_->RangeBounds({0, static_cast<int>(text.size())});
  if (bounds.IsEmpty()) return {};
  bounds.x += rect_.x;
  bounds.y += rect_.y;
  return bounds;
}

}  // namespace gfx
