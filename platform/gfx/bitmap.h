#pragma once
// A 32-bit ARGB bitmap. Colours at this API are straight ARGB; the pixels are
// kept premultiplied inside, one 32-bit word per pixel, rows top to bottom
// (Cairo's ARGB32 image format; BGRA bytes on Windows).
//
// A bitmap has a size in logical pixels and a scale: it holds scale x scale
// device pixels per logical pixel (a HiDPI screen shows 1.5 or 2), and whoever
// draws on it draws in logical pixels at the device's resolution. Row() and the
// device accessors work on device pixels; everything else on logical ones.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/argb.h"
#include "platform/gfx/geometry.h"

namespace gfx {

class Bitmap {
 public:
  Bitmap();                                           // the null bitmap: no pixels, every operation does nothing
  Bitmap(int width, int height, float scale = 1.0f);  // fully transparent
  static Bitmap FromArgb(int width, int height, std::span<const Argb> straight_pixels);
  // The same pixels as a picture drawn for `scale`: device pixels of that many
  // per logical pixel (a 2x picture of 760 x 676 pixels is 380 x 338).
  static Bitmap AtScale(Bitmap pixels, float scale);

  Bitmap(Bitmap&&) noexcept;
  Bitmap& operator=(Bitmap&&) noexcept;
  ~Bitmap();

  bool IsNull() const { return !surface_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  float Scale() const { return scale_; }
  int DeviceWidth() const { return device_width_; }
  int DeviceHeight() const { return device_height_; }
  // The device pixels that cover a logical rectangle (not clipped).
  RectI DeviceArea(const RectI& logical) const;

  Bitmap Clone() const;
  // A new bitmap holding the part of this one inside area (clipped to it), at
  // the same scale.
  Bitmap CloneArea(const RectI& area) const;

  // Out-of-range coordinates read 0 and write nothing. A logical pixel reads
  // the device pixel at its centre and writes all of its device pixels.
  Argb GetPixel(int x, int y) const;
  void SetPixel(int x, int y, Argb straight);
  Argb DevicePixel(int x, int y) const;

  // The device pixels.
  std::vector<std::uint8_t> EncodePng() const;
  bool SavePng(const std::string& path) const;

  // Premultiplied rows for the drawing layer's own code (decoders, blits).
  // Call MarkDirty() after writing through them.
  std::uint32_t* Row(int y);
  const std::uint32_t* Row(int y) const;
  void MarkDirty();

  // The platform's pixel store (a Cairo image surface on Linux), defined for
  // the platform layer's own code in bitmap_native_<platform>.h.
  struct Native;
  Native* NativeSurface() const { return surface_.get(); }

 private:
  struct NativeRelease {
    void operator()(Native* s) const;
  };
  // Sets up the store of device_width x device_height pixels; false when the
  // platform cannot.
  bool MakeNative(int device_width, int device_height, float scale);
  void SetNativeScale(float scale);
  std::unique_ptr<Native, NativeRelease> surface_;
  int width_ = 0;
  int height_ = 0;
  float scale_ = 1.0f;
  int device_width_ = 0;
  int device_height_ = 0;
};

// Copies `area` (logical) of one bitmap into the same place of another of the
// same scale, without blending; clipped to both.
void CopyArea(const Bitmap& from, Bitmap& to, const RectI& area);

}  // namespace gfx
