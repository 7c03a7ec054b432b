#include "platform/window/backend/gtk/gdk_units.h"

#include <algorithm>
#include <cmath>

#include "platform/window/screen_scale.h"

namespace winsys::gtk {

namespace {

int Round(double v) { return static_cast<int>(std::lround(v)); }

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

int GdkUnits::ToGdk(int logical) const { return Round(logical * PerLogical()); }

// Edges map one by one, so that neighbouring rectangles stay neighbours.
gfx::RectI GdkUnits::ToGdk(const gfx::RectI& logical) const {
  const int x = ToGdk(logical.x), y = ToGdk(logical.y);
  return {x, y, ToGdk(logical.Right()) - x, ToGdk(logical.Bottom()) - y};
}

gfx::Region GdkUnits::ToGdk(const gfx::Region& logical) const {
  if (PerLogical() == 1.0) return logical;
  gfx::Region out;
  for (const gfx::RectI& r : logical.Rectangles()) out.Union(gfx::Region(ToGdk(r)));
  return out;
}

gfx::RectI GdkUnits::ToLogical(const gfx::RectI& gdk) const {
  const int x = Round(ToLogical(gdk.x)), y = Round(ToLogical(gdk.y));
  return {x, y, Round(ToLogical(gdk.Right())) - x, Round(ToLogical(gdk.Bottom())) - y};
}

GdkUnits ReadUnits(GdkDisplay* display) {
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor) monitor = gdk_display_get_monitor(display, 0);
  const int factor = monitor ? std::max(gdk_monitor_get_scale_factor(monitor), 1) : 1;
  const float scale = ScaleOverride().value_or(ScreenScale(factor, FontDpi(gdk_display_get_default_screen(display))));
  return {scale, factor};
}

}  // namespace winsys::gtk
