#pragma once
// Rectangles of the framework: x, y, width, height as floats, in host-window
// coordinates.
#include <cmath>

#include "platform/gfx/geometry.h"

namespace razezazo {

using FloatRect = gfx::RectF;

constexpr float kTolerance = 1e-7f;

inline bool NearlyEqual(float a, float b) { return std::fabs(a - b) <= kTolerance; }

inline FloatRect Adjust(FloatRect r, float dx, float dy, float dw, float dh) {
  return {r.x + dx, r.y + dy, r.width + dw, r.height + dh};
}

// The inset used throughout the framework: one pixel in on every side.
inline FloatRect Inset(const FloatRect& r) { return Adjust(r, 1, 1, -2, -2); }

// Whole numbers toward zero, as the framework converts floats.
inline FloatRect Truncate(const FloatRect& r) {
  return {std::trunc(r.x), std::trunc(r.y), std::trunc(r.width), std::trunc(r.height)};
}

}  // namespace razezazo
