#include "platform/window/backend/gtk/native_window.h"

#include <algorithm>

#include "platform/gfx/bitmap_native_cairo.h"
#include "platform/gfx/region_native_cairo.h"
#include "platform/window/backend/gtk/gtk_ptr.h"
#include "platform/window/pixel_copy.h"

namespace winsys::gtk {

namespace {

constexpr int kEvents = GDK_EXPOSURE_MASK | GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                        GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK |
                        GDK_FOCUS_CHANGE_MASK | GDK_STRUCTURE_MASK | GDK_SCROLL_MASK;
// Without a compositor a layered pixel is either shown or cut away.
constexpr std::uint8_t kShapeThreshold = 128;

GdkWindowTypeHint HintFor(NativeWindow::Kind kind, GdkWindow* transient_for) {
  switch (kind) {
    case NativeWindow::Kind::kPopup: return GDK_WINDOW_TYPE_HINT_POPUP_MENU;
    case NativeWindow::Kind::kTooltip: return GDK_WINDOW_TYPE_HINT_TOOLTIP;
    case NativeWindow::Kind::kTopLevel: break;
  }
  return transient_for ? GDK_WINDOW_TYPE_HINT_DIALOG : GDK_WINDOW_TYPE_HINT_NORMAL;
}

}  // namespace

NativeWindow::NativeWindow(Kind kind, const gfx::RectI& rect, const std::string& title, GdkWindow* transient_for,
                           bool rgba)
    : kind_(kind), rgba_(rgba) {
  GdkScreen* screen = gdk_screen_get_default();
  GdkWindowAttr attr{};
  attr.title = const_cast<gchar*>(title.c_str());
  attr.event_mask = kEvents;
  attr.x = rect.x;
  attr.y = rect.y;
  attr.width = std::max(rect.width, 1);
  attr.height = std::max(rect.height, 1);
  attr.wclass = GDK_INPUT_OUTPUT;
  attr.visual = rgba ? gdk_screen_get_rgba_visual(screen) : gdk_screen_get_system_visual(screen);
  attr.window_type = kind == Kind::kTopLevel ? GDK_WINDOW_TOPLEVEL : GDK_WINDOW_TEMP;
  attr.type_hint = HintFor(kind, transient_for);
  int mask = GDK_WA_X | GDK_WA_Y | GDK_WA_TITLE | GDK_WA_VISUAL | GDK_WA_TYPE_HINT;
  if (kind == Kind::kTopLevel) {
    // WM_CLASS, which docks match to the desktop entry: only widgets get it by
    // themselves. The instance part is the program name, the class part the
    // program class (WindowSystem::SetProgramClass).
    attr.wmclass_name = const_cast<gchar*>(g_get_prgname());
    attr.wmclass_class = const_cast<gchar*>(gdk_get_program_class());
    if (attr.wmclass_name && attr.wmclass_class) mask |= GDK_WA_WMCLASS;
  }
  window_ = gdk_window_new(nullptr, &attr, mask);
  width_ = attr.width;
  height_ = attr.height;
  if (kind == Kind::kTopLevel) {
    gdk_window_set_decorations(window_, static_cast<GdkWMDecoration>(0));
    if (transient_for) {
      // An owned window (a message box) stays above its owner and shares its taskbar entry.
      gdk_window_set_transient_for(window_, transient_for);
      gdk_window_set_skip_taskbar_hint(window_, TRUE);
    }
  }
}

NativeWindow::~NativeWindow() {
  if (window_) gdk_window_destroy(window_);
}

void NativeWindow::SetVisible(bool visible) {
  if (visible)
    gdk_window_show_unraised(window_);
  else
    gdk_window_hide(window_);
}

void NativeWindow::Place(const gfx::RectI& rect) {
  width_ = std::max(rect.width, 1);
  height_ = std::max(rect.height, 1);
  // A fixed size must allow the new one before the window manager sees the request.
  if (!resizable_) ApplySizeHints();
  gdk_window_move_resize(window_, rect.x, rect.y, width_, height_);
}

void NativeWindow::SetResizable(bool resizable, int min_width, int min_height) {
  resizable_ = resizable;
  min_width_ = std::max(min_width, 1);
  min_height_ = std::max(min_height, 1);
  ApplySizeHints();
}

void NativeWindow::SetZoomed(bool zoomed) {
  if (zoomed_ == zoomed) return;
  zoomed_ = zoomed;
  ApplySizeHints();
}

void NativeWindow::ApplySizeHints() {
  GdkGeometry geometry{};
  auto hints = GDK_HINT_MIN_SIZE;
  if (resizable_ || zoomed_) {
    geometry.min_width = min_width_;
    geometry.min_height = min_height_;
  } else {
    geometry.min_width = geometry.max_width = width_;
    geometry.min_height = geometry.max_height = height_;
    hints = static_cast<GdkWindowHints>(hints | GDK_HINT_MAX_SIZE);
  }
  gdk_window_set_geometry_hints(window_, &geometry, hints);
}

void NativeWindow::SetTitle(const std::string& title) { gdk_window_set_title(window_, title.c_str()); }

void NativeWindow::SetKeepAbove(bool above) { gdk_window_set_keep_above(window_, above); }

void NativeWindow::Raise() { gdk_window_raise(window_); }

void NativeWindow::Paint(const gfx::Bitmap& buffer, const gfx::RectI& rect, cairo_operator_t op, double alpha,
                         bool opaque) {
  if (buffer.IsNull() || rect.IsEmpty()) return;
  const gfx::RectI gdk_rect = units_.ToNative(rect);
  const cairo_rectangle_int_t area{gdk_rect.x, gdk_rect.y, gdk_rect.width, gdk_rect.height};
  RegionPtr region(cairo_region_create_rectangle(&area));
  GdkDrawingContext* context = gdk_window_begin_draw_frame(window_, region.get());
  cairo_t* cr = gdk_drawing_context_get_cairo_context(context);
  if (opaque && rgba_) {
    // The colour bytes as they stand, over black: what an ordinary window shows.
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    op = CAIRO_OPERATOR_OVER;
  }
  cairo_set_operator(cr, op);
  // Logical pixels onto GDK units: a buffer at the window's scale lands pixel for pixel.
  cairo_scale(cr, units_.PerLogical(), units_.PerLogical());
  cairo_set_source_surface(cr, CairoSurface(buffer), 0, 0);
  cairo_paint_with_alpha(cr, alpha);
  gdk_window_end_draw_frame(window_, context);
  SendToServer();
}

// Animations present frames between sleeps without returning to the main loop,
// which is where Xlib would otherwise send its buffered requests: each frame
// must reach the screen when it is presented, as on Windows.
void NativeWindow::SendToServer() { gdk_display_flush(gdk_window_get_display(window_)); }

void NativeWindow::Present(const gfx::Bitmap& buffer, const gfx::RectI& rect) {
  Paint(buffer, rect, CAIRO_OPERATOR_SOURCE, 1.0, true);
}

void NativeWindow::PresentLayered(const gfx::Bitmap& buffer, std::uint8_t alpha) {
  const gfx::RectI whole{0, 0, buffer.Width(), buffer.Height()};
  if (rgba_) {
    // Clear first: SOURCE with a constant alpha would blend with the old pixels.
    const gfx::RectI gdk_whole = units_.ToNative(whole);
    const cairo_rectangle_int_t area{0, 0, gdk_whole.width, gdk_whole.height};
    RegionPtr region(cairo_region_create_rectangle(&area));
    GdkDrawingContext* context = gdk_window_begin_draw_frame(window_, region.get());
    cairo_t* cr = gdk_drawing_context_get_cairo_context(context);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_scale(cr, units_.PerLogical(), units_.PerLogical());
    cairo_set_source_surface(cr, CairoSurface(buffer), 0, 0);
    cairo_paint_with_alpha(cr, alpha / 255.0);
    gdk_window_end_draw_frame(window_, context);
    SendToServer();
    return;
  }
  alpha_shape_ = alpha < kShapeThreshold ? gfx::Region() : OpaqueRegion(buffer, kShapeThreshold);
  ApplyShape();
  Paint(buffer, whole, CAIRO_OPERATOR_SOURCE, 1.0, false);
}

void NativeWindow::SetRegion(std::optional<gfx::Region> region) {
  region_ = std::move(region);
  ApplyShape();
}

void NativeWindow::DropAlphaShape() {
  if (!alpha_shape_) return;
  alpha_shape_.reset();
  ApplyShape();
}

void NativeWindow::ApplyShape() {
  if (!region_ && !alpha_shape_) {
    gdk_window_shape_combine_region(window_, nullptr, 0, 0);
    return;
  }
  gfx::Region shape = region_ ? *region_ : *alpha_shape_;
  if (region_ && alpha_shape_) shape.Intersect(*alpha_shape_);
  gdk_window_shape_combine_region(window_, CairoRegion(units_.ToNative(shape)), 0, 0);
}

}  // namespace winsys::gtk
