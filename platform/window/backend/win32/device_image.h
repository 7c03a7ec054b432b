#pragma once
// A 32-bit top-down DIB section: what GDI copies to a window and what
// UpdateLayeredWindow takes, filled from the premultiplied rows of a back
// buffer (BGRA in memory, as both sides keep them).
#include "platform/window/backend/win32/windows_api.h"

#include <cstdint>

#include "platform/gfx/bitmap.h"
#include "platform/window/backend/win32/win32_handles.h"

namespace winsys::win32 {

class DeviceImage {
 public:
  DeviceImage(int width, int height);

  bool IsNull() const { return !bitmap_; }
  HBITMAP Handle() const { return bitmap_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Rows of Width() pixels, top first.
  std::uint32_t* Bits() { return bits_; }
  // Fills the whole image from `area` (device pixels) of `source`, nearest
  // pixel when the sizes differ; what lies outside the source stays clear.
  void Fill(const gfx::Bitmap& source, const gfx::RectI& area);

 private:
  BitmapHandle bitmap_;
  std::uint32_t* bits_ = nullptr;
  int width_;
  int height_;
};

}  // namespace winsys::win32
