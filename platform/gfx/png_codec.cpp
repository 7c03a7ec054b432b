// PNG decoding through Cairo's reader (libpng underneath).
#include <cairo.h>

#include <cstring>

#include "platform/gfx/bitmap_native_cairo.h"
#include "platform/gfx/cairo_ptr.h"
#include "platform/gfx/image_decoder.h"

namespace gfx::detail {

namespace {

struct Reader {
  std::span<const std::uint8_t> bytes;
  size_t offset = 0;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* r = static_cast<Reader*>(closure);
  if (r->bytes.size() - r->offset < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, r->bytes.data() + r->offset, length);
  r->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

// The size in the header chunk, which a PNG always has first (bytes 16-23).
bool HeaderSizeWithinBudget(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 24) return true;  // too short to decode anyway
  auto big_endian = [&](size_t at) {
    return std::int64_t{bytes[at]} << 24 | std::int64_t{bytes[at + 1]} << 16 | std::int64_t{bytes[at + 2]} << 8 |
           std::int64_t{bytes[at + 3]};
  };
  return WithinPixelBudget(big_endian(16), big_endian(20));
}

}  // namespace

std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> bytes) {
  if (!HeaderSizeWithinBudget(bytes)) return std::nullopt;
  Reader reader{bytes};
  SurfacePtr png(cairo_image_surface_create_from_png_stream(ReadBytes, &reader));
  if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  // Opaque PNGs come back without alpha (or with fewer bits); paint them into
  // the one format the drawing layer works with.
  Bitmap bitmap(cairo_image_surface_get_width(png.get()), cairo_image_surface_get_height(png.get()));
  if (bitmap.IsNull()) return std::nullopt;
  CairoPtr cr(cairo_create(CairoSurface(bitmap)));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr.get(), png.get(), 0, 0);
  cairo_paint(cr.get());
  DecodedImage image;
  image.frames.push_back(std::move(bitmap));
  return image;
}

}  // namespace gfx::detail
