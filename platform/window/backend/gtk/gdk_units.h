#pragma once
// Our logical pixels against GDK's window coordinates. GDK already counts its
// own whole-number window scale, so one logical pixel is scale / factor GDK
// units: 1 under GDK_SCALE alone, more when the font resolution (Xft.dpi) or
// BRIVO_SCALE asks for a scale beyond GDK's factor. Every coordinate crosses
// here once, on its way to or from GDK.
#include <gdk/gdk.h>

#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"

namespace winsys::gtk {

struct GdkUnits {
  float scale = 1.0f;  // device pixels per logical pixel
  int factor = 1;      // device pixels per GDK unit

  double PerLogical() const { return static_cast<double>(scale) / factor; }
  int ToGdk(int logical) const;
  gfx::RectI ToGdk(const gfx::RectI& logical) const;
  gfx::Region ToGdk(const gfx::Region& logical) const;
  double ToLogical(double gdk) const { return gdk / PerLogical(); }
  gfx::RectI ToLogical(const gfx::RectI& gdk) const;
  bool operator==(const GdkUnits&) const = default;
};

// The display's units now: GDK's window scale (one for the whole X screen),
// Xft.dpi as GTK's settings give it, or BRIVO_SCALE.
GdkUnits ReadUnits(GdkDisplay* display);

}  // namespace winsys::gtk
