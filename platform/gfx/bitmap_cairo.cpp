// A bitmap's pixels in a Cairo image surface.
#include <cairo.h>

#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/bitmap_native_cairo.h"

namespace gfx {

void Bitmap::NativeRelease::operator()(Native* s) const { delete s; }

bool Bitmap::MakeNative(int device_width, int device_height, float scale) {
  detail::SurfacePtr s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, device_width, device_height));
  if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return false;
  cairo_surface_set_device_scale(s.get(), scale, scale);
  surface_.reset(new Native{std::move(s)});
  return true;
}

void Bitmap::SetNativeScale(float scale) { cairo_surface_set_device_scale(CairoSurface(*this), scale, scale); }

std::uint32_t* Bitmap::Row(int y) {
  cairo_surface_t* s = CairoSurface(*this);
  cairo_surface_flush(s);
  auto* data = cairo_image_surface_get_data(s);
  return reinterpret_cast<std::uint32_t*>(data + static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(s));
}

void Bitmap::MarkDirty() {
  if (surface_) cairo_surface_mark_dirty(CairoSurface(*this));
}

namespace {
cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::vector<std::uint8_t> Bitmap::EncodePng() const {
  std::vector<std::uint8_t> out;
  if (IsNull()) return out;
  if (cairo_surface_write_to_png_stream(CairoSurface(*this), AppendBytes, &out) != CAIRO_STATUS_SUCCESS) out.clear();
  return out;
}

}  // namespace gfx
