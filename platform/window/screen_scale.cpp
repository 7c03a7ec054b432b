#include "platform/window/screen_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace winsys {

namespace {

constexpr double kBaseDpi = 96.0;
constexpr double kMinScale = 1.0, kMaxScale = 4.0;

float InQuarters(double scale) {
  return static_cast<float>(std::clamp(std::round(scale * 4.0) / 4.0, kMinScale, kMaxScale));
}

}  // namespace

float ScreenScale(int window_factor, double font_dpi) {
  const double dpi_share = font_dpi > 0 ? font_dpi / kBaseDpi : 1.0;
  return InQuarters(std::max(window_factor, 1) * dpi_share);
}

std::optional<float> ScaleOverride() {
  const char* text = std::getenv("BRIVO_SCALE");
  if (!text || !*text) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (*end || !(value > 0)) return std::nullopt;
  return InQuarters(value);
}

}  // namespace winsys
