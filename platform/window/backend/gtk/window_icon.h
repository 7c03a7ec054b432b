#pragma once
// A window's icon list as X11 docks read it (_NET_WM_ICON).
#include <gdk/gdk.h>

#include <vector>

#include "platform/gfx/bitmap.h"

namespace winsys::gtk {

// Sets the icons (any sizes, straight alpha as GDK wants it); none clears them.
void SetIconList(GdkWindow* window, const std::vector<gfx::Bitmap>& icons);

}  // namespace winsys::gtk
