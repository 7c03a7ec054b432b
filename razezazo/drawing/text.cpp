#include "razezazo/drawing/text.h"

#include <algorithm>

namespace razezazo {

namespace {
const gfx::StringFormat& FormatOr(const FormatHandle& format) {
  static const gfx::StringFormat kPlain;
  return format ? *format : kPlain;
}
}  // namespace

std::optional<FloatRect> MeasureText(const gfx::Graphics& g, std::u16string_view text, const FontHandle& font,
                                     const FormatHandle& format, const FloatRect& layout) {
  if (!font || text.empty()) return std::nullopt;
  const gfx::CharacterRange whole{0, static_cast<int>(text.size())};
  const FloatRect bounds = g.MeasureCharacterRanges(text, *font, layout, FormatOr(format), {&whole, 1})[0];
  if (bounds.IsEmpty()) return std::nullopt;
  return bounds;
}

FloatRect MeasureTextSize(const gfx::Graphics& g, std::u16string_view text, const FontHandle& font,
                          const FormatHandle& format, const FloatRect& layout) {
  if (!font) return {};
  return g.MeasureString(text, *font, layout, FormatOr(format));
}

float FontHeight(const FontHandle& font) { return font ? font->Height() : 0.0f; }

float MeasuringPadding(const FontHandle& font) { return font ? font->Size() / 6.0f : 0.0f; }

float PaddedTextWidth(float measured_width, const FontHandle& font) {
  return measured_width > 0 ? measured_width + 2 * MeasuringPadding(font) : 0.0f;
}

FloatRect InsideMeasuringPadding(const FloatRect& rect, const FontHandle& font) {
  const float padding = MeasuringPadding(font);
  return {rect.x + padding, rect.y, std::max(rect.width - 2 * padding, 0.0f), rect.height};
}

void DrawText(gfx::Graphics& g, const FloatRect& rect, std::u16string_view text, const FontHandle& font, Color color,
              const FormatHandle& format, int effect, Color halo_color) {
  if (!font || text.empty()) return;
  const FloatRect r = Truncate(rect);
  if (halo_color == 0) halo_color = IsDarkColor(color) ? ToArgb(0xFFFFFF, 85) : ToArgb(0x000000, 75);
  if (effect == kSoftHalo) DrawHalo(g, r, text, *font, FormatOr(format), 3.0f, halo_color);
  if (effect == kTightHalo) DrawHalo(g, r, text, *font, FormatOr(format), 1.0f, halo_color);
  g.DrawString(text, *font, r, FormatOr(format), color);
}

bool IsBackgroundDark(const gfx::Bitmap* host_canvas, const FloatRect& rect, Color host_background) {
  if (!host_canvas || host_canvas->IsNull()) return IsDarkColor(host_background);
  int dark = 0;
  for (float a : {0.2f, 0.5f, 0.8f})
    for (float b : {0.2f, 0.5f, 0.8f}) {
      const int x = static_cast<int>(rect.x + a * rect.width), y = static_cast<int>(rect.y + b * rect.height);
      dark += IsDarkColor(host_canvas->GetPixel(x, y));
    }
  return dark > 4;
}

}  // namespace razezazo
