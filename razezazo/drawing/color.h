#pragma once
// Colours of the framework. Colour tables and application colours are Windows
// RGB values (0x00BBGGRR) plus an alpha; drawing takes 0xAARRGGBB.
#include <cstdint>
#include <optional>

namespace razezazo {

using Color = std::uint32_t;  // 0xAARRGGBB, straight alpha

// Swaps red and blue into place and puts the alpha on top. No alpha, or 255,
// becomes 254: opaque framework colours never carry 0xFF, so no colour ever
// equals 0xFFFFFFFF.
Color ToArgb(std::uint32_t rgb, std::optional<int> alpha = std::nullopt);

double Luminance(Color c);
// Dark means a luminance below 192.
bool IsDarkColor(Color c);

}  // namespace razezazo
