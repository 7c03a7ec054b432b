#pragma once
// A 32-bit ARGB bitmap. Colours at this API are straight ARGB; the pixels are
// kept premultiplied inside (Cairo's ARGB32 image format).
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/argb.h"
#include "platform/gfx/geometry.h"

// Cairo's own declaration, so that this header need not include cairo.h.
typedef struct _cairo_surface cairo_surface_t;  // NOLINT(bugprone-reserved-identifier)

namespace gfx {

class Bitmap {
 public:
  Bitmap();                       // the null bitmap: no pixels, every operation does nothing
  Bitmap(int width, int height);  // fully transparent
  static Bitmap FromArgb(int width, int height, std::span<const Argb> straight_pixels);

  Bitmap(Bitmap&&) noexcept;
  Bitmap& operator=(Bitmap&&) noexcept;
  ~Bitmap();

  bool IsNull() const { return !surface_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  Bitmap Clone() const;
  // A new bitmap holding the part of this one inside area (clipped to it).
  Bitmap CloneArea(const RectI& area) const;

  // Out-of-range coordinates read 0 and write nothing.
  Argb GetPixel(int x, int y) const;
  void SetPixel(int x, int y, Argb straight);

  std::vector<std::uint8_t> EncodePng() const;
  bool SavePng(const std::string& path) const;

  // Premultiplied rows for the drawing layer's own code (decoders, blits).
  // Call MarkDirty() after writing through them.
  std::uint32_t* Row(int y);
  const std::uint32_t* Row(int y) const;
  void MarkDirty();
  cairo_surface_t* NativeSurface() const { return surface_.get(); }

 private:
  struct SurfaceRelease {
    void operator()(cairo_surface_t* s) const;
  };
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace gfx
