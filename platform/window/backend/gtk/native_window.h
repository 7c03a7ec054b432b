#pragma once
// One GdkWindow standing for one of our windows: an undecorated top-level, or an
// override-redirect popup for tool windows (menus, tips). Pixels are pushed
// straight from our ARGB buffers. Its geometry is in GDK units; the pixels and
// the region come in logical pixels and are converted with the window's units.
#include <gdk/gdk.h>

#include <optional>
#include <string>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/region.h"
#include "platform/window/backend/gtk/gdk_units.h"
#include "platform/window/window_record.h"

namespace winsys::gtk {

class NativeWindow {
 public:
  enum class Kind { kTopLevel, kPopup, kTooltip };
  // `rgba`: the screen has a compositor, so per-pixel alpha is real.
  NativeWindow(Kind kind, const gfx::RectI& rect, const std::string& title, GdkWindow* transient_for, bool rgba);
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;
  ~NativeWindow();

  GdkWindow* Gdk() const { return window_; }
  // A window manager manages it (and may give it the keyboard): not a popup.
  bool Managed() const { return kind_ == Kind::kTopLevel; }
  void SetUnits(const GdkUnits& units) { units_ = units; }
  void SetVisible(bool visible);
  void Place(const gfx::RectI& rect);
  void SetTitle(const std::string& title);
  void SetKeepAbove(bool above);
  void Raise();
  // What the window manager may do to the size: a window that is not
  // resizable keeps the size the program gave it (minimum = maximum), except
  // while maximised; a resizable one only keeps its minimum.
  void SetResizable(bool resizable, int min_width, int min_height);
  void SetZoomed(bool zoomed);

  // Copies `rect` (logical) of the buffer as an opaque picture (what BitBlt shows).
  void Present(const gfx::Bitmap& buffer, const gfx::RectI& rect);
  // The whole buffer with per-pixel alpha times `alpha`; without a compositor
  // the pixels below half opacity are cut away by the shape instead.
  void PresentLayered(const gfx::Bitmap& buffer, std::uint8_t alpha);
  // The window region (logical window coordinates); none: the whole window.
  void SetRegion(std::optional<gfx::Region> region);
  // Back to an ordinary window: no alpha shape any more.
  void DropAlphaShape();

 private:
  void ApplyShape();
  void ApplySizeHints();
  void Paint(const gfx::Bitmap& buffer, const gfx::RectI& rect, cairo_operator_t op, double alpha, bool opaque);
  void SendToServer();

  GdkWindow* window_ = nullptr;
  Kind kind_;
  GdkUnits units_;
  bool rgba_ = false;
  bool resizable_ = true;
  bool zoomed_ = false;
  int width_ = 1, height_ = 1;  // as the program placed it
  int min_width_ = 1, min_height_ = 1;
  std::optional<gfx::Region> region_;
  std::optional<gfx::Region> alpha_shape_;
};

}  // namespace winsys::gtk
