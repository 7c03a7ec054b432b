#include "razezazo/controls/edit_advances.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/text_measurer.h"

namespace razezazo {

float CharacterAdvances::Width(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format,
                               std::u16string_view units) {
  float x = 0;
  for (const char16_t unit : units) x = Advance(g, font, format, unit, x);
  return x;
}

// Tabs go to the next stop after x, as the layout sets them: every stop apart
// from the first offset on.
float CharacterAdvances::Advance(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format,
                                 char16_t unit, float x) {
  if (unit == u'\t' && format && !format->tab_stops.empty()) {
    const float first = format->first_tab_offset, step = std::max(format->tab_stops.back(), 1.0f);
    return first + step * std::max(std::floor((x - first) / step) + 1, 1.0f);
  }
  if (advances_.empty()) advances_.assign(0x10000, -1.0f);
  float& advance = advances_[unit];
  if (advance < 0) advance = Measure(g, font, format, unit);
  return x + advance;
}

float CharacterAdvances::Measure(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format,
                                 char16_t unit) {
  if (!font) return 0;
  gfx::TextMeasurer measurer(g, *font, {}, format ? *format : gfx::StringFormat{});
  return measurer.WholeBounds(std::u16string_view(&unit, 1)).width;
}

}  // namespace razezazo
