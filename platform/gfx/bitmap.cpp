#include "platform/gfx/bitmap.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "platform/gfx/cairo_ptr.h"

namespace gfx {

void Bitmap::SurfaceRelease::operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }

Bitmap::Bitmap() = default;
Bitmap::Bitmap(Bitmap&&) noexcept = default;
Bitmap& Bitmap::operator=(Bitmap&&) noexcept = default;
Bitmap::~Bitmap() = default;

Bitmap::Bitmap(int width, int height) {
  if (width <= 0 || height <= 0) return;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return;
  }
  surface_.reset(s);
  width_ = width;
  height_ = height;
}

Bitmap Bitmap::FromArgb(int width, int height, std::span<const Argb> straight_pixels) {
  Bitmap b(width, height);
  if (b.IsNull() || straight_pixels.size() < static_cast<size_t>(width) * height) return Bitmap();
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = b.Row(y);
    for (int x = 0; x < width; ++x) row[x] = Premultiply(straight_pixels[static_cast<size_t>(y) * width + x]);
  }
  b.MarkDirty();
  return b;
}

std::uint32_t* Bitmap::Row(int y) {
  cairo_surface_flush(surface_.get());
  auto* data = cairo_image_surface_get_data(surface_.get());
  return reinterpret_cast<std::uint32_t*>(data +
                                          static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_.get()));
}

const std::uint32_t* Bitmap::Row(int y) const { return const_cast<Bitmap*>(this)->Row(y); }

void Bitmap::MarkDirty() {
  if (surface_) cairo_surface_mark_dirty(surface_.get());
}

Bitmap Bitmap::Clone() const { return CloneArea({0, 0, width_, height_}); }

Bitmap Bitmap::CloneArea(const RectI& area) const {
  const int x0 = std::max(area.x, 0), y0 = std::max(area.y, 0);
  const int x1 = std::min(area.Right(), width_), y1 = std::min(area.Bottom(), height_);
  if (IsNull() || x1 <= x0 || y1 <= y0) return Bitmap();
  Bitmap copy(x1 - x0, y1 - y0);
  if (copy.IsNull()) return copy;
  for (int y = y0; y < y1; ++y) std::memcpy(copy.Row(y - y0), Row(y) + x0, sizeof(std::uint32_t) * (x1 - x0));
  copy.MarkDirty();
  return copy;
}

Argb Bitmap::GetPixel(int x, int y) const {
  if (IsNull() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return Unpremultiply(Row(y)[x]);
}

void Bitmap::SetPixel(int x, int y, Argb straight) {
  if (IsNull() || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Row(y)[x] = Premultiply(straight);
  MarkDirty();
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
  if (cairo_surface_write_to_png_stream(surface_.get(), AppendBytes, &out) != CAIRO_STATUS_SUCCESS) out.clear();
  return out;
}

bool Bitmap::SavePng(const std::string& path) const {
  const auto bytes = EncodePng();
  if (bytes.empty()) return false;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace gfx
