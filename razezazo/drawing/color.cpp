#include "razezazo/drawing/color.h"

namespace razezazo {

Color ToArgb(std::uint32_t rgb, std::optional<int> alpha) {
  const std::uint32_t a = (!alpha || *alpha == 255) ? 254u : static_cast<std::uint32_t>(*alpha) & 0xFF;
  const std::uint32_t r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
  return (a << 24) | (r << 16) | (g << 8) | b;
}

double Luminance(Color c) { return 0.299 * ((c >> 16) & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * (c & 0xFF); }

bool IsDarkColor(Color c) { return Luminance(c) < 192.0 - 1e-7; }

}  // namespace razezazo
