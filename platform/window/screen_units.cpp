#include "platform/window/screen_units.h"

#include <cmath>

namespace winsys {

namespace {

int Round(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

int ScreenUnits::ToNative(int logical) const { return Round(logical * PerLogical()); }

// Edges map one by one, so that neighbouring rectangles stay neighbours.
gfx::RectI ScreenUnits::ToNative(const gfx::RectI& logical) const {
  const int x = ToNative(logical.x), y = ToNative(logical.y);
  return {x, y, ToNative(logical.Right()) - x, ToNative(logical.Bottom()) - y};
}

gfx::Region ScreenUnits::ToNative(const gfx::Region& logical) const {
  if (PerLogical() == 1.0) return logical;
  gfx::Region out;
  for (const gfx::RectI& r : logical.Rectangles()) out.Union(gfx::Region(ToNative(r)));
  return out;
}

gfx::RectI ScreenUnits::ToLogical(const gfx::RectI& native) const {
  const int x = Round(ToLogical(native.x)), y = Round(ToLogical(native.y));
  return {x, y, Round(ToLogical(native.Right())) - x, Round(ToLogical(native.Bottom())) - y};
}

}  // namespace winsys
