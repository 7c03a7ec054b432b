#pragma once
// How many device pixels a logical pixel takes on a screen: the window
// system's whole-number factor times the font resolution's share of 96 dpi,
// in quarters (1, 1.25, 1.5, ... 3). BRIVO_SCALE overrides it, for tests.
#include <optional>

namespace winsys {

float ScreenScale(int window_factor, double font_dpi);
// BRIVO_SCALE as a scale, when it holds a usable one.
std::optional<float> ScaleOverride();

}  // namespace winsys
