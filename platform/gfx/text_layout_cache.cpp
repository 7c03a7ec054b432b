#include "platform/gfx/text_layout_cache.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <functional>

#include "platform/gfx/program_font_config.h"

namespace gfx::detail {

namespace {

template <typename T>
void Mix(size_t& seed, const T& value) {
  seed ^= std::hash<T>{}(value) + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2);
}

}  // namespace

size_t LayoutKeyHash::operator()(const LayoutKeyView& k) const {
  size_t seed = std::hash<std::u16string_view>{}(k.text);
  Mix(seed, k.family);
  Mix(seed, k.size);
  Mix(seed, k.style);
  Mix(seed, k.width);
  Mix(seed, k.height);
  Mix(seed, k.format.flags);
  Mix(seed, k.format.kerning);
  Mix(seed, static_cast<int>(k.rendering));
  return seed;
}

size_t LayoutKeyHash::operator()(const LayoutKey& key) const { return (*this)(LayoutKeyEqual::View(key)); }

LayoutKeyView LayoutKeyEqual::View(const LayoutKey& k) {
  return {k.text, k.family, k.size, k.style, k.width, k.height, k.format, k.rendering};
}

bool LayoutKeyEqual::Same(const LayoutKeyView& a, const LayoutKeyView& b) {
  // The numbers first: they differ most cheaply.
  return a.width == b.width && a.height == b.height && a.size == b.size && a.style == b.style &&
         a.rendering == b.rendering && a.text == b.text && a.family == b.family && a.format == b.format;
}

TextLayoutCache& TextLayoutCache::ForThisThread() {
  thread_local TextLayoutCache cache;
  return cache;
}

std::shared_ptr<const TextLayout> TextLayoutCache::Get(std::u16string_view text, const Font& font, float width,
                                                       float height, const StringFormat& format,
                                                       GlyphRendering rendering) {
  const LayoutKeyView key{text, font.Family(), font.Size(), font.Style(), width, height, format, rendering};
  // A control measures a text and then draws it: the last one used is tried
  // before the text is hashed.
  if (!recent_.empty() && LayoutKeyEqual::Same(LayoutKeyEqual::View(recent_.front()->first), key))
    return recent_.front()->second.layout;
  if (auto found = entries_.find(key); found != entries_.end()) {
    recent_.splice(recent_.begin(), recent_, found->second.age);
    return found->second.layout;
  }
  auto layout = std::make_shared<const TextLayout>(text, font, width, height, format, Context(rendering));
  if (text.size() > kKeptUnits) return layout;
  LayoutKey owned{
      std::u16string(text), std::string(font.Family()), font.Size(), font.Style(), width, height, format, rendering};
  auto added = entries_.emplace(std::move(owned), Entry{layout, {}}).first;
  recent_.push_front(&*added);
  added->second.age = recent_.begin();
  held_units_ += text.size();
  while (recent_.size() > kEntries || held_units_ > kHeldUnits) DropOldest();
  return layout;
}

void TextLayoutCache::DropOldest() {
  const auto oldest = entries_.find(recent_.back()->first);
  held_units_ -= oldest->first.text.size();
  recent_.pop_back();
  entries_.erase(oldest);
}

// Metrics hinting is off in every context, so that measuring gives the same
// numbers whatever the rendering.
PangoContext* TextLayoutCache::Context(GlyphRendering rendering) {
  auto& slot = contexts_[static_cast<size_t>(rendering)];
  if (slot) return slot.get();
  UseProgramFontConfig();
  slot.reset(pango_font_map_create_context(pango_cairo_font_map_get_default()));
  FontOptionsPtr options(cairo_font_options_create());
  cairo_font_options_set_antialias(options.get(),
                                   rendering == GlyphRendering::kAliased ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(
      options.get(), rendering == GlyphRendering::kGreyUnhinted ? CAIRO_HINT_STYLE_NONE : CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(slot.get(), options.get());
  pango_context_set_language(slot.get(), pango_language_from_string("zh-cn"));
  return slot.get();
}

std::shared_ptr<const TextLayout> LayoutFor(std::u16string_view text, const Font& font, const RectF& rect,
                                            const StringFormat& format, int text_hint) {
  return TextLayoutCache::ForThisThread().Get(text, font, std::max(rect.width, 0.0f), std::max(rect.height, 0.0f),
                                              format, RenderingForHint(text_hint));
}

}  // namespace gfx::detail
