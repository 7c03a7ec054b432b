#include "platform/window/backend/gtk/gdk_units.h"

#include <algorithm>
#include <cmath>

#include "platform/window/screen_scale.h"

namespace winsys::gtk {

namespace {

// GTK keeps the font resolution in 1024ths of a dot per inch; -1 is unset.
double FontDpi(GdkScreen* screen) {
  GValue value = G_VALUE_INIT;
  g_value_init(&value, G_TYPE_INT);
  double dpi = 96.0;
  if (gdk_screen_get_setting(screen, "gtk-xft-dpi", &value) && g_value_get_int(&value) > 0)
    dpi = g_value_get_int(&value) / 1024.0;
  g_value_unset(&value);
  return dpi;
}

}  // namespace

GdkUnits ReadUnits(GdkDisplay* display) {
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor) monitor = gdk_display_get_monitor(display, 0);
  const int factor = monitor ? std::max(gdk_monitor_get_scale_factor(monitor), 1) : 1;
  const float scale = ScaleOverride().value_or(ScreenScale(factor, FontDpi(gdk_display_get_default_screen(display))));
  return {scale, factor};
}

}  // namespace winsys::gtk
