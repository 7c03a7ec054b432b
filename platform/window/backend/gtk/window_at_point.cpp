#include "platform/window/backend/gtk/window_at_point.h"

#include <gdk/gdkx.h>

namespace winsys::gtk {

namespace {

// Holds X errors back for its lifetime: a window may vanish between two requests.
class ErrorTrap {
 public:
  explicit ErrorTrap(GdkDisplay* display) : display_(display) { gdk_x11_display_error_trap_push(display_); }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  ~ErrorTrap() { gdk_x11_display_error_trap_pop_ignored(display_); }

 private:
  GdkDisplay* display_;
};

}  // namespace

Window TopLevelAt(GdkDisplay* display, int x, int y) {
  const ErrorTrap trap(display);
  Display* xdisplay = gdk_x11_display_get_xdisplay(display);
  const Window root = DefaultRootWindow(xdisplay);
  Window child = None;
  int child_x = 0, child_y = 0;
  // The server picks the topmost mapped child whose shape holds the point.
  if (!XTranslateCoordinates(xdisplay, root, root, x, y, &child_x, &child_y, &child)) return None;
  return child;
}

Window TopLevelOf(GdkDisplay* display, Window window) {
  const ErrorTrap trap(display);
  Display* xdisplay = gdk_x11_display_get_xdisplay(display);
  for (;;) {
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(xdisplay, window, &root, &parent, &children, &count)) return None;
    if (children) XFree(children);
    if (parent == root || parent == None) return window;
    window = parent;
  }
}

}  // namespace winsys::gtk
