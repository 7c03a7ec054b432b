#pragma once
// Which top-level X window shows at a screen point, as the X server stacks and
// shapes them (the window manager's frames and other applications' windows
// included).
#include <gdk/gdk.h>

#include <X11/Xlib.h>

namespace winsys::gtk {

// The child of the root window that the point falls in (a window manager's
// frame, an override-redirect window, or an unmanaged top-level); None when
// the point shows the bare root.
Window TopLevelAt(GdkDisplay* display, int x, int y);

// The child of the root window that holds `window` (the window itself when
// nothing reparented it); None when it is gone.
Window TopLevelOf(GdkDisplay* display, Window window);

}  // namespace winsys::gtk
