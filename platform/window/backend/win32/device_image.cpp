#include "platform/window/backend/win32/device_image.h"

#include <cstring>

namespace winsys::win32 {

namespace {

// The source coordinate whose pixel covers the centre of target pixel `i`.
int Nearest(int i, int target_size, int source_start, int source_size) {
  return source_start + static_cast<int>((2LL * i + 1) * source_size / (2LL * target_size));
}

}  // namespace

DeviceImage::DeviceImage(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like the back buffer
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap_) bits_ = static_cast<std::uint32_t*>(bits);
}

void DeviceImage::Fill(const gfx::Bitmap& source, const gfx::RectI& area) {
  if (!bits_) return;
  ::GdiFlush();  // GDI may still be reading the image
  std::memset(bits_, 0, sizeof(std::uint32_t) * static_cast<size_t>(width_) * static_cast<size_t>(height_));
  if (source.IsNull() || area.IsEmpty()) return;
  const bool same_width = area.width == width_;
  for (int y = 0; y < height_; ++y) {
    const int from_y = Nearest(y, height_, area.y, area.height);
    if (from_y < 0 || from_y >= source.DeviceHeight()) continue;
    const std::uint32_t* from = source.Row(from_y);
    std::uint32_t* to = bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_);
    for (int x = 0; x < width_; ++x) {
      const int from_x = same_width ? area.x + x : Nearest(x, width_, area.x, area.width);
      if (from_x >= 0 && from_x < source.DeviceWidth()) to[x] = from[from_x];
    }
  }
}

}  // namespace winsys::win32
