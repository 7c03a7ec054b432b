#pragma once
// Colours at the drawing API are straight (not premultiplied) 0xAARRGGBB values.
#include <cstdint>

namespace gfx {

using Argb = std::uint32_t;

constexpr unsigned AlphaOf(Argb c) { return (c >> 24) & 0xFF; }
constexpr unsigned RedOf(Argb c) { return (c >> 16) & 0xFF; }
constexpr unsigned GreenOf(Argb c) { return (c >> 8) & 0xFF; }
constexpr unsigned BlueOf(Argb c) { return c & 0xFF; }
constexpr Argb MakeArgb(unsigned a, unsigned r, unsigned g, unsigned b) {
  return (Argb{a & 0xFF} << 24) | (Argb{r & 0xFF} << 16) | (Argb{g & 0xFF} << 8) | Argb{b & 0xFF};
}

// Conversions between the API's straight colours and the premultiplied pixels
// that Cairo keeps in its image surfaces.
constexpr std::uint32_t Premultiply(Argb c) {
  const unsigned a = AlphaOf(c);
  if (a == 255) return c;
  auto mul = [a](unsigned v) { return (v * a + 127) / 255; };
  return MakeArgb(a, mul(RedOf(c)), mul(GreenOf(c)), mul(BlueOf(c)));
}

constexpr Argb Unpremultiply(std::uint32_t p) {
  const unsigned a = AlphaOf(p);
  if (a == 255) return p;
  if (a == 0) return 0;
  auto div = [a](unsigned v) { return v >= a ? 255u : (v * 255 + a / 2) / a; };
  return MakeArgb(a, div(RedOf(p)), div(GreenOf(p)), div(BlueOf(p)));
}

}  // namespace gfx
