#pragma once
// Our logical pixels against GDK's window coordinates. GDK already counts its
// own whole-number window scale (the factor), so one logical pixel is
// scale / factor GDK units: 1 under GDK_SCALE alone, more when the font
// resolution (Xft.dpi) or BRIVO_SCALE asks for a scale beyond GDK's factor.
#include <gdk/gdk.h>

#include "platform/window/screen_units.h"

namespace winsys::gtk {

using GdkUnits = ScreenUnits;

// The display's units now: GDK's window scale (one for the whole X screen),
// Xft.dpi as GTK's settings give it, or BRIVO_SCALE.
GdkUnits ReadUnits(GdkDisplay* display);

}  // namespace winsys::gtk
