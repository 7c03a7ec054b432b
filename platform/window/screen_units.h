#pragma once
// Our logical pixels against the native window system's coordinates. The
// native system may count a whole-number scale of its own (GDK's window
// scale), so one logical pixel is scale / factor native units: 1 when the
// native factor already covers the scale, more when the font resolution, the
// monitor's DPI or BRIVO_SCALE asks for more. Every coordinate crosses here
// once, on its way to or from the native system.
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"

namespace winsys {

struct ScreenUnits {
  float scale = 1.0f;  // device pixels per logical pixel
  int factor = 1;      // device pixels per native unit

  double PerLogical() const { return static_cast<double>(scale) / factor; }
  int ToNative(int logical) const;
  gfx::RectI ToNative(const gfx::RectI& logical) const;
  gfx::Region ToNative(const gfx::Region& logical) const;
  double ToLogical(double native) const { return native / PerLogical(); }
  gfx::RectI ToLogical(const gfx::RectI& native) const;
  bool operator==(const ScreenUnits&) const = default;
};

}  // namespace winsys
