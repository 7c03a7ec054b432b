#include "razezazo/drawing/text.h"

namespace razezazo {

void DrawHalo(gfx::Graphics& g, const FloatRect& rect, std::u16string_view text, const gfx::Font& font,
              const gfx::StringFormat& format, float blur, Color halo_color) {
  const int w = static_cast<int>(rect.width) + 7, h = static_cast<int>(rect.height) + 7;
  gfx::Bitmap spread(w, h, g.Target().Scale());
  {
    gfx::Graphics sg(spread);
    sg.SetSmoothing(gfx::SmoothingMode::AntiAlias);
    sg.SetTextHint(gfx::text_hint::kAntiAliasGridFit);
    // The centre position and its four one-pixel neighbours.
    for (auto [ox, oy] : {std::pair{5, 4}, {3, 4}, {4, 3}, {4, 5}, {4, 4}})
      sg.DrawString(text, font, {static_cast<float>(ox), static_cast<float>(oy), rect.width, rect.height}, format,
                    halo_color);
  }
  gfx::Bitmap small(static_cast<int>(w / blur), static_cast<int>(h / blur));
  if (small.IsNull()) return;
  {
    gfx::Graphics sg(small);
    sg.SetSmoothing(gfx::SmoothingMode::AntiAlias);
    sg.SetInterpolation(gfx::Interpolation::HighQualityBilinear);
    sg.DrawImage(spread, {0, 0, static_cast<float>(small.Width()), static_cast<float>(small.Height())});
  }
  const gfx::Interpolation before = g.GetInterpolation();
  g.SetInterpolation(gfx::Interpolation::HighQualityBilinear);
  g.DrawImage(small, {rect.x - 4, rect.y - 4, static_cast<float>(w), static_cast<float>(h)});
  g.SetInterpolation(before);
}

}  // namespace razezazo
