#include "platform/window/backend/gtk/window_icon.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "platform/free_with.h"
#include "platform/gfx/argb.h"

namespace winsys::gtk {
namespace {

using PixbufPtr = platform::GObjectPtr<GdkPixbuf>;

// GdkPixbuf keeps straight RGBA bytes; our bitmaps keep premultiplied ARGB.
PixbufPtr ToPixbuf(const gfx::Bitmap& bitmap) {
  PixbufPtr pixbuf(gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, bitmap.Width(), bitmap.Height()));
  if (!pixbuf) return pixbuf;
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf.get());
  const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
  // Row by row: a 256-px icon read pixel by pixel costs milliseconds at start.
  for (int y = 0; y < bitmap.Height(); ++y) {
    guchar* out = pixels + static_cast<size_t>(y) * stride;
    const std::uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, out += 4) {
      const gfx::Argb argb = gfx::Unpremultiply(row[x]);
      out[0] = static_cast<guchar>(argb >> 16);
      out[1] = static_cast<guchar>(argb >> 8);
      out[2] = static_cast<guchar>(argb);
      out[3] = static_cast<guchar>(argb >> 24);
    }
  }
  return pixbuf;
}

}  // namespace

void SetIconList(GdkWindow* window, const std::vector<gfx::Bitmap>& icons) {
  std::vector<PixbufPtr> pixbufs;
  GList* list = nullptr;
  for (const gfx::Bitmap& icon : icons) {
    if (PixbufPtr pixbuf = ToPixbuf(icon)) {
      list = g_list_append(list, pixbuf.get());
      pixbufs.push_back(std::move(pixbuf));
    }
  }
  // GDK copies the pixels into the window's property; the list is ours to free.
  gdk_window_set_icon_list(window, list);
  g_list_free(list);
}

}  // namespace winsys::gtk
